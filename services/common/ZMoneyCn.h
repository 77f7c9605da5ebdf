#pragma once

#include <QString>

/// The amount in Chinese capital figures, as written on cheques and bills:
/// 1.23 → 壹元贰角叁分, 100 → 壹佰元整, -3.07 → 负叁元零柒分, 0 → 零元整.
/// Amounts of 10^13 and above (more than fifteen figures in cents) have no
/// capital form and raise an EZError.
QString MoneyCn(double value);
