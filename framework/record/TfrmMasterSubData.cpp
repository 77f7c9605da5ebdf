#include "TfrmMasterSubData.h"
#include "ZRowWalk.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridColumns.h"
#include "layout/TAutoDesignUI.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "settings/ZSession.h"

#include <QResizeEvent>
#include <QTabWidget>
#include <QVBoxLayout>

TfrmMasterSubData::TfrmMasterSubData(QWidget *parent)
    : TfrmMasterData(parent),
      m_pages(new QTabWidget(this)),
      m_detailSheet(new QWidget),
      m_grid(nullptr),
      m_design(new TAutoDesignUI(this))
{
    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_detailSheet->setObjectName(QStringLiteral("DetailSheet"));
    m_pages->addTab(m_detailSheet, QStringLiteral("明细"));
    auto *layout = new QVBoxLayout(m_detailSheet);
    layout->setContentsMargins(2, 2, 2, 2);
    m_grid = new TZDBGrid(m_detailSheet);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    layout->addWidget(m_grid, 3);
    m_design->setObjectName(QStringLiteral("AutoDesignUI1"));
    SetSizeable(true);
    resize(760, 520);
}

void TfrmMasterSubData::SetProgID(const QString &progID)
{
    TfrmMasterData::SetProgID(progID);
    if (DatasetCount() < 2)
        return;
    m_grid->SetDataSet(&Detaildata());
    Detaildata().AfterScroll = [this](TZClientDataSet &) { SetDatasetFilter(); };
    Detaildata().BeforeDelete = [this](TZClientDataSet &) { deleteSubLines(); };
    if (DatasetCount() >= 3) {
        m_subGrid = new TZDBGrid(m_detailSheet);
        m_subGrid->setObjectName(QStringLiteral("cxGrid2"));
        static_cast<QVBoxLayout *>(m_detailSheet->layout())->addWidget(m_subGrid, 2);
        m_subGrid->SetDataSet(&Dataset(2));
    }
}

void TfrmMasterSubData::AfterFormInit()
{
    m_settingUp = true;
    if (AutoCreateCtrl()) {
        m_design->ProgID = GetProgID();
        m_design->UIDataSource = &MasterData();
        m_design->UIPageControl = m_pages;
        m_design->ReFresh();
    }
    TfrmMasterData::AfterFormInit();
    m_settingUp = false;
    if (AutoCreateCtrl()) {
        // The generator sized the window to the head; the lines want room.
        // The page control is anchored on all sides and grows with it.
        ReSetFormMinSize(minimumHeight(), minimumWidth());
        resize(std::max(width(), 720), std::max(height(), 480));
    } else {
        placeGrids();
    }
}

void TfrmMasterSubData::OpenBillDataset(const QString &key)
{
    TfrmMasterData::OpenBillDataset(key);
    SetDatasetFilter();
    // The grids take their columns from the definitions once the lines
    // have columns; the settings stay with the field names across reloads.
    if (m_gridsReady)
        return;
    for (TZDBGrid *grid : {m_grid, m_subGrid}) {
        if (grid)
            ReFreshGrid(*grid);
    }
    m_gridsReady = true;
}

void TfrmMasterSubData::ReFreshGrid(TZDBGrid &grid)
{
    auto *dataSet = dynamic_cast<TOrvDataSet *>(grid.DataSet());
    RefreshGridByDS(grid, [this, dataSet](const QString &field) {
        if (dataSet)
            DoSelectIDFor(*dataSet, field);
    });
}

void TfrmMasterSubData::placeGrids()
{
    // The page control takes the window's width and the room down to the
    // status line.
    const int top = m_pages->y() > 0 ? m_pages->y() : 35;
    m_pages->setGeometry(4, top, std::max(200, width() - 8), std::max(120, height() - top - 24));
}

void TfrmMasterSubData::resizeEvent(QResizeEvent *event)
{
    TfrmMasterData::resizeEvent(event);
    if (!m_settingUp && !AutoCreateCtrl())
        placeGrids();
}

