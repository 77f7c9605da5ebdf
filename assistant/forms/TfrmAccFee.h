#pragma once

#include "TfrmAccIncome.h"

/// The payment bill (module accFee, bill flag 2): the income bill's window
/// with the payment captions; an income item is refused on its lines.
class TfrmAccFee : public TfrmAccIncome
{
    Q_OBJECT

public:
    explicit TfrmAccFee(QWidget *parent = nullptr);

protected:
    void AfterFormInit() override;
};
