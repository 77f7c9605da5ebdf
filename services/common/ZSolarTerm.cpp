#include "ZSolarTerm.h"

#include <array>
#include <cmath>

namespace {

// Minutes from the start of the year's first term to each term.
constexpr std::array<qint64, 24> sTermInfo{0,      21208,  42467,  63836,  85337,  107014, 128867, 150921,
                                           173149, 195551, 218072, 240693, 263343, 285989, 308563, 331033,
                                           353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758};

const std::array<const char16_t *, 24> SolarTerm{
    u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分", u"清明", u"谷雨", u"立夏", u"小满", u"芒种", u"夏至",
    u"小暑", u"大暑", u"立秋", u"处暑", u"白露", u"秋分", u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至"};

// The length of a tropical year in milliseconds.
constexpr double kYearMs = 31556925974.7;

} // namespace

QDateTime sTerm(int year, int n)
{
    // UTC only as a clock without summer time: the result is read as the
    // wall-clock time of the formula.
    static const QDateTime base(QDate(1900, 1, 6), QTime(2, 5), Qt::UTC);
    const auto offset = qint64(std::llround((year - 1900) * kYearMs)) + sTermInfo.at(size_t(n % 24)) * 60000;
    return base.addMSecs(offset);
}

QString GetJQ(const QDate &date)
{
    if (!date.isValid())
        return {};
    const int month = date.month();
    for (const int n : {2 * month - 2, 2 * month - 1}) {
        if (sTerm(date.year(), n).date().day() == date.day())
            return QString::fromUtf16(SolarTerm.at(size_t(n)));
    }
    return {};
}