void TfrmMasterSubData::stampMaker()
{
    TOrvDataSet &master = MasterData();
    TZDataField *maker = master.FindField(QStringLiteral("MakerID"));
    if (!maker || master.IsEmpty())
        return;
    if (master.State() == dsBrowse)
        master.Edit();
    maker->SetAsString(UserInfo.UserID);
}

void TfrmMasterSubData::AfterAddNew()
{
    TfrmMasterData::AfterAddNew();
    stampMaker();
}

void TfrmMasterSubData::AfterCopy()
{
    TfrmMasterData::AfterCopy();
    stampMaker();
    SetDatasetFilter();
}

void TfrmMasterSubData::AfterEdit()
{
    TfrmMasterData::AfterEdit();
    stampMaker();
}

void TfrmMasterSubData::SetFrmState(int state)
{
    TfrmMasterData::SetFrmState(state);
    for (TZDBGrid *grid : {m_grid, m_subGrid}) {
        if (!grid)
            continue;
        grid->SetSortingAllowed(state >= fsBrowse);
        grid->SetReadOnly(state > fsCopy);
    }
}

void TfrmMasterSubData::SetDatasetFilter()
{
    if (m_settingUp || DatasetCount() < 3 || !Dataset(2).Active())
        return;
    TOrvDataSet &detail = Detaildata();
    TOrvDataSet &sub = Dataset(2);
    const TZDataField *rowNo = detail.FindField(QStringLiteral("RowNo"));
    if (!rowNo || !sub.FindField(QStringLiteral("ParentRowNo")))
        return;
    sub.SetFiltered(false);
    sub.SetFilter(QStringLiteral("ParentRowNo = %1").arg(detail.IsEmpty() ? -1 : rowNo->AsInteger()));
    sub.SetFiltered(true);
}

void TfrmMasterSubData::deleteSubLines()
{
    if (m_settingUp || DatasetCount() < 3 || !Dataset(2).Active())
        return;
    TOrvDataSet &sub = Dataset(2);
    const TZDataField *rowNo = Detaildata().FindField(QStringLiteral("RowNo"));
    if (!rowNo || !sub.FindField(QStringLiteral("ParentRowNo")))
        return;
    sub.DisableControls();
    try {
        sub.SetFiltered(false);
        sub.SetFilter(QStringLiteral("ParentRowNo = %1").arg(rowNo->AsInteger()));
        sub.SetFiltered(true);
        while (!sub.IsEmpty()) {
            sub.First();
            sub.Delete();
        }
    } catch (...) {
        sub.EnableControls();
        throw;
    }
    sub.EnableControls();
}

void TfrmMasterSubData::BeforeSave()
{
    // A line currency the user does not see follows the head's.
    if (DatasetCount() >= 2) {
        TOrvDataSet &detail = Detaildata();
        detail.CheckBrowseMode();
        TZDataField *lineCurrency = detail.FindField(QStringLiteral("CurrID"));
        const TZField *definition = lineCurrency ? detail.ZFieldOf(*lineCurrency) : nullptr;
        TZDataField *headCurrency = MasterData().FindField(QStringLiteral("CurrID"));
        if (definition && headCurrency
            && ZTrim(definition->RelativeDS).compare(QLatin1String("comCurrency"), Qt::CaseInsensitive) == 0
            && !definition->GetZFieldVisible()) {
            TZDataField *lineRate = detail.FindField(QStringLiteral("ExchRate"));
            TZDataField *headRate = MasterData().FindField(QStringLiteral("ExchRate"));
            ZForEachRow(detail, [&] {
                ZSetChanged(detail, *lineCurrency, headCurrency->Value());
                if (lineRate && headRate)
                    ZSetChanged(detail, *lineRate, headRate->Value());
            });
        }
    }
    TfrmMasterData::BeforeSave();
}
