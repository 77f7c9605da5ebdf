#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

/// The one clock of the system. Nothing else reads the system clock, so that
/// reminders, calendars and date codes can be tested at any moment.
///
/// By default the clock follows the system clock. Tests (and only tests) may
/// set it to a fixed moment, or to a moment from which it keeps running.
QDateTime ZNow();
QDate ZDate();
QTime ZTime();

/// Sets the clock to `moment`. With `running` false the clock stands still at
/// that moment; with `running` true it starts there and advances in real time.
void SetZClock(const QDateTime &moment, bool running = false);

/// Returns the clock to the system clock.
void ResetZClock();
