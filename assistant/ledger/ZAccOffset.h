#pragma once

#include "common/Currency.h"

#include <QString>
#include <QStringList>

#include <vector>

// The settlement of income and payment bills (accFee) by offset bills
// (accGather/accGatherSub). An income or payment bill keeps what offset bills
// of the same flag settled of it in Offset, and RemainMoney = FeeMoney -
// Discount - NowRecv - Offset. The routines here restore both from the stored
// offset lines; they run inside the save or delete that changed the lines.

/// Sets Offset of the bill `billNo` of flag `flag` to the sum of the stored
/// offset lines of that flag naming it, and RemainMoney from it.
void RecomputeBillOffset(int flag, const QString &billNo);

/// RecomputeBillOffset for each distinct trimmed, non-empty bill number.
void RecomputeBillOffsets(int flag, const QStringList &billNos);

/// The bill numbers the stored lines of offset bill `gatherBillNo` name.
QStringList OffsetBillsOf(int flag, const QString &gatherBillNo);

/// Spreads `amount` over lines with open balances `remains`, in order: a line
/// takes its whole balance while the amount left exceeds it, else what is
/// left; the lines after the amount is used up keep their `current` offset.
/// What exceeds all balances stays unapplied.
std::vector<Currency> AutoOffsets(Currency amount, const std::vector<Currency> &remains, std::vector<Currency> current);
