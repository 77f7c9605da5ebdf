#include "TfrmAccPay.h"

TfrmAccPay::TfrmAccPay(QWidget *parent) : TfrmAccGather(parent) {}
