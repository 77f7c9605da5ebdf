#include "ZRptSql.h"

#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZTable.h"

namespace {

/// The first key column of a table (its KeyFields' first item).
QString firstKey(const TZTable &table)
{
    return ZTrim(table.KeyFields.section(QLatin1Char(','), 0, 0));
}

} // namespace

const TZTable *ZRptMasterTable(const TZDataSource &source, int index)
{
    if (index < 0 || index >= source.DatasetCount())
        return nullptr;
    const TZDataset &dataset = *source.Datasets.at(std::size_t(index));
    return dataset.Tables.empty() ? nullptr : dataset.Tables.front().get();
}

QString ZRptTableName(const TZDataSource &source, int index)
{
    const TZTable *table = ZRptMasterTable(source, index);
    return table ? ZTrim(table->Name) : QString();
}

QString ZRptSourceSql(const TZDataSource &source, const QString &selectList)
{
    const TZTable *master = ZRptMasterTable(source, 0);
    if (!master)
        return {};
    const QString masterFlag =
        master->Flag != 0 ? QStringLiteral(" And A.Flag = %1").arg(master->Flag) : QString();
    const TZTable *detail = ZRptMasterTable(source, 1);
    if (!detail) {
        return QStringLiteral(" Select %1 \r\n From %2 A\r\n Where 1=1 %3")
            .arg(selectList, ZTrim(master->Name), masterFlag);
    }
    QString flagJoin;
    if (master->Flag != 0 && detail->Flag != 0)
        flagJoin = QStringLiteral(" And A.Flag = B.Flag + %1").arg(master->Flag - detail->Flag);
    else if (detail->Flag != 0)
        flagJoin = QStringLiteral(" And B.Flag = %1").arg(detail->Flag);
    return QStringLiteral(" Select %1 \r\n From %2 A\r\n Left Join %3 B On (A.%4 = B.%5 %6) \r\n Where 1=1 %7")
        .arg(selectList, ZTrim(master->Name), ZTrim(detail->Name), firstKey(*master), firstKey(*detail), flagJoin,
             masterFlag);
}

bool ZRptTableHasCheck(const QString &tableName)
{
    if (ZIsBlank(tableName))
        return false;
    const std::unique_ptr<TZClientDataSet> shape =
        DBConn().DBOpenDataSet(QStringLiteral("Select * From %1 Where 1=2").arg(ZTrim(tableName)));
    return shape->FindField(QStringLiteral("HasCheck")) != nullptr;
}
