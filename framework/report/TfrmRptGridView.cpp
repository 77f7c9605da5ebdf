#include "TfrmRptGridView.h"

TfrmRptGridView::TfrmRptGridView(QWidget *parent)
    : TfrmRptGridViewBase(parent)
{
}
