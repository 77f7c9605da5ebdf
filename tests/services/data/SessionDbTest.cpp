#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBRoutines.h"
#include "data/ZFreeAllSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <functional>

#include <gtest/gtest.h>

using Session = TDataFileTest;

TEST_F(Session, FirstUseCreatesDataFileOneFromTheTemplateAndNeverOverwrites)
{
    EXPECT_FALSE(QFile::exists(path(s("DBFiles/DBAcs1.orv"))));
    DBConn();
    EXPECT_TRUE(QFile::exists(path(s("DBFiles/DBAcs1.orv"))));
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID) values('keep')"));
    FreeAllSource();
    EnsureDataFile(1);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comPerson")), 1);

    DBConn().ChangeAccessFile(5);
    EXPECT_TRUE(QFile::exists(path(s("DBFiles/DBAcs5.orv"))));
    EXPECT_EQ(DBConn().DataFileNo, 5);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comPerson")), 0);
    TZDbConnection *open = &DBConn().GetDBCONN();
    DBConn().ChangeAccessFile(5); // the number already open: nothing happens
    EXPECT_EQ(&DBConn().GetDBCONN(), open);
    DBConn(true); // a re-created session stays on its data file
    EXPECT_EQ(DBConn().DataFileNo, 5);
}

TEST_F(Session, AMissingTemplateIsFatalWithTheSystemsText)
{
    QFile::remove(path(s("DBAcs.orv")));
    EXPECT_THROW(DBConn(), EZAbort);
    EXPECT_EQ(fatalText, s("复制%1文件到%2失败！").arg(path(s("DBAcs.orv")), path(s("DBFiles/DBAcs1.orv"))));
    EXPECT_FALSE(DBConnExists());
}

TEST_F(Session, TheServerKindIsRefusedClearly)
{
    FSYSID = 1008;
    EXPECT_THROW(DBConn(), EZAbort);
    EXPECT_EQ(fatalText, s("本程序的数据库服务器版尚未提供，请使用帐套数据文件。"));
    FSYSID = 1003;
}

TEST_F(Session, ServerOnlyOperationsAndConnectionTests)
{
    for (const auto &op : std::initializer_list<std::function<void()>>{[] { DBConn().ChangeDBIndex(1); },
                                                                       [] { DBConn().ChangeDB(s("x")); },
                                                                       [] { DBConn().IsExistDB(s("x")); }}) {
        try {
            op();
            ADD_FAILURE();
        } catch (const EZError &e) {
            EXPECT_EQ(e.message(), s("当前登录非SqlServer版！"));
        }
    }
    EnsureDataFile(7);
    EXPECT_EQ(DBConnectTest(dtDbACCESS, 7), QString());
    EXPECT_TRUE(DBConnectTest(dtDbACCESS, 8).contains(s("DBAcs8.orv")));
    EXPECT_FALSE(QFile::exists(path(s("DBFiles/DBAcs8.orv"))));
    EXPECT_TRUE(DBConnectTest(dtDbDemo, 1).contains(s("DBDemo.orv")));
}

TEST_F(Session, ChangeAccessFileOnlyOnTheFileKind)
{
    DBConn();
    FSYSID = 1008;
    try {
        DBConn().ChangeAccessFile(2);
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("当前登录的非ACCESS多账册版！"));
    }
    FSYSID = 1003;
}

