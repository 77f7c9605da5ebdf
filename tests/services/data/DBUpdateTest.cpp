// The database update on a real old data file: a file made from an older set
// of table definitions (a column missing, a column of another type, a column
// the program no longer has, a table missing) holding Chinese text, money and
// dates is brought to the current definitions without losing a row; a table
// that cannot be converted stops the run and keeps its rows; a cancelled run
// leaves the version unwritten; the default rows come once.
#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBUpdate.h"
#include "data/ZDBUpdateDefaults.h"
#include "data/ZDBUpdateTable.h"
#include "data/ZFreeAllSource.h"
#include "metadata/ZListIndexes.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

QList<TZTableColumnDef> currentDefinitions()
{
    return LoadTableDefinitions(s(ZKVA_PROGRAM_DIR "/DBTables"), true);
}

// The definitions of an older program: moxIncomeFee without FeeMonth, its
// ItemMoney a text, with a column OldRemark since removed; no moxDiary.
QList<TZTableColumnDef> olderDefinitions()
{
    QList<TZTableColumnDef> older;
    for (TZTableColumnDef c : currentDefinitions()) {
        if (c.TableName == s("moxDiary"))
            continue;
        if (c.TableName == s("moxIncomeFee")) {
            if (c.FieldName == s("FeeMonth"))
                continue;
            if (c.FieldName == s("ItemMoney")) {
                c.FieldType = s("ftZString");
                c.FieldLength = 30;
            }
        }
        older << c;
    }
    older << TZTableColumnDef{s("moxIncomeFee"), s("OldRemark"), s("旧备注"), s("ftZString"), 50, false, 99, {}};
    return older;
}

class DBUpdate : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyUpdateData();
    }

    // Makes data file 1 from the older definitions, with rows.
    void makeOldDataFile(const QString &money)
    {
        QDir().mkpath(path(s("DBFiles")));
        const QList<TZTableColumnDef> older = olderDefinitions();
        {
            auto db = ZCreateDataFile(path(s("DBFiles/DBAcs1.orv")));
            db->begin();
            for (const QString &table : ZDefinedTables(older))
                CreateTable(*db, older, table);
            db->commit();
        }
        TDBConn &db = DBConn();
        db.DBExcuteSql(s("insert into moxIncomeFee(Flag, BillNo, ItemDate, InOutType, AccountID, Item, ItemMoney, "
                         "Remark, OldRemark) values(1, 'SR001', '2023-05-06 00:00:00', '收入', 'A1', '工资', '%1', "
                         "'五月工资', '丢弃')")
                           .arg(money));
        db.DBExcuteSql(s("insert into moxIncomeFee(Flag, BillNo, ItemDate, Item, ItemMoney) "
                         "values(2, 'ZC001', '2023-06-01 00:00:00', '午餐“便当”', '')"));
        db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) "
                         "values('A1', '招商银行', 100.25, 2000.5)"));
        // Numbers with more digits than their text form of 15 keeps.
        db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) "
                         "values('A2', '大额', 123456789012.3456, 0)"));
        db.DBExcuteSql(s("insert into moxTask(TaskID, TaskName, CompleteRate) values('T1', '精度', "
                         "0.12345678901234567)"));
    }

    bool run(TZDBUpdate &update, const QStringList &tables = {})
    {
        update.OnMessage = [this](const QString &text) { messages << text; };
        return update.Execute(tables.isEmpty() ? ZDefinedTables(currentDefinitions()) : tables, TZDBUpdateOptions());
    }

    TZDBUpdate newUpdate() const
    {
        const QList<TZTableColumnDef> defs = currentDefinitions();
        return TZDBUpdate(defs, LoadListIndexDefinitions(s("DBSource"), defs));
    }

    static QStringList rows(const QString &sql) { return DBConn().DBSelectValue(sql); }

    // The columns with their declared types, indexes and triggers of the
    // data file, for comparing it with the template.
    static QStringList schema(TZDbConnection &db)
    {
        QStringList lines;
        auto read =
            db.prepare(s("select m.type || ' ' || m.name || ' ' || coalesce(p.name, '') || ' ' || coalesce(p.type, '') "
                         "from sqlite_master m left join pragma_table_info(m.name) p on m.type = 'table' "
                         "where m.name not like 'sqlite%' order by m.name, p.cid"));
        while (read->step())
            lines << read->value(0, ftZString).toString();
        return lines;
    }

    QStringList messages;
};

} // namespace

