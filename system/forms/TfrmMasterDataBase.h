#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window the launcher opens for a module whose definition names
/// no window class of its own: the generated record window, under the class
/// name modules and the launcher know it by.
class TfrmMasterDataBase final : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmMasterDataBase(QWidget *parent = nullptr);
};
