// Feeds arbitrary condition text to the condition translator over a small
// bill with a detail dataset. A condition that names nothing known may raise
// the system's error; nothing else may happen.

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir *folder = nullptr;

const char kBill[] = R"([<DSDataSource>]
DisplayName=收入单
MasterKey=BillNo
DateField=BillDate
[<DSDataset>Master]
DatasetIndex=0
[<DSDataset>Detail]
DatasetIndex=1
[<DSTable>Master-accFee]
TableName=accFee
Flag=1
[<DSField>Master-accFee-BillNo]
FieldName=BillNo
DisplayName=单号
Visible=True
[<DSField>Master-accFee-BillDate]
FieldName=BillDate
DisplayName=日期
FieldType=dat
Visible=True
[<DSField>Master-accFee-RemindTime]
FieldName=RemindTime
DisplayName=时间
FieldType=tim
Visible=True
[<DSField>Master-accFee-FeeMoney]
FieldName=FeeMoney
DisplayName=金额
FieldType=mon
Visible=True
[<DSTable>Detail-accGatherSub]
TableName=accGatherSub
[<DSField>Detail-accGatherSub-Offset]
FieldName=Offset
DisplayName=冲款
FieldType=mon
Visible=True
)";

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = new QTemporaryDir;
    qputenv("ZKVA_HOME", folder->path().toUtf8());
    QDir(folder->path()).mkpath(QStringLiteral("DBSource"));
    QFile file(folder->path() + QStringLiteral("/DBSource/accIncome.dbs"));
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write(kBill, qint64(sizeof kBill - 1));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        TranWordItem(text);
        const QString where = TranSqlWhere(GetDataSource(QStringLiteral("accIncome")), text);
        if (!ZIsBlank(text) && !where.startsWith(QLatin1String(" And (")))
            std::abort();
    } catch (const EZError &) {
    }
    return 0;
}
