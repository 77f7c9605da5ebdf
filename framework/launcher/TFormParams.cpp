#include "TFormParams.h"

#include <QSet>

namespace {

QSet<quintptr> &alive()
{
    static QSet<quintptr> records;
    return records;
}

} // namespace

TFormParams::TFormParams()
{
    alive().insert(reinterpret_cast<quintptr>(this));
}

TFormParams::TFormParams(const TFormParams &other)
    : Action(other.Action),
      ProgID(other.ProgID),
      KeyValue(other.KeyValue),
      WakeUpByProgID(other.WakeUpByProgID),
      MultiSelect(other.MultiSelect),
      Text(other.Text),
      List(other.List)
{
    alive().insert(reinterpret_cast<quintptr>(this));
}

TFormParams::~TFormParams()
{
    alive().remove(reinterpret_cast<quintptr>(this));
}

QString ZFormParamsAddress(const TFormParams &params)
{
    return QString::number(reinterpret_cast<quintptr>(&params));
}

const TFormParams *ZFormParamsAt(const QString &address)
{
    bool ok = false;
    const quintptr value = address.toULongLong(&ok);
    return ok && alive().contains(value) ? reinterpret_cast<const TFormParams *>(value) : nullptr;
}
