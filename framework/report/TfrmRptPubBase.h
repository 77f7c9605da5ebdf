#pragma once

#include "report/TfrmRptBase.h"

/// The published report window the launcher opens for a report module
/// (a data source whose FuncType is 1) that names no window of its own.
class TfrmRptPubBase : public TfrmRptBase
{
    Q_OBJECT

public:
    explicit TfrmRptPubBase(QWidget *parent = nullptr);
};
