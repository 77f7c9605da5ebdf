#include "TfrmGridData.h"
#include "TZStoredRows.h"
#include "ZRowWalk.h"

#include "common/ZCounting.h"
#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "forms/ZMessageBox.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"

#include <QHash>
#include <QResizeEvent>

TfrmGridData::TfrmGridData(QWidget *parent) : TfrmMasterData(parent), m_grid(new TZDBGrid(this))
{
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    SetSizeable(true);
    resize(640, 420);
}

QString TfrmGridData::GetKeyFields() const
{
    return DataSource().MasterKey;
}

QString TfrmGridData::GetDetailDataSql() const
{
    return DataSource().GetDataSetSQL(0, true);
}

void TfrmGridData::GetDetailData()
{
    TOrvDataSet &rows = Detaildata();
    DBConn().DBOpenDataSet(rows, GetDetailDataSql());
    if (TZDataField *serNo = rows.FindField(QStringLiteral("SerNo"))) {
        rows.DisableControls();
        const int count = rows.RecordCount();
        for (int r = 1; r <= count; ++r) {
            rows.SetRecNo(r);
            if (serNo->AsInteger() != r) {
                rows.Edit();
                serNo->SetAsInteger(r);
                rows.Post();
            }
        }
        rows.MergeChangeLog();
        rows.First();
        rows.EnableControls();
    }
    TakeSnapshot(0);
}

void TfrmGridData::AfterFormInit()
{
    m_grid->SetDataSet(&Detaildata());
    TfrmMasterData::AfterFormInit();
    GetDetailData();
    RefreshGridByDS(*m_grid, [this](const QString &) { DoSelectID(); });
    for (const char *name : {"actFirst", "actPrior", "actNext", "actLast", "actCopy", "actFind"}) {
        if (QAction *action = Action(QLatin1String(name)))
            action->setVisible(false);
    }
}

void TfrmGridData::OpenBillDataset(const QString &)
{
    GetDetailData();
}

bool TfrmGridData::MoveTo(const QString &key, bool)
{
    OpenBillDataset(key);
    TOrvDataSet &rows = Detaildata();
    const bool found = !ZTrim(key).isEmpty() && rows.Locate(KeyFieldName(), {key}, true);
    SetFrmState(rows.IsEmpty() ? fsNoRecord : fsBrowse);
    return found;
}

QString TfrmGridData::GetNewMasterKeyValue()
{
    // The next key after the stored ones that no row of the grid holds yet.
    QString key = TfrmMasterData::GetNewMasterKeyValue();
    TOrvDataSet &rows = Detaildata();
    QSet<QString> taken;
    TZClientDataSet all;
    all.CloneCursor(rows);
    const int column = rows.FieldByName(KeyFieldName()).Index();
    for (const TZRowData *row : all.visibleRows())
        taken.insert(ZTrim(row->values().at(column).toString()).toUpper());
    while (!key.isEmpty() && taken.contains(key.toUpper()))
        key = IncString(key);
    return key;
}

void TfrmGridData::DoAddNew()
{
    Detaildata().CheckBrowseMode();
    Detaildata().Append();
}

void TfrmGridData::DoEdit() {}

void TfrmGridData::SetFrmState(int state)
{
    TfrmMasterData::SetFrmState(state);
    m_grid->SetReadOnly(!Editing());
    m_grid->SetSortingAllowed(state >= fsBrowse);
}

void TfrmGridData::BeforeSave()
{
    TOrvDataSet &rows = Detaildata();
    rows.CheckBrowseMode();
    // Keys are upper-cased and must be unique among the rows; new and
    // changed rows get the time stamps and the synchronisation mark.
    TZDataField &key = rows.FieldByName(KeyFieldName());
    TZDataField *created = rows.FindField(QStringLiteral("SysCreateTime"));
    TZDataField *updated = rows.FindField(QStringLiteral("SysLastUpdateTime"));
    TZDataField *sync = rows.FindField(QStringLiteral("SyncCompleted"));
    const QString stamp = ServerStamp();
    const QString mark = SyncMark();
    QHash<QString, int> seen;
    ZForEachRow(rows, [&] {
        const TZRowData *row = rows.visibleRows().at(std::size_t(rows.RecNo() - 1));
        const bool changed = row->status != TZRowData::Unchanged;
        const QString value = ZTrim(key.AsString()).toUpper();
        ZSetChanged(rows, key, value);
        if (created && ZTrim(created->AsString()).isEmpty())
            ZSetChanged(rows, *created, stamp);
        if (updated && (changed || ZTrim(updated->AsString()).isEmpty()))
            ZSetChanged(rows, *updated, stamp);
        if (sync && (changed || ZTrim(sync->AsString()).isEmpty()))
            ZSetChanged(rows, *sync, mark);
        if (!value.isEmpty() && seen.contains(value)) {
            const TZField *definition = rows.ZFieldOf(key);
            throw EZError(QLatin1Char('[') + (definition ? definition->DisplayName : KeyFieldName())
                          + QStringLiteral("]字段值[") + value + QStringLiteral("]出现重复"));
        }
        seen.insert(value, rows.RecNo());
    });
    checkRequired(0, QString());
}

