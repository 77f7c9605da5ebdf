#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window of the diary (module moxDiary): the generated editors
/// of a day's entry; its behaviour is the record window's own.
class TfrmMoxDiary : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmMoxDiary(QWidget *parent = nullptr);
};
