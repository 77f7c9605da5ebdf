#pragma once

#include <QDate>
#include <QString>

// Date-coded keys: a rule such as "YYYYMMDD???" is a date pattern followed by
// the places of a running number. These routines turn a rule into the texts a
// key search needs; the search itself runs on the database.

/// The rule for a date: the trimmed, upper-cased rule ("YYYYMMDD???" when
/// empty) with "YYYY" replaced by the four-digit year (else "YY" by the
/// two-digit year), "MM" by the month and "DD" by the day, every occurrence.
/// A date not after day 1000 of the calendar (26 September 1902) means today.
QString ExpandDateCodeRule(const QString &rule, const QDate &date);

/// The key prefix of an expanded rule: the text without its "?".
QString DateCodePrefix(const QString &expandedRule);

/// The length of the prefix a rule gives: the rule without "?" and blanks.
int DateCodePrefixLength(const QString &rule);

/// The key before the first of the period: every "?" of the expanded rule
/// replaced by "0" (20110621000), so that the first key is its IncString.
QString DateCodeZeroKey(const QString &expandedRule);
