#pragma once

#include <QDate>
#include <QString>

/// The two days a contact's birthday is reminded on in one year: the
/// birthday itself (Flag 3 row) and the day before it (Flag 2 row).
struct TZBirthdayDays
{
    QDate Day;
    QDate Eve;
};

/// The days of `year` on which a birthday is reminded.
///
/// A Gregorian birthday falls on its month and day; 29 February in a year
/// without it falls on 28 February (the eve on 27 February).
///
/// A lunar birthday (`lunar`): the month and day of `born` are the lunar
/// month and day, as the user keeps them (a leap month counts as its plain
/// month). The birthday falls on the first day of `year` that is that lunar
/// day; a 30th in a month of 29 days falls on the 29th. A year that holds no
/// such day, or lies outside the lunar table, falls back to the Gregorian
/// rule, so a contact is never left without a reminder.
TZBirthdayDays ZBirthdayDaysIn(const QDate &born, bool lunar, int year);

/// Whether a contact's reminder days move from year to year: lunar
/// birthdays, and 29 February.
bool ZBirthdayMovesYearly(const QDate &born, bool lunar);

/// The birthday reminders of one contact in moxRemind, after the contact
/// was saved (`deleting` false) or deleted (`deleting` true).
///
/// `oldPersonID`, when not empty, is the key of the contact as it was
/// before (an edited or deleted record): its Flag 2 and 3 rows are deleted
/// first. When saving, a contact born after 1 January 1903 gets two yearly
/// rows for the current year of the clock: Flag 2 ("明天生日") on the eve and
/// Flag 3 ("生日到了") on the day, at the time of day of the parameter
/// BornDateRemindTime (hhmmss, default "100000"). Runs on the session's
/// connection, inside whatever transaction the caller holds.
void ZUpdateBirthdayRemind(const QString &oldPersonID, const QString &personID, bool deleting);

/// The parameter that holds the year for which the yearly-moving birthday
/// rows were last set.
inline const QString kBirthdayRemindYearParam = QStringLiteral("BornDateRemindYear");

/// Moves the birthday rows of the contacts whose days change from year to
/// year (ZBirthdayMovesYearly) to the days of `year`, when the parameter
/// BornDateRemindYear names another year (or none), then stores `year`
/// there. Only RemindMonth and RemindDay change: a row the user disabled or
/// re-timed stays so. One transaction. Returns the number of contacts moved.
int ZMoveYearlyBirthdayReminds(int year);
