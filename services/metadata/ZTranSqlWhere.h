#pragma once

#include <QString>

class TZDataSource;

/// Replaces the condition words users write (大于等于, 包含, 当前日期, 星期一,
/// 年(, …) by their SQL, in the fixed order that keeps longer words whole.
/// Field references in square brackets and quoted values are left as they
/// are, so a caption such as 是否完成 stays a caption and a value such as
/// '%加班%' stays the user's text.
QString TranWordItem(const QString &text);

/// Translates a user's condition on a data source: the words, then every
/// "[A.caption]" (master dataset) or "[B.caption]" (first detail) becomes its
/// column, a related name or a date and time as integers. Returns
/// " And (<condition>)", or "" for an empty condition.
QString TranSqlWhere(TZDataSource &source, const QString &text);

/// True as soon as the text collected backwards from `pos` (trimmed) equals
/// the word ignoring case; false once it is longer.
bool SameBeforeText(const QString &text, const QString &word, int pos);

/// True when the text just before `pos` (blanks allowed) opens a date or
/// time function: Year(, Month(, Day(, DatePart('h', … or DatePart(Hour, ….
bool IsDecodeDateTimeFunc(const QString &text, int pos);
