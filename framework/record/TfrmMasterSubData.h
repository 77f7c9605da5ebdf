#pragma once

#include "record/TfrmMasterData.h"

class QTabWidget;
class TAutoDesignUI;
class TZDBGrid;

/// A record window with lines: the head's editors above, the lines of the
/// first detail dataset in a grid on a page of their own, and, when the
/// module has a second detail dataset, its rows for the current line in a
/// grid below (ParentRowNo = the line's RowNo). Deleting a line deletes its
/// sub-lines; the maker is stamped on add, copy and edit; a hidden line
/// currency follows the head's. Users sort the grids only while browsing.
class TfrmMasterSubData : public TfrmMasterData
{
    Q_OBJECT

public:
    explicit TfrmMasterSubData(QWidget *parent = nullptr);

    TOrvDataSet &Detaildata() const { return Dataset(1); }
    TZDBGrid *GetDetailGrid() const { return m_grid; }
    /// Column layouts are kept per module.
    QString GridLogTag() override { return GetProgID(); }
    TZDBGrid *SubDetailGrid() const { return m_subGrid; }
    QTabWidget *PageControl() const { return m_pages; }

    void SetProgID(const QString &progID) override;

protected:
    void AfterFormInit() override;
    void AfterAddNew() override;
    void AfterCopy() override;
    void AfterEdit() override;
    void SetFrmState(int state) override;
    void BeforeSave() override;
    void OpenBillDataset(const QString &key) override;
    /// Whether the window lays out the head's fields itself (a window with
    /// designed editors answers false).
    virtual bool AutoCreateCtrl() { return true; }
    /// Filters the sub-lines to those of the current line.
    void SetDatasetFilter();
    void ReFreshGrid(TZDBGrid &grid);
    void resizeEvent(QResizeEvent *event) override;

private:
    void stampMaker();
    void deleteSubLines();
    void placeGrids();

    QTabWidget *m_pages;
    QWidget *m_detailSheet;
    TZDBGrid *m_grid;
    TZDBGrid *m_subGrid = nullptr;
    TAutoDesignUI *m_design;
    bool m_settingUp = true;
    bool m_gridsReady = false;
};
