#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window of the knowledge base (module devKnowledge): a new
/// entry's author (Creater) is the user's name, the parameter MyName.
class TfrmdevKnowledge : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmdevKnowledge(QWidget *parent = nullptr);

protected:
    void AfterAddNew() override;
};
