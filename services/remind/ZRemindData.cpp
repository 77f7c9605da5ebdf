#include "ZRemindData.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

QString ZRemindSetListSql()
{
    return GetDataSource(QStringLiteral("comRemindSet")).GetDataSetSQL(0, true) + QStringLiteral(" And A.IsValid <> 0 ");
}

bool ZRemindUsesDetail(const QString &where)
{
    if (where.contains(QLatin1String("B.")))
        return true;
    for (int n = 0; n <= 99; ++n) {
        if (where.contains(QStringLiteral("B%1.").arg(n)))
            return true;
    }
    return false;
}

QString ZRemindDataSql(const QString &progID, const QString &where)
{
    TZDataSource &source = GetDataSource(ZTrim(progID));
    const bool detail = ZRemindUsesDetail(where);
    // Joined with its lines a record would come once per line: Distinct
    // keeps one row per record (and leaves out memo and picture columns,
    // which a count and a list of records do not need).
    return source.GetDataSetSQLEx(0, true, true, false, detail, detail) + TranSqlWhere(source, where);
}

QString ZRemindDataSqlOf(const QString &remindID, QString *progID)
{
    const QStringList values = DBConn().DBSelectValue(
        QStringLiteral("Select ProgID, RemindWhere From comRemindSet Where RemindID = %1").arg(ZQuotedStr(remindID)));
    if (values.size() < 2 || ZTrim(values.at(0)).isEmpty())
        throw EZError(QStringLiteral("提醒精灵[%1]没有设定单据").arg(ZTrim(remindID)));
    if (progID)
        *progID = ZTrim(values.at(0));
    return ZRemindDataSql(values.at(0), values.at(1));
}
