#include "TfrmRptPubBase.h"

TfrmRptPubBase::TfrmRptPubBase(QWidget *parent)
    : TfrmRptBase(parent)
{
}