TEST_F(DBUpdate, AnOldDataFileGetsTheCurrentTablesWithEveryRowOnce)
{
    makeOldDataFile(s("1234.56789"));
    ASSERT_TRUE(DBConn().IsNeedUpdate());
    TZDBUpdate update = newUpdate();
    int backups = 0;
    update.OnBackUp = [&backups] { ++backups; };
    ASSERT_TRUE(run(update)) << messages.join(s("\n")).toStdString();
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(messages.last(), s("升级成功！"));
    EXPECT_TRUE(messages.contains(s("已将包中注册窗体类信息存入数据库中.")));
    EXPECT_TRUE(messages.contains(s("正在升级第1张表：accFee"))) << messages.join(s("\n")).toStdString();

    // Values converted by their new kinds; new columns empty; nothing lost.
    EXPECT_EQ(rows(s("select BillNo, Item, ItemMoney, FeeMonth, Remark, ItemDate from moxIncomeFee where Flag = 1")),
              QStringList({s("SR001"), s("工资"), s("1234.5679"), s("0"), s("五月工资"), s("2023-05-06 00:00:00")}));
    EXPECT_EQ(rows(s("select Item, ItemMoney, AccountID from moxIncomeFee where Flag = 2")),
              QStringList({s("午餐“便当”"), s("0"), QString()}));
    EXPECT_EQ(rows(s("select AccountName, InitMoney, CurrMoney from moxAccount where AccountID = 'A1'")),
              QStringList({s("招商银行"), s("100.25"), s("2000.5")}));
    EXPECT_EQ(rows(s("select InitMoney = 123456789012.3456 from moxAccount where AccountID = 'A2'")),
              QStringList({s("1")}));
    EXPECT_EQ(rows(s("select CompleteRate = 0.12345678901234567 from moxTask where TaskID = 'T1'")),
              QStringList({s("1")}));
    EXPECT_FALSE(DBConn().ExistTableField(s("moxIncomeFee"), s("OldRemark")));
    EXPECT_TRUE(DBConn().ExistTable(s("moxDiary")));
    EXPECT_FALSE(DBConn().ExistTable(s("moxIncomeFee_Temp")));

    // The data file now has exactly the template's tables, columns, keys,
    // indexes and money triggers.
    TZDbConnection &db = DBConn().GetDBCONN();
    auto templ = ZOpenDataFile(path(s("DBAcs.orv")), dtDbACCESS);
    const QStringList rebuilt = schema(db);
    EXPECT_EQ(rebuilt, schema(*templ));
    EXPECT_TRUE(rebuilt.contains(s("index IX_moxIncomeFee_Flag_ItemDate_BillNo  ")));
    EXPECT_TRUE(rebuilt.contains(s("trigger zMoney_12_moxIncomeFee_ItemMoney_u  ")));
    // The money triggers work on the rebuilt table.
    DBConn().DBExcuteSql(s("update moxIncomeFee set ItemMoney = 0.123456 where Flag = 2"));
    EXPECT_EQ(rows(s("select ItemMoney from moxIncomeFee where Flag = 2")), QStringList({s("0.1235")}));

    // The default rows of a data file never updated, the version recorded.
    EXPECT_EQ(rows(s("select CurrencyName from comCurrency")), QStringList({s("人民币")}));
    EXPECT_EQ(rows(s("select AccountName from moxAccount where AccountID = '01'")), QStringList({s("现金")}));
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), GetAppVersionID());
    EXPECT_EQ(rows(s("select LastVersion from comUpdateTag where TagID = 'DBUpdate'")),
              QStringList({GetAppVersionID()}));
    EXPECT_FALSE(DBConn().IsNeedUpdate());

    // Run again, the default rows are not added a second time.
    messages.clear();
    TZDBUpdate again = newUpdate();
    ASSERT_TRUE(run(again)) << messages.join(s("\n")).toStdString();
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 1);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxIncomeFee")), 2);
}

