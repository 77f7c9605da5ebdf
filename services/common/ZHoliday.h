#pragma once

#include <QDate>
#include <QString>

/// Whether a day is a day off, with its holiday name in `name` (empty when
/// it has none). The Gregorian days off come first: 1 to 3 January ("元旦"
/// on the 1st), 1 May ("劳动节"), 1 to 3 October ("国庆节" on the 1st); then
/// the lunar ones: 1 to 3 of the first month ("春节" on the 1st) and 15 of
/// the eighth ("中秋节"); lunar 12/30 is named "除夕" without being a day
/// off. With `lunarOnly` only the lunar lists are applied, to the Gregorian
/// month and day.
bool IsHoliday(bool lunarOnly, QString &name, const QDate &date);
