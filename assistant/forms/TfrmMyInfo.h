#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window of the user's own details (module moxMyInfo). The main
/// window opens it by its class alone, without form parameters: it then
/// takes its module itself and shows the record shown last (or the first).
class TfrmMyInfo : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmMyInfo(QWidget *parent = nullptr);

    void FormReturnValue(const QString &name, const QString &value) override;
};
