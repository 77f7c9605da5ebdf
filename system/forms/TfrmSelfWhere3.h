#pragma once

#include "list/TfrmSelfWhere2.h"

/// The quick-search chooser under its published name, registered by the
/// package so that windows opened by class name can make it.
class TfrmSelfWhere3 final : public TfrmSelfWhere2
{
    Q_OBJECT

public:
    explicit TfrmSelfWhere3(QWidget *parent = nullptr);
};
