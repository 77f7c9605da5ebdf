// Opening records and moving between them, the search window, and the
// last-key store.

#include "TfrmMasterData.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "ini/TZIniFile.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZPowers.h"
#include "settings/ZSession.h"

#include <QCoreApplication>

namespace {

QString keyLogPath()
{
    return GetCurrPath() + QStringLiteral("log/keyvalues_%1.log").arg(UserInfo.UserID);
}

} // namespace

void TfrmMasterData::OpenBillDataset(const QString &key)
{
    TZDataSource &source = DataSource();
    TDBConn &db = DBConn();
    for (int i = 0; i < DatasetCount(); ++i) {
        const QString sql = source.GetOneBillSQL(i, key, true);
        TOrvDataSet &dataSet = Dataset(i);
        dataSet.DisableControls();
        try {
            db.DBOpenDataSet(dataSet, sql);
        } catch (...) {
            dataSet.EnableControls();
            throw;
        }
        dataSet.EnableControls();
        TakeSnapshot(i);
    }
}

void TfrmMasterData::TakeSnapshot(int index)
{
    // The snapshot holds the record as read: a copy of the rows just loaded,
    // not a second read.
    TOrvDataSet &dataSet = Dataset(index);
    std::vector<TZRowPtr> copies;
    copies.reserve(dataSet.store()->rows.size());
    for (const TZRowPtr &row : dataSet.store()->rows) {
        auto copy = std::make_shared<TZRowData>();
        copy->values() = row->values();
        copies.push_back(std::move(copy));
    }
    Snapshot(index).LoadRows(dataSet.store()->columns, std::move(copies), {}, dataSet.BaseTable());
}

bool TfrmMasterData::MoveTo(const QString &key, bool showMessage)
{
    if (Editing())
        throw EZError(QStringLiteral("当前窗体已经于编辑状态，无法移到指定记录"));
    OpenBillDataset(key);
    bool found = !MasterData().IsEmpty();
    if (!found && !ZTrim(key).isEmpty()) {
        if (showMessage)
            ShowStatus(QStringLiteral("查询不到主键值为") + key + QStringLiteral("的数据，或没有权限查看！"));
        const QString first = DataSource().GetFirstKeyValue(MoveWhere());
        if (!first.isEmpty())
            OpenBillDataset(first);
    }
    m_currKeyValue = MasterData().IsEmpty() ? QString() : ZTrim(MasterData().FieldByName(m_keyFieldName).AsString());
    if (MasterData().IsEmpty()) {
        SetFrmState(fsNoRecord);
    } else {
        const TZDataField *check = MasterData().FindField(QStringLiteral("HasCheck"));
        const int hasCheck = check ? check->AsInteger() : 0;
        SetFrmState(hasCheck == -1 ? fsVoided : hasCheck == 1 ? fsChecked : fsBrowse);
    }
    return found;
}

QString TfrmMasterData::MoveWhere()
{
    if (IsAdminUser() || GetHavePowerEx(m_progID, piAllBrowse) || !MasterData().FindField(QStringLiteral("MakerID")))
        return {};
    return QStringLiteral(" And MakerID = ") + ZQuotedStr(UserInfo.PersonID);
}

QString TfrmMasterData::GetMasterTableFlagWhere() const
{
    return DataSource().GetMasterTableFlagWhere(false);
}

void TfrmMasterData::MoveFirst()
{
    const QString key = DataSource().GetFirstKeyValue(MoveWhere());
    if (key.isEmpty() || key == m_currKeyValue)
        ShowStatus(QStringLiteral("已经是第一笔"));
    else
        MoveTo(key);
}

void TfrmMasterData::MoveLast()
{
    const QString key = DataSource().GetLastKeyValue(MoveWhere());
    if (key.isEmpty() || key == m_currKeyValue)
        ShowStatus(QStringLiteral("已经是最后一笔"));
    else
        MoveTo(key);
}

void TfrmMasterData::MovePrior()
{
    const QString key = DataSource().GetPriorKeyValue(m_currKeyValue, MoveWhere());
    if (key.isEmpty())
        ShowStatus(QStringLiteral("已经是第一笔"));
    else
        MoveTo(key);
}

void TfrmMasterData::MoveNext()
{
    const QString key = DataSource().GetNextKeyValue(m_currKeyValue, MoveWhere());
    if (key.isEmpty())
        ShowStatus(QStringLiteral("已经是最后一笔"));
    else
        MoveTo(key);
}

void TfrmMasterData::openFallbackRecord()
{
    QString key = LastKeyValue();
    if (!key.isEmpty() && MoveTo(key, false))
        return;
    key = DataSource().GetFirstKeyValue(MoveWhere());
    MoveTo(key, false);
}

void TfrmMasterData::DoSearch()
{
    // The search window is reused for the same module; whichever record
    // window asked last gets the rows clicked there.
    if (QWidget *search = WakeUpForm(QStringLiteral("TfrmSearch"), wtShow, m_progID, QString())) {
        TZMessageEvent parent(ZWM_PARENTHANDLE, QString(), QString(), Handle());
        QCoreApplication::sendEvent(search, &parent);
    }
}

void TfrmMasterData::KeyValuLog(const QString &key)
{
    if (m_progID.isEmpty())
        return;
    TZIniFile file(keyLogPath());
    file.WriteString(m_progID, QStringLiteral("CurrKeyValues"), key);
}

QString TfrmMasterData::LastKeyValue() const
{
    if (m_progID.isEmpty())
        return {};
    TZIniFile file(keyLogPath());
    return ZTrim(file.ReadString(m_progID, QStringLiteral("CurrKeyValues"), QString()));
}
