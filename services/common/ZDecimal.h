#pragma once

#include <QString>

/// How a value exactly half-way between two neighbours is rounded.
enum class TZRoundMode {
    HalfEven,        ///< to the even neighbour (2.5 → 2, 3.5 → 4)
    HalfAwayFromZero ///< away from zero (2.5 → 3, -2.5 → -3)
};

// Decimal rounding of binary floating-point values. A double such as 2.675 is
// stored as 2.67499999…; scaling it by 100 and rounding the binary product
// would give 2.67. These routines round the shortest decimal text that reads
// back as the same double, so the number the user typed is rounded, not its
// binary neighbour.

/// `value` rounded to `digits` decimals (negative digits count as 0).
double ZRoundDecimal(double value, int digits, TZRoundMode mode);

/// `value` rounded to `digits` decimals and written in fixed notation with
/// exactly that many decimals ("1234.50"; at most 400); no decimal point when
/// `digits` is 0 or negative. Not-a-number and infinite values are written as Qt writes
/// them.
QString ZFormatDecimal(double value, int digits, TZRoundMode mode);

/// Inserts "," between groups of three digits of the integer part of a fixed
/// notation number text ("-1234567.5" → "-1,234,567.5").
QString ZGroupThousands(const QString &fixedText);
