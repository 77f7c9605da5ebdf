#include "ZMoneyCn.h"

#include "common/ZDecimal.h"
#include "common/ZErrors.h"

#include <cmath>

QString MoneyCn(double value)
{
    static const QString figures = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    static const QString units = QStringLiteral("分角元拾佰仟万拾佰仟亿拾佰仟万");

    const bool negative = value < 0;
    value = std::fabs(value);
    // The amount in cents, rounded from its decimal value.
    QString cents = ZFormatDecimal(value, 2, TZRoundMode::HalfAwayFromZero);
    cents.remove(QLatin1Char('.'));
    while (cents.size() > 1 && cents.startsWith(QLatin1Char('0')))
        cents.remove(0, 1);
    if (!std::isfinite(value) || cents.size() > units.size())
        throw EZError(QStringLiteral("金额超出范围，无法转换为大写金额"));
    // An amount that rounds to nothing carries no sign.
    const QString result = negative && cents != QLatin1String("0") ? QStringLiteral("负") : QString();

    QString text;
    const qsizetype count = cents.size();
    for (qsizetype i = 0; i < count; ++i) {
        text += figures.at(cents.at(i).unicode() - u'0');
        text += units.at(count - 1 - i);
    }

    for (const char16_t *unit : {u"零仟", u"零佰", u"零拾", u"零角"})
        text.replace(QString::fromUtf16(unit), QStringLiteral("零"));
    text.replace(QStringLiteral("零分"), QStringLiteral("整"));
    text.replace(QStringLiteral("零零"), QStringLiteral("零"));
    text.replace(QStringLiteral("零零"), QStringLiteral("零"));
    text.replace(QStringLiteral("零亿"), QStringLiteral("亿"));
    text.replace(QStringLiteral("零万"), QStringLiteral("万"));
    text.replace(QStringLiteral("零元"), QStringLiteral("元"));
    if (text == QStringLiteral("整"))
        return result + QStringLiteral("零元整");
    text.replace(QStringLiteral("亿万"), QStringLiteral("亿零"));
    // A whole number of 亿 would read 壹亿零元 after the line above; the zero
    // before 元 is dropped, as everywhere else.
    text.replace(QStringLiteral("零元"), QStringLiteral("元"));
    text.replace(QStringLiteral("零整"), QStringLiteral("整"));
    return result + text;
}
