#include "ZDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Adds one unit at the last place of a string of decimal digits; returns true
// when the carry ran out of the front (the string grew by one digit).
bool incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

} // namespace

QString ZFormatDecimal(double value, int digits, TZRoundMode mode)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // A double has at most 17 significant digits and no digit below 10^-324;
    // more decimals than that only add zeros.
    digits = qBound(0, digits, 400);

    // The shortest scientific text that reads back as `value`: d.ddd e±x.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    if (ec != std::errc())
        return QString::number(value, 'f', digits);
    const std::string text(buffer, end);
    const std::size_t ePos = text.find('e');
    std::string mantissa;
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.')
            mantissa += text[i];
    }
    const int exponent = std::atoi(text.c_str() + ePos + 1);

    // value = 0.<mantissa> × 10^pointPos; keep pointPos + digits digits.
    int pointPos = exponent + 1;
    const int keep = pointPos + digits;
    std::string kept;
    if (keep >= int(mantissa.size())) {
        kept = mantissa;
    } else if (keep < 0) {
        kept.clear(); // every digit lies below half a unit of the last place
    } else {
        kept = mantissa.substr(0, std::size_t(keep));
        const char first = mantissa[std::size_t(keep)];
        bool restNonZero = false;
        for (std::size_t i = std::size_t(keep) + 1; i < mantissa.size(); ++i)
            restNonZero = restNonZero || mantissa[i] != '0';
        bool up = false;
        if (first > '5' || (first == '5' && restNonZero)) {
            up = true;
        } else if (first == '5') {
            if (mode == TZRoundMode::HalfAwayFromZero)
                up = true;
            else
                up = !kept.empty() && ((kept.back() - '0') % 2 == 1);
        }
        if (up) {
            if (kept.empty()) {
                kept = "1";
                pointPos += 1;
            } else if (incrementDigits(kept)) {
                pointPos += 1;
            }
        }
    }

    // Lay the kept digits out in fixed notation.
    std::string intPart;
    std::string fracPart;
    for (int pos = 0; pos < pointPos; ++pos)
        intPart += pos < int(kept.size()) ? kept[std::size_t(pos)] : '0';
    if (intPart.empty())
        intPart = "0";
    for (int i = 0; i < digits; ++i) {
        const int pos = pointPos + i;
        fracPart += (pos >= 0 && pos < int(kept.size())) ? kept[std::size_t(pos)] : '0';
    }
    bool isZero = true;
    for (char c : intPart + fracPart)
        isZero = isZero && c == '0';
    std::string result = (value < 0 && !isZero) ? "-" : "";
    result += intPart;
    if (digits > 0) {
        result += '.';
        result += fracPart;
    }
    return QString::fromLatin1(result.data(), qsizetype(result.size()));
}

double ZRoundDecimal(double value, int digits, TZRoundMode mode)
{
    if (!std::isfinite(value))
        return value;
    return ZFormatDecimal(value, digits, mode).toDouble();
}

QString ZGroupThousands(const QString &fixedText)
{
    qsizetype start = fixedText.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype point = fixedText.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = fixedText.size();
    QString result = fixedText.left(start);
    const qsizetype intLength = point - start;
    for (qsizetype i = 0; i < intLength; ++i) {
        if (i > 0 && (intLength - i) % 3 == 0)
            result += QLatin1Char(',');
        result += fixedText.at(start + i);
    }
    result += fixedText.mid(point);
    return result;
}