TEST_F(DBUpdate, AFailingTableStopsTheRunAndKeepsItsRows)
{
    makeOldDataFile(s("一千"));
    SaveParamValue(s("LastUpdateVersion"), s("0.1.0.0"));
    TZDBUpdate update = newUpdate();
    EXPECT_FALSE(run(update));
    EXPECT_EQ(messages.last(), s("表 moxIncomeFee 的字段 ItemMoney 的值“一千”不是数字，无法转换。"));
    EXPECT_TRUE(messages.contains(s("正在升级第1张表：accFee")));
    EXPECT_FALSE(messages.contains(s("升级成功！")));
    for (const QString &text : std::as_const(messages))
        EXPECT_FALSE(text.contains(s("moxMyInfo"))) << "a table after the failing one was rebuilt";
    // The failing table is as it was, with its rows; the version unwritten.
    EXPECT_TRUE(DBConn().ExistTableField(s("moxIncomeFee"), s("OldRemark")));
    EXPECT_FALSE(DBConn().ExistTable(s("moxIncomeFee_Temp")));
    EXPECT_EQ(rows(s("select ItemMoney, OldRemark from moxIncomeFee where Flag = 1")),
              QStringList({s("一千"), s("丢弃")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxIncomeFee")), 2);
    // Tables before it stay rebuilt.
    EXPECT_TRUE(DBConn().ExistTable(s("moxDiary")));
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), s("0.1.0.0"));
    EXPECT_TRUE(DBConn().IsNeedUpdate());
}

TEST_F(DBUpdate, CancellingBetweenTablesLeavesTheVersionUnwritten)
{
    makeOldDataFile(s("5"));
    TZDBUpdate update = newUpdate();
    int tables = 0;
    update.OnBetweenTables = [&] {
        if (++tables == 3)
            update.Cancel();
    };
    EXPECT_FALSE(run(update));
    EXPECT_EQ(messages.last(), s("已取消升级"));
    EXPECT_EQ(messages.filter(s("正在升级第")).size(), 2);
    EXPECT_TRUE(GetParamValue(s("LastUpdateVersion")).isEmpty());
    EXPECT_TRUE(DBConn().IsNeedUpdate());
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 0); // no default rows either
}

TEST_F(DBUpdate, WithoutOldDataTheTablesAreMadeEmpty)
{
    makeOldDataFile(s("5"));
    SaveParamValue(s("LastUpdateVersion"), s("0.1.0.0"));
    TZDBUpdate update = newUpdate();
    update.OnMessage = [this](const QString &text) { messages << text; };
    TZDBUpdateOptions options;
    options.KeepOldData = false;
    ASSERT_TRUE(update.Execute({s("moxIncomeFee")}, options));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxIncomeFee")), 0);
    EXPECT_TRUE(DBConn().ExistTableField(s("moxIncomeFee"), s("FeeMonth")));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxAccount")), 2);  // not chosen, not touched
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 0); // updated before: no default rows
}