TEST_F(Session, StatementErrorsCarryTheDatabaseTextAndTheStatement)
{
    try {
        DBConn().DBOpenDataSet(s("select * from NoSuchTable"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_TRUE(e.message().startsWith(s("语法执行错误！\r\n错误信息："))) << qPrintable(e.message());
        EXPECT_TRUE(e.message().contains(s("no such table")));
        EXPECT_TRUE(e.message().endsWith(s("\r\n执行语法：select * from NoSuchTable")));
    }
    EXPECT_EQ(FLastExecSql, s("select * from NoSuchTable"));
    EXPECT_THROW(DBConn().DBExcuteSql(s("update NoSuchTable set a = 1")), EZError);
}

TEST_F(Session, ValueQueriesAndTheirClauses)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('001', ' 甲 ')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('009', '乙')"));
    EXPECT_EQ(db.GetFieldMaxValue(s("comPerson"), s("PersonID"), QString()), s("009"));
    EXPECT_EQ(FLastExecSql, s("select Max(PersonID) as MaxValue from comPerson"));
    EXPECT_EQ(db.GetFieldMaxValue(s("comPerson"), s("PersonID"), s(" And PersonName = '乙'")), s("009"));
    EXPECT_EQ(FLastExecSql, s("select Max(PersonID) as MaxValue from comPerson where 1=1  And PersonName = '乙'"));
    EXPECT_EQ(db.GetFieldMinValue(s("comPerson"), s("PersonID"), s(" And 1=0")), QString());
    EXPECT_EQ(db.GetFieldValue(s("comPerson"), s("PersonName"), s("PersonID = '001'")), s("甲"));
    EXPECT_EQ(db.DBSelectValue(s("select PersonID, PersonName from comPerson where 1=2")),
              QStringList({QString(), QString()}));
    EXPECT_EQ(DBSelectValue(db.GetDBCONN(), s("select PersonID, PersonName from comPerson order by PersonID")),
              s("001,甲"));

    FLastExecSql = s("marker");
    EXPECT_FALSE(db.RepeatFieldValueCheck(s("comPerson"), s("PersonID"), QString(), s(" abc"), s("ABC ")));
    EXPECT_EQ(FLastExecSql, s("marker")); // no query
    EXPECT_TRUE(db.RepeatFieldValueCheck(s("comPerson"), s("PersonID"), QString(), s("001"), s(" 009 ")));
    EXPECT_FALSE(db.RepeatFieldValueCheck(s("comPerson"), s("PersonID"), QString(), s("001"), s("010")));
}

TEST_F(Session, CatalogueAndShapeQueries)
{
    TDBConn &db = DBConn();
    EXPECT_TRUE(db.ExistTable(s("comParams")));
    EXPECT_TRUE(db.ExistTable(s("COMPARAMS")));
    EXPECT_FALSE(db.ExistTable(s("comNothing")));
    EXPECT_TRUE(db.ExistTableField(s("comPerson"), s("personname")));
    EXPECT_FALSE(db.ExistTableField(s("comPerson"), s("Nope")));
    EXPECT_EQ(db.GetKeyFields(s("comParams")), s("ParamName"));
    EXPECT_EQ(db.GetKeyFields(s("comLock")), QString());
    db.DBExcuteSql(s("select * into comPerson_Temp from comPerson"));
    EXPECT_TRUE(db.ExistTable(s("comPerson_Temp")));
    db.DropTable(s("comPerson_Temp"));
    EXPECT_FALSE(db.ExistTable(s("comPerson_Temp")));

    auto shape =
        db.DBOpenDataSet(s("Select ftZString as FieldName, ftZString as DisplayName, ftZBoolean as AllowEmpty, "
                           "ftZTime as T, ftZCurrency as C, ftZInteger as I from comVirtual Where 1=2"));
    EXPECT_EQ(shape->RecordCount(), 0);
    EXPECT_EQ(shape->FieldNames(),
              QStringList({s("FieldName"), s("DisplayName"), s("AllowEmpty"), s("T"), s("C"), s("I")}));
    EXPECT_EQ(shape->FieldByName(s("AllowEmpty")).DataType(), ftZBoolean);
    EXPECT_EQ(shape->FieldByName(s("T")).DataType(), ftZTime);
    EXPECT_EQ(shape->FieldByName(s("C")).DataType(), ftZCurrency);
    shape->Append();
    shape->FieldByName(s("FieldName")).SetAsString(s("客户"));
    shape->FieldByName(s("AllowEmpty")).SetAsBoolean(true);
    shape->Post();
    EXPECT_EQ(shape->RecordCount(), 1);
}

TEST_F(Session, FunctionsOfTheStatementsFollowTheSystemClock)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    TDBConn &db = DBConn();
    // Queries on a data file read GetDate() as Date(), the day without its time.
    EXPECT_EQ(db.DBSelectValue(s("select getdate(), Now(), Year(GetDate()), DatePart(Hour, Now()), "
                                 "DatePart('n', Now()), DatePart(weekday, '2011-06-19')")),
              QStringList({s("2011-06-21 00:00:00"), s("2011-06-21 09:05:03"), s("2011"), s("9"), s("5"), s("1")}));
    EXPECT_EQ(db.DBSelectValue(s("select CharIndex('b', 'ABC'), Len('ab  '), Left('中文字', 2), Right('abc', 2), "
                                 "IsNull(null, 'x'), DateDiff(day, '2011-06-01', '2011-06-21 23:00:00'), "
                                 "DateAdd(month, 1, '2011-01-31')")),
              QStringList({s("2"), s("2"), s("中文"), s("bc"), s("x"), s("20"), s("2011-02-28 00:00:00")}));
    EXPECT_EQ(db.DBGetServerDateTime(), QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    EXPECT_EQ(db.DBGetServerDate(), QDate(2011, 6, 21));
}

TEST_F(Session, StatementLogWhenSwitchedOn)
{
    FRecordACCESSSql = true;
    DBConn().DBOpenDataSet(s("select * from comPerson where PersonName = '日志'"));
    FRecordACCESSSql = false;
    DBConn().DBOpenDataSet(s("select 'not logged'"));
    const QByteArray log = folder->readFile(s("log/ACCESSSql.log"));
    EXPECT_TRUE(log.startsWith("[ACCESS_SQL_LOG]\n"));
    EXPECT_TRUE(log.contains(s("=select * from comPerson where PersonName = '日志'\n").toUtf8()));
    EXPECT_FALSE(log.contains("not logged"));
}

TEST_F(Session, LocksAndTheOperationLogDoNothingOnAFile)
{
    TDBConn &db = DBConn();
    db.LockOneBill(s("17"), s("moxDiary"));
    EXPECT_NO_THROW(db.CheckBillLock(s("17"), s("moxDiary")));
    db.ClearAllLock();
    EXPECT_EQ(db.GetRecordCount(s("select * from comLock")), 0);
}

TEST_F(Session, TransactionsRollBackWhenAnErrorPasses)
{
    TDBConn &db = DBConn();
    try {
        TZTransaction transaction(db);
        db.DBExcuteSql(s("insert into comPerson(PersonID) values('x')"));
        throw EZError(s("stop"));
    } catch (const EZError &) {}
    EXPECT_EQ(db.GetRecordCount(s("select * from comPerson")), 0);
    {
        TZTransaction transaction(db);
        db.DBExcuteSql(s("insert into comPerson(PersonID) values('y')"));
        transaction.Commit();
    }
    EXPECT_EQ(db.GetRecordCount(s("select * from comPerson")), 1);
}

TEST_F(Session, IsNeedUpdateComparesTheStoredVersion)
{
    EXPECT_TRUE(DBConn().IsNeedUpdate());
    SaveParamValue(s("LastUpdateVersion"), s("0.9.0.0"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_TRUE(DBConn().IsNeedUpdate());
    SaveParamValue(s("LastUpdateVersion"), s("999.0.0.0"));
    EXPECT_FALSE(DBConn().IsNeedUpdate());
}

// Runs in a child process: opens the data file the parent holds.
TEST(ChildProcess, OpensTheDataFile)
{
    const QString file = qEnvironmentVariable("ZKVA_CHILD_OPEN");
    if (file.isEmpty())
        GTEST_SKIP() << "runs only as a child of DataFileIsOpenedExclusively";
    try {
        ZOpenDataFile(file, dtDbACCESS);
        std::printf("opened\n");
    } catch (const EZError &e) {
        std::printf("%s\n", e.what());
    }
    std::fflush(stdout);
}

TEST_F(Session, DataFileIsOpenedExclusively)
{
    DBConn();
    const auto child = [&] {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("ZKVA_CHILD_OPEN"), path(s("DBFiles/DBAcs1.orv")));
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=ChildProcess.*")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString refused = child();
    EXPECT_TRUE(refused.contains(s("正在被另一个程序使用"))) << qPrintable(refused);
    FreeAllSource();
    EXPECT_TRUE(child().contains(s("opened")));
}

// A power loss between creating and writing the lock file leaves it empty or
// garbled; the next start opens the data file all the same. A lock file that
// cannot be written is reported as such, not as another program's lock.
TEST_F(Session, LockFilesLeftBehindNeverBlockAStart)
{
    EnsureDataFile(1);
    for (const QByteArray &left : {QByteArray(), QByteArray("\xff\xfe garbage")}) {
        folder->writeFile(s("DBFiles/DBAcs1.orv.lock"), left);
        EXPECT_NO_THROW(ZOpenDataFile(path(s("DBFiles/DBAcs1.orv")), dtDbACCESS));
    }
    QFile::remove(path(s("DBFiles/DBAcs1.orv.lock")));
    ASSERT_TRUE(QDir().mkpath(path(s("DBFiles/DBAcs1.orv.lock"))));
    try {
        ZOpenDataFile(path(s("DBFiles/DBAcs1.orv")), dtDbACCESS);
        ADD_FAILURE() << "opened without a lock";
    } catch (const EZError &e) {
        EXPECT_TRUE(e.message().contains(s("无法在文件夹"))) << qPrintable(e.message());
        EXPECT_FALSE(e.message().contains(s("另一个程序"))) << qPrintable(e.message());
    }
}
