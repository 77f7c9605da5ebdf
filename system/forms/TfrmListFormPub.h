#pragma once

#include "list/TfrmListFormBase.h"

/// The list window the launcher opens for a module whose definition names
/// no list window class of its own.
class TfrmListFormPub final : public TfrmListFormBase
{
    Q_OBJECT

public:
    explicit TfrmListFormPub(QWidget *parent = nullptr);
};
