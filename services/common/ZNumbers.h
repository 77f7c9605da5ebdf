#pragma once

#include "common/Currency.h"

#include <QString>
#include <QVariant>

/// The text as a number rounded to `digits` decimals (negative digits count
/// as 0), ties to the even neighbour. A text that is not a number raises an
/// EZError "输入错误：<text> 非数值型数据".
double FormatNumber(const QString &text, int digits);

/// The value as a text with exactly `digits` decimals, ties to even.
QString FormatNumber(double value, int digits);

/// The value by the pattern "0." plus `digits` zeros, or "0,000." plus
/// `digits` zeros when `thousands` is set and the value is at least 1000;
/// ties to even, as the other forms.
QString FormatNumber(double value, int digits, bool thousands);

// Conversions that never fail: a text that is not a number of the kind gives
// the default. Texts are trimmed of blanks first; numbers use "." as the
// decimal point.

int ZStrToInt(const QString &text);
Currency ZStrToCurr(const QString &text);
int TryStrToIntEx(const QString &text, int defaultValue = 0);
Currency TryStrToCurr(const QString &text, Currency defaultValue = Currency());
double TryStrToFloatEx(const QString &text, double defaultValue = 0);

// The same for variants: null (and anything that does not convert) gives
// false, 0 or the empty text.

bool ZBool(const QVariant &value);
Currency ZCurr(const QVariant &value);
double ZFloat(const QVariant &value);
int ZInt(const QVariant &value);
QString ZStr(const QVariant &value);
