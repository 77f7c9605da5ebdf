#pragma once

#include "data/ZSqlTokens.h"

// Passes of the engine adapter (ZAdaptSqlForSqlite) that carry the system's
// rules for money, texts and period lists into the statement.

/// CREATE TABLE with money columns and ALTER TABLE … ADD of a money column:
/// the triggers that store money rounded to four decimals follow the
/// statement (ZMoneyTriggersSql).
void ZAddMoneyTriggers(QList<TZSqlToken> &tokens);

/// A text literal compared (=, <>, <, >, <=, >=, IN, BETWEEN) with an
/// expression rather than a bare column gets "COLLATE NOCASE", so the
/// comparison ignores case as it does against a column; against a bare
/// column the column's own collation applies (and its index stays usable).
void ZCollateTextLiterals(QList<TZSqlToken> &tokens);

/// The period conditions of the list statements on a bare date column
/// (this day, week, month and year, written with Year/Month/Day or
/// DateDiff("ww") against the current date) become a range of the column
/// between ZPeriodStart and ZPeriodEnd, which an index on the column serves.
void ZPeriodRanges(QList<TZSqlToken> &tokens);
