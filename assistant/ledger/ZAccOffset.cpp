#include "ZAccOffset.h"

#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"

#include <QSet>

void RecomputeBillOffset(int flag, const QString &billNo)
{
    const std::unique_ptr<TZClientDataSet> sum = DBConn().DBOpenDataSet(
        QStringLiteral("Select Sum(Offset) From accGatherSub  Where Flag = %1 And FeeBillNo = %2")
            .arg(flag)
            .arg(ZQuotedStr(billNo)));
    const Currency total = sum->IsEmpty() || sum->Fields(0).IsNull() ? Currency() : sum->Fields(0).AsCurrency();
    DBConn().DBExcuteSql(
        QStringLiteral("Update accFee set Offset = %1, RemainMoney = FeeMoney - %1 - Discount - NowRecv "
                       "Where Flag = %2 and BillNo = %3")
            .arg(total.toString())
            .arg(flag)
            .arg(ZQuotedStr(billNo)));
}

void RecomputeBillOffsets(int flag, const QStringList &billNos)
{
    QSet<QString> done;
    for (const QString &billNo : billNos) {
        const QString key = ZTrim(billNo);
        if (key.isEmpty() || done.contains(key))
            continue;
        done.insert(key);
        RecomputeBillOffset(flag, key);
    }
}

QStringList OffsetBillsOf(int flag, const QString &gatherBillNo)
{
    const std::unique_ptr<TZClientDataSet> lines =
        DBConn().DBOpenDataSet(QStringLiteral("Select FeeBillNo From accGatherSub Where Flag = %1 And BillNo = %2")
                                   .arg(flag)
                                   .arg(ZQuotedStr(gatherBillNo)));
    QStringList billNos;
    for (lines->First(); !lines->Eof(); lines->Next())
        billNos << lines->Fields(0).AsString();
    return billNos;
}

std::vector<Currency> AutoOffsets(Currency amount, const std::vector<Currency> &remains, std::vector<Currency> current)
{
    current.resize(remains.size());
    Currency left = amount;
    for (std::size_t i = 0; i < remains.size() && left > Currency(); ++i) {
        current[i] = left > remains[i] ? remains[i] : left;
        left -= current[i];
    }
    return current;
}
