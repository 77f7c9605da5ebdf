#include "Currency.h"

#include "common/ZDecimal.h"

Currency Currency::fromDouble(double value)
{
    bool ok = false;
    const Currency c = fromString(ZFormatDecimal(value, 4, TZRoundMode::HalfEven), &ok);
    return ok ? c : Currency();
}

Currency Currency::fromString(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    const QString t = text.trimmed();
    bool isNumber = false;
    const double asDouble = t.toDouble(&isNumber);
    if (!isNumber || !qIsFinite(asDouble) || qAbs(asDouble) >= 922337203685477.0)
        return {};

    // Exact path for plain decimal texts; other forms (exponents) go through
    // the decimal rounding of their double.
    QString fixed = t;
    const bool plain = !t.contains(QLatin1Char('e'), Qt::CaseInsensitive);
    if (!plain)
        fixed = ZFormatDecimal(asDouble, 4, TZRoundMode::HalfEven);
    const bool negative = fixed.startsWith(QLatin1Char('-'));
    if (negative || fixed.startsWith(QLatin1Char('+')))
        fixed.remove(0, 1);
    const qsizetype point = fixed.indexOf(QLatin1Char('.'));
    QString intPart = point < 0 ? fixed : fixed.left(point);
    QString fracPart = point < 0 ? QString() : fixed.mid(point + 1);
    if (fracPart.size() > 4) {
        fixed = ZFormatDecimal(asDouble < 0 ? -asDouble : asDouble, 4, TZRoundMode::HalfEven);
        const qsizetype p = fixed.indexOf(QLatin1Char('.'));
        intPart = fixed.left(p);
        fracPart = fixed.mid(p + 1);
    }
    fracPart = fracPart.leftJustified(4, QLatin1Char('0'));
    bool intOk = intPart.isEmpty();
    const qint64 whole = intPart.isEmpty() ? 0 : intPart.toLongLong(&intOk);
    bool fracOk = false;
    const qint64 frac = fracPart.toLongLong(&fracOk);
    if (!intOk || !fracOk)
        return {};
    if (ok)
        *ok = true;
    const qint64 raw = whole * Scale + frac;
    return fromRaw(negative ? -raw : raw);
}

QString Currency::toString() const
{
    const qint64 absRaw = m_raw < 0 ? -m_raw : m_raw;
    QString text = QString::number(absRaw / Scale);
    qint64 frac = absRaw % Scale;
    if (frac != 0) {
        QString digits = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return m_raw < 0 ? QLatin1Char('-') + text : text;
}
