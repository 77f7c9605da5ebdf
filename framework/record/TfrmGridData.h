#pragma once

#include "record/TfrmMasterData.h"

class TZDBGrid;

/// A whole small table in one editable grid (code tables): every row of the
/// module's master dataset, numbered by SerNo when the table has one, edited
/// in place and saved as a whole: rows gone from the grid are deleted, rows
/// changed are stored under their key, new rows appended; one change-log
/// row per save.
class TfrmGridData : public TfrmMasterData
{
    Q_OBJECT

public:
    explicit TfrmGridData(QWidget *parent = nullptr);

    /// The rows: the window's master dataset holds them all.
    TOrvDataSet &Detaildata() const { return MasterData(); }
    TZDBGrid *Grid() const { return m_grid; }
    /// The key columns of the rows (the data source's MasterKey).
    QString GetKeyFields() const;
    /// Loads every row.
    void GetDetailData();
    QString GetDetailDataSql() const;

protected:
    void AfterFormInit() override;
    bool MoveTo(const QString &key, bool showMessage = true) override;
    void OpenBillDataset(const QString &key) override;
    void DoAddNew() override;
    QString GetNewMasterKeyValue() override;
    void DoEdit() override;
    void BeforeSave() override;
    void DoSave() override;
    void AfterSave() override;
    void DoCancel() override;
    void BeforeDelete() override;
    void DoDelete() override;
    void AfterDelete() override;
    void SetFrmState(int state) override;
    void FieldOnValidate(TZDataField &field, const QVariant &newValue) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void writeGrid();

    TZDBGrid *m_grid;
};
