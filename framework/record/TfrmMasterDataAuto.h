#pragma once

#include "record/TfrmMasterData.h"

class TAutoDesignUI;

/// The record window of a module without a window of its own: one label and
/// one editor per visible field of the master table, laid out by the
/// generator from the fields' positions and widths; the window takes the
/// size of the result and keeps it.
class TfrmMasterDataAuto : public TfrmMasterData
{
    Q_OBJECT

public:
    explicit TfrmMasterDataAuto(QWidget *parent = nullptr);

    TAutoDesignUI &AutoDesign() const { return *m_design; }

protected:
    void AfterFormInit() override;

private:
    TAutoDesignUI *m_design;
};
