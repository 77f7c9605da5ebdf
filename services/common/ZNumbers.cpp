#include "ZNumbers.h"

#include "common/ZDecimal.h"
#include "common/ZErrors.h"
#include "common/ZTrim.h"

#include <QDateTime>

#include <cmath>
#include <limits>

namespace {

bool parseDouble(const QString &text, double *value)
{
    bool ok = false;
    const double v = ZTrim(text).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    const int v = ZTrim(text).toInt(&ok);
    if (!ok)
        return false;
    *value = v;
    return true;
}

int roundToInt(double v)
{
    if (!std::isfinite(v))
        return 0;
    const double r = std::nearbyint(v); // the default mode rounds ties to even
    if (r < double(std::numeric_limits<int>::min()) || r > double(std::numeric_limits<int>::max()))
        return 0;
    return int(r);
}

} // namespace

double FormatNumber(const QString &text, int digits)
{
    double value = 0;
    if (!parseDouble(text, &value))
        throw EZError(QStringLiteral("输入错误：") + text + QStringLiteral(" 非数值型数据"));
    return ZRoundDecimal(value, digits, TZRoundMode::HalfEven);
}

QString FormatNumber(double value, int digits)
{
    return ZFormatDecimal(value, digits, TZRoundMode::HalfEven);
}

QString FormatNumber(double value, int digits, bool thousands)
{
    const QString fixed = ZFormatDecimal(value, digits, TZRoundMode::HalfEven);
    if (thousands && value >= 1000)
        return ZGroupThousands(fixed);
    return fixed;
}

int ZStrToInt(const QString &text)
{
    return TryStrToIntEx(text, 0);
}

Currency ZStrToCurr(const QString &text)
{
    return TryStrToCurr(text, Currency());
}

int TryStrToIntEx(const QString &text, int defaultValue)
{
    int value = 0;
    return parseInt(text, &value) ? value : defaultValue;
}

Currency TryStrToCurr(const QString &text, Currency defaultValue)
{
    bool ok = false;
    const Currency value = Currency::fromString(ZTrim(text), &ok);
    return ok ? value : defaultValue;
}

double TryStrToFloatEx(const QString &text, double defaultValue)
{
    double value = 0;
    return parseDouble(text, &value) ? value : defaultValue;
}

bool ZBool(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return false;
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString: {
        const QString t = ZTrim(value.toString());
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        double d = 0;
        return parseDouble(t, &d) && d != 0;
    }
    default:
        if (value.typeId() == qMetaTypeId<Currency>())
            return value.value<Currency>().raw() != 0;
        return ZFloat(value) != 0;
    }
}

Currency ZCurr(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == qMetaTypeId<Currency>())
        return value.value<Currency>();
    if (value.typeId() == QMetaType::QString)
        return ZStrToCurr(value.toString());
    return Currency::fromDouble(ZFloat(value));
}

double ZFloat(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return 0;
    if (value.typeId() == qMetaTypeId<Currency>())
        return value.value<Currency>().toDouble();
    if (value.typeId() == QMetaType::QString)
        return TryStrToFloatEx(value.toString(), 0);
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

int ZInt(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return value.toInt();
    case QMetaType::QString: {
        int i = 0;
        if (parseInt(value.toString(), &i))
            return i;
        return roundToInt(TryStrToFloatEx(value.toString(), 0));
    }
    default:
        if (value.typeId() == qMetaTypeId<Currency>())
            return roundToInt(value.value<Currency>().toDouble());
        return roundToInt(ZFloat(value));
    }
}

QString ZStr(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
        return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    default:
        if (value.typeId() == qMetaTypeId<Currency>())
            return value.value<Currency>().toString();
        return value.toString();
    }
}
