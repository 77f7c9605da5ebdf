// The change log row of every saved or deleted record, and the notice to
// the module's list windows.

#include "TfrmMasterData.h"

#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/ZDataSetXml.h"
#include "data/ZOpLog.h"
#include "metadata/TOrvDataSet.h"
#include "settings/ZSession.h"

#include <QCoreApplication>

namespace {

QString datasetsXml(const std::function<TZClientDataSet &(int)> &dataSetAt, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        TZClientDataSet &dataSet = dataSetAt(i);
        parts << (dataSet.Active() ? RecordsetToXMLString(dataSet) : QString());
    }
    return parts.join(QStringLiteral("[KRV_XML_KRV]"));
}

} // namespace

void TfrmMasterData::DoAddChangeLog(const QString &changeType)
{
    TDBConn &db = DBConn();
    QString key = m_currKeyValue;
    if (changeType != QLatin1String("删除") && !MasterData().IsEmpty())
        key = ZTrim(MasterData().FieldByName(m_keyFieldName).AsString());
    TZClientDataSet log;
    db.DBOpenDataSet(log, QStringLiteral("Select * From comChangeLog Where 1=2"));
    log.Append();
    log.FieldByName(QStringLiteral("ProgID")).SetAsString(m_progID);
    log.FieldByName(QStringLiteral("KeyValue")).SetAsString(key);
    log.FieldByName(QStringLiteral("ChangeType")).SetAsString(changeType);
    log.FieldByName(QStringLiteral("UserID")).SetAsString(UserInfo.UserID);
    log.FieldByName(QStringLiteral("ComputerName")).SetAsString(LocalComputerName());
    log.FieldByName(QStringLiteral("WindowUser")).SetAsString(LocalUserName());
    log.FieldByName(QStringLiteral("LocalIP")).SetAsString(LocalIPAddress());
    log.FieldByName(QStringLiteral("ChangeTime")).SetAsDateTime(db.DBGetServerDateTime());
    log.FieldByName(QStringLiteral("OldData_XML"))
        .SetAsString(datasetsXml([this](int i) -> TZClientDataSet & { return Snapshot(i); }, DatasetCount()));
    log.FieldByName(QStringLiteral("NewData_XML"))
        .SetAsString(datasetsXml([this](int i) -> TZClientDataSet & { return Dataset(i); }, DatasetCount()));
    log.Post();
    log.UpdateBatch();
}

void TfrmMasterData::RefreshListForm()
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form == this || form->Closed() || !form->inherits("TfrmListForm")
            || form->GetProgID().compare(m_progID, Qt::CaseInsensitive) != 0)
            continue;
        QCoreApplication::postEvent(form, new TZMessageEvent(ZWM_RELOADLIST));
    }
}