void TfrmGridData::writeGrid()
{
    TOrvDataSet &rows = Detaildata();
    rows.CheckBrowseMode();
    TZClientDataSet grid;
    grid.CloneCursor(rows);
    grid.SetFiltered(false);
    TZClientDataSet work;
    DBConn().DBOpenDataSet(work, DataSource().GetDataSetSQL(0, false));
    const QString keyName = GetKeyFields();
    const int keyColumn = rows.FieldByName(keyName).Index();
    QHash<QString, const TZRowData *> wanted;
    for (const TZRowData *row : grid.visibleRows())
        wanted.insert(ZTrim(row->values().at(keyColumn).toString()).toCaseFolded(), row);
    TZStoredRows stored(rows, work);
    TZDataField &storedKey = work.FieldByName(keyName);
    QSet<QString> kept;
    work.First();
    while (!work.Eof()) {
        const QString key = ZTrim(storedKey.AsString()).toCaseFolded();
        const auto found = wanted.constFind(key);
        if (found == wanted.constEnd()) {
            work.Delete();
            continue;
        }
        kept.insert(key);
        stored.Update(found.value()->values(), false);
        work.Next();
    }
    for (const TZRowData *row : grid.visibleRows()) {
        if (!kept.contains(ZTrim(row->values().at(keyColumn).toString()).toCaseFolded()))
            stored.Append(row->values());
    }
    work.UpdateBatch();
}

void TfrmGridData::DoSave()
{
    writeGrid();
    DoAddChangeLog(QStringLiteral("修改"));
}

void TfrmGridData::AfterSave()
{
    const QString key = Detaildata().IsEmpty() ? QString() : Detaildata().FieldByName(KeyFieldName()).AsString();
    SetFrmState(fsBrowse);
    MoveTo(key);
    DataSource().ReFreshDataList();
    DataSource().SetNeedReGetLookUpListData(true);
    RefreshListForm();
}

void TfrmGridData::DoCancel()
{
    if (ShowCancelRemind()
        && ZMessageBox(QStringLiteral("提示"), QStringLiteral("您确定取消吗？"), {zbYes, zbNo}) != zbYes)
        throw EZAbort();
    TOrvDataSet &rows = Detaildata();
    if (rows.State() != dsBrowse)
        rows.Cancel();
    rows.CancelBatch();
    SetFrmState(fsBrowse);
    MoveTo(CurrKeyValue());
}

void TfrmGridData::BeforeDelete()
{
    TOrvDataSet &rows = Detaildata();
    if (rows.IsEmpty())
        throw EZAbort();
    SetCurrKeyValue(ZTrim(rows.FieldByName(KeyFieldName()).AsString()));
    TfrmMasterData::BeforeDelete();
}

void TfrmGridData::DoDelete()
{
    // The row leaves the grid only with the write: a failed write brings it
    // back (nothing else is pending while browsing).
    try {
        Detaildata().Delete();
        writeGrid();
        DoAddChangeLog(QStringLiteral("删除"));
    } catch (...) {
        Detaildata().CancelBatch();
        throw;
    }
}

void TfrmGridData::FieldOnValidate(TZDataField &field, const QVariant &newValue)
{
    // Every row has its own key: a stored key that other records use keeps
    // its value (the key as the row was read, not the window's record key).
    if (field.DataSet() == &Detaildata() && field.FieldName().compare(KeyFieldName(), Qt::CaseInsensitive) == 0) {
        const QString stored = ZTrim(field.OldValue().toString());
        QString name;
        int datasetIndex = 0;
        if (DataSource().CheckInUsed && !stored.isEmpty()
            && ZTrim(newValue.toString()).compare(stored, Qt::CaseInsensitive) != 0
            && GetCheckInUsed(stored, name, datasetIndex))
            throw EZError(QStringLiteral("此资料已被[%1]的第%2个数据集所用，主键不能修改").arg(name).arg(datasetIndex));
        return;
    }
    TfrmMasterData::FieldOnValidate(field, newValue);
}

void TfrmGridData::AfterDelete()
{
    SetFrmState(fsBrowse);
    MoveTo(QString());
    DataSource().ReFreshDataList();
    RefreshListForm();
}

void TfrmGridData::resizeEvent(QResizeEvent *event)
{
    TfrmMasterData::resizeEvent(event);
    m_grid->setGeometry(2, 32, width() - 4, height() - 32 - 22);
}
