#include "ZHoliday.h"

#include "common/ZCnCalendar.h"

namespace {

bool gregorianDayOff(int monthDay, QString &name)
{
    switch (monthDay) {
    case 101:
        name = QStringLiteral("元旦");
        return true;
    case 501:
        name = QStringLiteral("劳动节");
        return true;
    case 1001:
        name = QStringLiteral("国庆节");
        return true;
    case 102:
    case 103:
    case 1002:
    case 1003:
        return true;
    default:
        return false;
    }
}

bool lunarDayOff(int monthDay, QString &name)
{
    switch (monthDay) {
    case 101:
        name = QStringLiteral("春节");
        return true;
    case 815:
        name = QStringLiteral("中秋节");
        return true;
    case 102:
    case 103:
        return true;
    case 1230:
        name = QStringLiteral("除夕");
        return false;
    default:
        return false;
    }
}

} // namespace

bool IsHoliday(bool lunarOnly, QString &name, const QDate &date)
{
    name.clear();
    if (!date.isValid())
        return false;
    const int monthDay = date.month() * 100 + date.day();
    if (lunarOnly)
        return lunarDayOff(monthDay, name);
    if (gregorianDayOff(monthDay, name))
        return true;
    return lunarDayOff(CnDateOfDate(date), name);
}
