#include "TFormParams.h"

QString ZFormParamsAddress(const TFormParams &params)
{
    return QString::number(reinterpret_cast<quintptr>(&params));
}

const TFormParams *ZFormParamsAt(const QString &address)
{
    bool ok = false;
    const quintptr value = address.toULongLong(&ok);
    return ok && value != 0 ? reinterpret_cast<const TFormParams *>(value) : nullptr;
}