// Default-value files: sub-folders read too, any case of ".txt", a file
// with only its header skipped, a failing file told and the next one read;
// values by the column's kind.
TEST_F(DBUpdate, DefaultValueFilesFillTheirTables)
{
    const QString defaults = s("Defaults/");
    folder->writeFile(defaults + s("comCurrency.txt"), "CurrencyID,CurrencyName,FixRate,AmountDeciDigits,Unknown\r\n"
                                                       "USD,美元,7.25,x,1\r\n\r\nEUR,欧元,7.8,3,2\r\n");
    folder->writeFile(defaults + s("moxFeeType.txt"), "TypeID,TypeName\n");
    folder->writeFile(defaults + s("more/moxHumanType.TXT"), "TypeID,TypeName\n01,家人\n");
    folder->writeFile(defaults + s("noSuchTable.txt"), "A,B\n1,2\n");
    folder->writeFile(defaults + s("readme.md"), "TypeID\n1\n");
    QStringList told;
    SetDefaultValue(DBConn().GetDBCONN(), defaults, [&told](const QString &text) { told << text; });
    EXPECT_EQ(rows(s("select CurrencyName, FixRate, AmountDeciDigits from comCurrency where CurrencyID = 'EUR'")),
              QStringList({s("欧元"), s("7.8"), s("3")}));
    EXPECT_EQ(rows(s("select CurrencyName, FixRate, AmountDeciDigits from comCurrency where CurrencyID = 'USD'")),
              QStringList({s("美元"), s("7.25"), s("0")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 2);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxFeeType")), 0);
    EXPECT_EQ(rows(s("select TypeName from moxHumanType")), QStringList({s("家人")}));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().startsWith(s("为表noSuchTable新增预设值是出错，原因是："))) << told.first().toStdString();
}

// Runs in a child process: rebuilds moxIncomeFee over and over until it is
// killed.
TEST(UpdateChildProcess, RebuildsUntilKilled)
{
    const QString home = qEnvironmentVariable("ZKVA_CHILD_REBUILD");
    if (home.isEmpty())
        GTEST_SKIP() << "runs only as a child of DBUpdate.AKilledRebuildLeavesTheTableWhole";
    qputenv("ZKVA_HOME", home.toUtf8());
    FSYSID = 1003;
    FSystemType = stAlone;
    const QList<TZTableColumnDef> defs = LoadTableDefinitions(s("DBTables"), true);
    for (int round = 1;; ++round) {
        RebuildTable(DBConn().GetDBCONN(), defs, s("moxIncomeFee"), true, {});
        std::printf("rebuilt %d\n", round);
        std::fflush(stdout);
    }
}

TEST_F(DBUpdate, AKilledRebuildLeavesTheTableWhole)
{
    const QString rows = s("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                           "insert into moxIncomeFee(Flag, BillNo, ItemDate, Item, ItemMoney) "
                           "select 1, 'B' || i, '2024-01-01 00:00:00', '项目' || i, 1 + i * 0.0001 from n");
    DBConn().GetDBCONN().execute(rows);
    const QStringList before = DBConn().DBSelectValue(s("select count(*), sum(ItemMoney) from moxIncomeFee"));
    FreeAllSource();
    const QString journal = path(s("DBFiles/DBAcs1.orv-journal"));
    int interrupted = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("ZKVA_CHILD_REBUILD"), folder->path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=UpdateChildProcess.*")});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (!out.contains("rebuilt ") && waited.elapsed() < 60000) {
            child.waitForReadyRead(1000);
            out += child.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains("rebuilt ")) << out.constData() << child.readAllStandardError().constData();
        QThread::msleep(QRandomGenerator::global()->bounded(100)); // somewhere inside a rebuild
        child.kill();
        child.waitForFinished(10000);
        // A journal left behind: the kill fell inside a rebuild's transaction.
        if (QFile::exists(journal) && QFileInfo(journal).size() > 0)
            ++interrupted;

        TDBConn &db = DBConn();
        EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList({s("ok")}));
        EXPECT_EQ(db.DBSelectValue(s("select count(*), sum(ItemMoney) from moxIncomeFee")), before);
        EXPECT_FALSE(db.ExistTable(s("moxIncomeFee_Temp")));
        EXPECT_EQ(db.GetKeyFields(s("moxIncomeFee")), s("Flag,BillNo"));
        FreeAllSource();
    }
    EXPECT_GT(interrupted, 0);
}

// The flags of one-time fixes in the update's own row survive later runs.
TEST_F(DBUpdate, AOneTimeFixStaysDoneAcrossRuns)
{
    FSYSID = 1001; // a networked system: its default parameters are fixed once
    for (int run = 0; run < 2; ++run) {
        TZDBUpdate update = newUpdate();
        ASSERT_TRUE(this->run(update, {s("comCurrency")})) << messages.join(s("\n")).toStdString();
        EXPECT_EQ(rows(s("select DefaultParamsFixed, LastVersion from comUpdateTag where TagID = 'DBUpdate'")),
                  QStringList({s("1"), GetAppVersionID()}))
            << run;
    }
    FSYSID = 1003;
}
