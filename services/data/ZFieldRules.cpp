#include "ZFieldRules.h"

#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/TParamInfo.h"

QString ZHiddenFieldText()
{
    return QStringLiteral("---");
}

QString ZBooleanText(bool value)
{
    return value ? QStringLiteral("是") : QStringLiteral("否");
}

QString ZNumberText(const QVariant &value, TNumberType type, const QString &currencyID, bool zeroNotShow)
{
    if (value.isNull() || !value.isValid())
        return {};
    const double number = ZFloat(value);
    if (zeroNotShow && number == 0)
        return {};
    return RoundTextByCurr(type, number, currencyID);
}

int ZIDNameShowStyle()
{
    return ZStrToInt(GetParamValue(QStringLiteral("IDNameShowStyle"), QStringLiteral("0")));
}

QString ZLinkedIDText(const QString &id, const QString &name, bool found, int style)
{
    if (!found)
        return {};
    switch (style) {
    case 1:
        return id + QLatin1Char(' ') + name;
    case 2:
        return id;
    default:
        return name;
    }
}

QString ZPlainText(const QString &text, TDBType kind)
{
    return ResolveDBType(kind) == dtMSSQL ? text : ZTrim(text);
}

QVariant ZNumberFromText(const QString &text, TZFieldType kind, TNumberType type, const QString &currencyID)
{
    QString t = ZIsBlank(text) ? QStringLiteral("0") : text;
    t.remove(QLatin1Char(','));
    if (kind == ftZInteger || kind == ftZSmallint)
        return int(FormatNumber(t, 0));
    const double rounded = RoundByCurr(type, FormatNumber(t, 15), currencyID);
    if (kind == ftZCurrency)
        return QVariant::fromValue(Currency::fromDouble(rounded));
    return rounded;
}

QString ZLinkedIDFromText(const QString &text, const QList<QPair<QString, QString>> &rows, int style)
{
    const QString wanted = ZTrim(text);
    for (const auto &[id, name] : rows) {
        const QString shown =
            style == 1 ? ZTrim(id) + QLatin1Char(' ') + ZTrim(name) : (style == 2 ? ZTrim(id) : ZTrim(name));
        if (shown == wanted)
            return ZTrim(id);
    }
    return wanted;
}
