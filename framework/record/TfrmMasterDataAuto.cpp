#include "TfrmMasterDataAuto.h"

#include "layout/TAutoDesignUI.h"
#include "layout/ZFormKeepers.h"
#include "metadata/TOrvDataSet.h"

TfrmMasterDataAuto::TfrmMasterDataAuto(QWidget *parent) : TfrmMasterData(parent), m_design(new TAutoDesignUI(this))
{
    m_design->setObjectName(QStringLiteral("AutoDesignUI1"));
}

void TfrmMasterDataAuto::AfterFormInit()
{
    m_design->ProgID = GetProgID();
    m_design->UIDataSource = &MasterData();
    m_design->ReFresh();
    // The generated editors are wired like designed ones.
    TfrmMasterData::AfterFormInit();
    if (TZSizeKeeper *keeper = SizeKeeper())
        keeper->Save();
    ReSetFormMinSize(minimumHeight(), minimumWidth());
    resize(minimumWidth(), minimumHeight());
}
