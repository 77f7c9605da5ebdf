#pragma once

#include <QString>

class TOrvDataSet;

/// Sets a record's month field (yyyymm; 0 without a date) from its date
/// field, writing only when it differs (the row is put into edit state for
/// it). Nothing when the record lacks either field. The bookings and bills
/// keep their month with their date this way.
void ZSetMonthOfDate(TOrvDataSet &record, const QString &dateField, const QString &monthField);
