#pragma once

#include "report/TfrmRptGridViewBase.h"

/// The published grid window of the report windows (GridViewFormClassName).
class TfrmRptGridView : public TfrmRptGridViewBase
{
    Q_OBJECT

public:
    explicit TfrmRptGridView(QWidget *parent = nullptr);
};
