#include "ZCnCalendar.h"

#include "common/ZCnData.h"

#include <array>
#include <cstdlib>

namespace {

// Month slots a year of the table describes; the walk of one year never
// needs more.
constexpr int kSlots = 15;

const std::array<const char16_t *, 12> kMonthNames{u"一", u"二", u"三", u"四", u"五", u"六",
                                                   u"七", u"八", u"九", u"十", u"冬", u"蜡"};

const std::array<const char16_t *, 30> kDayNames{u"初一", u"初二", u"初三", u"初四", u"初五", u"初六", u"初七", u"初八",
                                                 u"初九", u"初十", u"十一", u"十二", u"十三", u"十四", u"十五", u"十六",
                                                 u"十七", u"十八", u"十九", u"二十", u"廿一", u"廿二", u"廿三", u"廿四",
                                                 u"廿五", u"廿六", u"廿七", u"廿八", u"廿九", u"三十"};

struct TCnYear
{
    std::array<int, kSlots> length{};
    std::array<int, kSlots> month{}; // negative for a leap month
    int firstDay = 0;                // the lunar day of 1 January
};

TCnYear yearOf(int year)
{
    const unsigned char *row = CnData + (year - kCnDataFirstYear) * 4;
    const unsigned mask = unsigned(row[1]) << 8 | row[2];
    const int leapAfter = row[3];
    TCnYear result;
    result.firstDay = row[0] & 0x7F;
    for (int slot = 0; slot < kSlots; ++slot) {
        result.length[slot] = (mask >> (15 - slot)) & 1 ? 30 : 29;
        if (slot == 0) {
            result.month[0] = row[0] & 0x80 ? 12 : 11;
            continue;
        }
        const int previous = result.month[slot - 1];
        if (previous == leapAfter)
            result.month[slot] = -previous;
        else
            result.month[slot] = std::abs(previous) % 12 + 1;
    }
    return result;
}

int encoded(int month, int day)
{
    return month < 0 ? -(-month * 100 + day) : month * 100 + day;
}

} // namespace

int CnDateOfDate(const QDate &date)
{
    if (!date.isValid() || date.year() < kCnDataFirstYear || date.year() >= kCnDataFirstYear + kCnDataYears)
        return 0;
    const TCnYear year = yearOf(date.year());
    const int dayOfYear = date.dayOfYear() - 1;
    if (dayOfYear <= year.length[0] - year.firstDay) {
        int month = year.month[0];
        // 1 January continues the month of 31 December, which may be a leap
        // month the table of this year does not name.
        if (date.year() > kCnDataFirstYear && CnDateOfDate(QDate(date.year() - 1, 12, 31)) < 0)
            month = -month;
        return encoded(month, dayOfYear + year.firstDay);
    }
    int remaining = dayOfYear - (year.length[0] - year.firstDay);
    for (int slot = 1; slot < kSlots; ++slot) {
        if (remaining <= year.length[slot])
            return encoded(year.month[slot], remaining);
        remaining -= year.length[slot];
    }
    return 0; // not reached for a year of the table
}

QString CnMonthOfDate(const QDate &date)
{
    const int month = CnDateOfDate(date) / 100;
    if (month == 0)
        return {};
    if (month < 0)
        return QStringLiteral("闰") + QString::fromUtf16(kMonthNames.at(-month - 1));
    return QString::fromUtf16(kMonthNames.at(month - 1)) + QStringLiteral("月");
}

QString CnDayOfDate(const QDate &date)
{
    const int day = std::abs(CnDateOfDate(date)) % 100;
    if (day == 0)
        return {};
    return QString::fromUtf16(kDayNames.at(day - 1));
}

QString CnDateOfDateStr(const QDate &date)
{
    return CnMonthOfDate(date) + CnDayOfDate(date);
}

QDate ZDateOfCnDate(int year, int cnMonth, int cnDay)
{
    if (cnMonth < 1 || cnMonth > 12 || cnDay < 1 || cnDay > 30)
        return {};
    const auto find = [&](int day) {
        for (QDate date(year, 1, 1); date.year() == year; date = date.addDays(1)) {
            if (CnDateOfDate(date) == cnMonth * 100 + day)
                return date;
        }
        return QDate();
    };
    const QDate found = find(cnDay);
    return found.isValid() || cnDay != 30 ? found : find(29);
}
