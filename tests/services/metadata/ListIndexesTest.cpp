// The indexes of the list statements: built from the shipped definitions
// into the template, and used by the period and full lists of every module
// with a date field, so that no list sorts its rows in a temporary B-tree.
#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZQueryPlan.h"

#include "data/TDBConn.h"
#include "data/ZAccessSql.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZListIndexes.h"
#include "settings/ZSession.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ListIndexes : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyShipped(QStringLiteral("DBSource"));
        InitSysIDAndProgID();
    }
};

} // namespace

TEST_F(ListIndexes, DefinitionsGiveFlagDateAndKeyPerListedTable)
{
    const QList<TZIndexDef> indexes =
        LoadListIndexDefinitions(s("DBSource"), LoadTableDefinitions(s(ZKVA_PROGRAM_DIR "/DBTables"), true));
    const auto columnsOf = [&indexes](const QString &table) {
        QStringList found;
        for (const TZIndexDef &index : indexes) {
            if (index.TableName == table)
                found << index.Columns.join(QLatin1Char(','));
        }
        return found;
    };
    EXPECT_EQ(columnsOf(s("moxRemind")), QStringList{s("Flag,CreateDate,RemindID")});
    // Income and expenses share the table; the declared index serves the balances.
    EXPECT_EQ(columnsOf(s("moxIncomeFee")), (QStringList{s("Flag,ItemDate,BillNo"), s("AccountID,Flag,ItemMoney")}));
    EXPECT_EQ(columnsOf(s("moxAccountTran")),
              (QStringList{s("TranDate,BillNo"), s("SrcAccountID,TranMoney"), s("DestAccountID,TranMoney")}));
    EXPECT_EQ(columnsOf(s("moxDiary")), QStringList{s("CreateDate,DiaryID")});
    EXPECT_TRUE(columnsOf(s("moxAccount")).isEmpty()); // no date field
}

TEST_F(ListIndexes, DeclaredIndexesTakeTheDefinitionsSpellingAndSkipWhatTheyLack)
{
    QFile file(path(s("DBSource/Indexes.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[MOXACCOUNTTRAN]\nA= srcaccountid , tranmoney\nB=SrcAccountID,NoSuchColumn\n"
               "[NoSuchTable]\nC=AccountID\n[moxAccount]\nD=\nE=AccountID\nF=AccountID\n");
    file.close();
    QList<TZIndexDef> declared;
    for (const TZIndexDef &index :
         LoadListIndexDefinitions(s("DBSource"), LoadTableDefinitions(s(ZKVA_PROGRAM_DIR "/DBTables"), true))) {
        if (index.TableName == s("moxAccount") || index.Columns.contains(s("TranMoney")) || index.Columns.size() == 1)
            declared << index;
    }
    ASSERT_EQ(declared.size(), 2);
    EXPECT_EQ(declared[0].TableName, s("moxAccountTran"));
    EXPECT_EQ(declared[0].Columns, (QStringList{s("SrcAccountID"), s("TranMoney")}));
    EXPECT_EQ(declared[1].TableName, s("moxAccount"));
    EXPECT_EQ(declared[1].Columns, QStringList{s("AccountID")});
}

TEST_F(ListIndexes, AccountBalanceSumsReadACoveringIndex)
{
    for (const char *sql : {"Select Sum(ItemMoney) From moxInComeFee Where Flag = 1 And AccountID = 'A'",
                            "Select Sum(TranMoney) From moxAccountTran Where SrcAccountID = 'A'",
                            "Select Sum(TranMoney) From moxAccountTran Where DestAccountID = 'A'"}) {
        const QString steps = ZQueryPlan(QString::fromLatin1(sql));
        SCOPED_TRACE(steps.toStdString());
        EXPECT_TRUE(steps.contains(s("COVERING INDEX"))) << sql;
    }
}

TEST_F(ListIndexes, ListsOfDatedModulesReadAnIndexInTheirOrder)
{
    int dated = 0;
    for (const QString &module : RegisteredProgIDs()) {
        TZDataSource &source = GetDataSource(module);
        if (source.DateField.trimmed().isEmpty())
            continue;
        ++dated;
        for (TDataArea area : {lsToday, lsThisWeek, lsThisMonth, lsThisYear, lsAll}) {
            const QString sql = source.Datasets.front()->GetListSql(area);
            const QString steps = ZQueryPlan(sql);
            SCOPED_TRACE(sql.toStdString() + "\n" + steps.toStdString());
            EXPECT_FALSE(steps.contains(s("TEMP B-TREE")));
            EXPECT_TRUE(steps.contains(s("INDEX IX_"))) << module.toStdString();
            if (area != lsAll) {
                EXPECT_TRUE(steps.contains(s("<?)"))) << module.toStdString(); // a range of the index
            }
        }
    }
    EXPECT_GE(dated, 10);
}

TEST_F(ListIndexes, PeriodListsFindTheRowsOfTheirPeriodToItsEdges)
{
    TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0))); // a Monday; its week began on Sunday the 6th
    TDBConn &db = DBConn();
    const char *const moments[] = {"2026-12-06 00:00:00", "2026-12-05 23:59:59.999", "2026-12-07",
                                   "2026-12-07 23:59:59", "2026-12-08 00:00:00",     "2026-12-01 00:00:00",
                                   "2026-11-30 23:59:59", "2027-01-01 00:00:00",     "2026-01-01 00:00:00",
                                   "2026-12-13 00:00:00"};
    int n = 0;
    for (const char *moment : moments)
        db.DBExcuteSql(s("insert into moxDiary(DiaryID, CreateDate) values('D%1', '%2')").arg(++n).arg(s(moment)));
    TZDataset &list = *GetDataSource(s("moxDiary")).Datasets.front();
    EXPECT_EQ(db.GetRecordCount(list.GetListSql(lsToday)), 2);
    EXPECT_EQ(db.GetRecordCount(list.GetListSql(lsThisWeek)), 4);
    EXPECT_EQ(db.GetRecordCount(list.GetListSql(lsThisMonth)), 7);
    EXPECT_EQ(db.GetRecordCount(list.GetListSql(lsThisYear)), 9);
    EXPECT_EQ(db.GetRecordCount(list.GetListSql(lsAll)), 10);
}
