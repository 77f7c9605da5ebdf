#pragma once

#include "TfrmAccGather.h"

/// The payable payment bill (module accPay, bill flag 2): the receivable
/// offset bill's window on the payment bills.
class TfrmAccPay : public TfrmAccGather
{
    Q_OBJECT

public:
    explicit TfrmAccPay(QWidget *parent = nullptr);
};
