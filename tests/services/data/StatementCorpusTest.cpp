// The statements the system writes for the data file kind, run on SQLite
// through the same path as the program (TranToAccessSQL for queries, then the
// engine adapter): each must prepare, and where rows are given it must return
// the right ones. The tables of modules that are not built yet are made here
// with the columns the statements use.

#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/ZDateSql.h"

#include <gtest/gtest.h>

namespace {

const char *const kTables[] = {
    " CREATE TABLE [moxAccount]([AccountID] VarChar(20) NOT NULL DEFAULT '',[AccountName] VarChar(50) DEFAULT '',"
    "[InitMoney] Money DEFAULT 0,[CurrMoney] Money DEFAULT 0)",
    " CREATE TABLE [moxInComeFee]([Flag] int NOT NULL DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',"
    "[AccountID] VarChar(20) DEFAULT '',[InOutType] VarChar(20) DEFAULT '',[FeeMonth] int DEFAULT 0,"
    "[FeeDate] datetime DEFAULT 0,[ItemMoney] Money DEFAULT 0)",
    " CREATE TABLE [moxAccountTran]([BillNo] VarChar(20) NOT NULL DEFAULT '',[SrcAccountID] VarChar(20) DEFAULT '',"
    "[DestAccountID] VarChar(20) DEFAULT '',[TranMoney] Money DEFAULT 0)",
    " CREATE TABLE [moxFeeType]([TypeID] VarChar(20) NOT NULL DEFAULT '',[TypeName] VarChar(50) DEFAULT '')",
    " CREATE TABLE [moxIncomeType]([TypeID] VarChar(20) NOT NULL DEFAULT '',[TypeName] VarChar(50) DEFAULT '')",
    " CREATE TABLE [accFee]([Flag] int NOT NULL DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',[BillDate] datetime "
    "DEFAULT 0,[AccMonth] int DEFAULT 0,[ObjectName] VarChar(50) DEFAULT '',[ItemID] VarChar(20) DEFAULT '',"
    "[FeeItemID] VarChar(20) DEFAULT '',[Quantity] float DEFAULT 0,[FeeMoney] Money DEFAULT 0,[Offset] Money "
    "DEFAULT 0,[Discount] Money DEFAULT 0,[NowRecv] Money DEFAULT 0,[RemainMoney] Money DEFAULT 0,[BillState] "
    "smallint DEFAULT 0,[HasCheck] smallint DEFAULT 0,[PermitterID] VarChar(20) DEFAULT '')",
    " CREATE TABLE [accFeeItem]([ItemID] VarChar(20) NOT NULL DEFAULT '',[ItemName] VarChar(50) DEFAULT '',"
    "[ItemType] int DEFAULT 0,[IsStock] bit DEFAULT 0)",
    " CREATE TABLE [accFeeParentItem]([ItemID] VarChar(20) NOT NULL DEFAULT '',[ItemName] VarChar(50) DEFAULT '')",
    " CREATE TABLE [accGatherSub]([Flag] int NOT NULL DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',[RowNo] int "
    "NOT NULL DEFAULT 0,[FeeBillNo] VarChar(20) DEFAULT '',[Offset] Money DEFAULT 0)",
    " CREATE TABLE [RptAccDaily]([AccMonth] int DEFAULT 0,[BillDate] datetime DEFAULT 0,[DaySum] Money DEFAULT 0,"
    "[CurrMoney] Money DEFAULT 0)",
    " CREATE TABLE [moxRemind]([Flag] int NOT NULL DEFAULT 0,[RemindID] VarChar(20) NOT NULL DEFAULT '',"
    "[RemindTitle] VarChar(100) DEFAULT '',[RemindContent] text DEFAULT '',[EmailRemind] bit DEFAULT 0,"
    "[EmailAddress] VarChar(100) DEFAULT '',[IsDisabled] bit DEFAULT 0,[EndDate] datetime DEFAULT 0,[EndTime] "
    "datetime DEFAULT 0,[RemindType] int DEFAULT 0,[RemindTime] datetime DEFAULT 0,[RemindMonth] int DEFAULT 0,"
    "[RemindDay] int DEFAULT 0)",
    " CREATE TABLE [comRemindSet]([RemindID] VarChar(20) NOT NULL DEFAULT '',[ProgID] VarChar(50) DEFAULT '',"
    "[RemindWhere] text DEFAULT '')",
    " CREATE TABLE [moxTask]([TaskID] VarChar(20) NOT NULL DEFAULT '',[TaskName] VarChar(50) DEFAULT '',"
    "[PlanBeginDate] datetime DEFAULT 0,[PlanEndDate] datetime DEFAULT 0,[CompleteRate] float DEFAULT 0)",
    " CREATE TABLE [moxDiary]([DiaryID] VarChar(20) NOT NULL DEFAULT '',[CreateDate] datetime DEFAULT 0)",
    " CREATE TABLE [moxAddressBook]([PersonID] VarChar(20) NOT NULL DEFAULT '',[PersonName] VarChar(50) DEFAULT '',"
    "[Cellphone] VarChar(20) DEFAULT '',[Jobs] VarChar(20) DEFAULT '',[BornDate] datetime DEFAULT 0,[IsLunar] bit "
    "DEFAULT 0,[QQ] VarChar(20) DEFAULT '',[Email] VarChar(50) DEFAULT '',[HumanType] VarChar(20) DEFAULT '')",
    " CREATE TABLE [moxHumanType]([TypeID] VarChar(20) NOT NULL DEFAULT '',[TypeName] VarChar(50) DEFAULT '')",
    " CREATE TABLE [BillStatePrompt]([ID] VarChar(40) NOT NULL DEFAULT '',[Msg] VarChar(255) DEFAULT '',[ProgID] "
    "VarChar(50) DEFAULT '',[KeyValue] VarChar(50) DEFAULT '',[ReceiveEmp] VarChar(20) DEFAULT '',[SendEmp] "
    "VarChar(20) DEFAULT '',[Readed] bit DEFAULT 0,[BillState] smallint DEFAULT 0,[Other] VarChar(255) DEFAULT '')",
    " CREATE TABLE [comWareAmount]([ProdID] VarChar(20) NOT NULL DEFAULT '',[RowNo] int DEFAULT 0,[WareID] "
    "VarChar(20) DEFAULT '',[StorageID] VarChar(20) DEFAULT '',[BatchID] VarChar(20) DEFAULT '',[InitQty] float "
    "DEFAULT 0,[InOutQty] float DEFAULT 0,[UnChkInOutQty] float DEFAULT 0,[CurrQty] float DEFAULT 0)",
    " CREATE TABLE [comProduct]([ProdID] VarChar(20) NOT NULL DEFAULT '',[CurrQty] float DEFAULT 0,[CurrCostAvg] "
    "Money DEFAULT 0,[CurrCostForAcc] Money DEFAULT 0)",
    " CREATE TABLE [comSerial]([ProdID] VarChar(20) NOT NULL DEFAULT '',[RowNo] int DEFAULT 0,[SerNo] int DEFAULT 0,"
    "[WareID] VarChar(20) DEFAULT '',[StorageID] VarChar(20) DEFAULT '',[BatchID] VarChar(20) DEFAULT '',[SerialID] "
    "VarChar(40) DEFAULT '',[OutSerialID] VarChar(40) DEFAULT '',[State] int DEFAULT 0)",
    " CREATE TABLE [comProdRec]([Flag] int DEFAULT 0,[SrcProgID] VarChar(50) DEFAULT '',[SrcBillNo] VarChar(20) "
    "DEFAULT '',[WareID] VarChar(20),[HasCheck] smallint,[Quantity] float,[CurrID] VarChar(10),[ExchRate] float "
    "DEFAULT 1,[CostAvg] Money DEFAULT 0,[CostForAcc] Money DEFAULT 0)",
    " CREATE TABLE [comCustAccounts]([Flag] int DEFAULT 0,[CustID] VarChar(20) DEFAULT '',[CurrID] VarChar(10) "
    "DEFAULT '',[StartAdvExchRate] float DEFAULT 1,[StartExchRate] float DEFAULT 1)",
};

const char *const kRows[] = {
    "insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) values('01', '现金', 100, 100)",
    "insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) values('02', '工商银行', 0, 0)",
    "insert into moxIncomeType(TypeID, TypeName) values('I1', '工资')",
    "insert into moxFeeType(TypeID, TypeName) values('F1', '餐饮')",
    "insert into moxFeeType(TypeID, TypeName) values('F2', '交通')",
    "insert into moxInComeFee(Flag, BillNo, AccountID, InOutType, FeeMonth, FeeDate, ItemMoney) "
    "values(1, 'S1', '02', 'I1', 201106, '2011-06-05 00:00:00', 5000)",
    "insert into moxInComeFee(Flag, BillNo, AccountID, InOutType, FeeMonth, FeeDate, ItemMoney) "
    "values(2, 'E1', '01', 'F1', 201106, '2011-06-21 12:30:00', 35.5)",
    "insert into moxInComeFee(Flag, BillNo, AccountID, InOutType, FeeMonth, FeeDate, ItemMoney) "
    "values(2, 'E2', '01', 'F2', 201106, '2011-06-22 08:00:00', 4.5)",
    "insert into moxInComeFee(Flag, BillNo, AccountID, InOutType, FeeMonth, FeeDate, ItemMoney) "
    "values(2, 'E3', '01', 'F1', 201107, '2011-07-01 19:00:00', 60)",
    "insert into moxAccountTran(BillNo, SrcAccountID, DestAccountID, TranMoney) values('T1', '02', '01', 500)",
    "insert into accFeeItem(ItemID, ItemName, ItemType, IsStock) values('P1', '商品一', 1, -1)",
    "insert into accFeeItem(ItemID, ItemName, ItemType, IsStock) values('P2', '服务', 2, 0)",
    "insert into accFeeParentItem(ItemID, ItemName) values('P1', '商品一')",
    "insert into accFee(Flag, BillNo, BillDate, AccMonth, ObjectName, ItemID, FeeItemID, Quantity, FeeMoney, Offset, "
    "Discount, NowRecv, RemainMoney) values(1, 'R1', '2011-06-10 00:00:00', 201106, '张三', 'P1', 'P1', 3, 300, 100, "
    "0, 0, 200)",
    "insert into accFee(Flag, BillNo, BillDate, AccMonth, ObjectName, ItemID, FeeItemID, Quantity, FeeMoney, Offset, "
    "Discount, NowRecv, RemainMoney) values(2, 'P1', '2011-06-11 00:00:00', 201106, '李四', 'P1', 'P1', 10, 80, 0, "
    "0, 0, 80)",
    "insert into accFee(Flag, BillNo, BillDate, AccMonth, ObjectName, ItemID, FeeItemID, Quantity, FeeMoney, Offset, "
    "Discount, NowRecv, RemainMoney) values(1, 'R2', '2011-06-12 00:00:00', 201106, '张三', 'P2', 'P2', 1, 50, 0, 0, "
    "50, 0)",
    "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G1', 1, 'R1', 60)",
    "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G2', 1, 'R1', 40)",
    "insert into RptAccDaily(AccMonth, BillDate, DaySum, CurrMoney) values(201106, '2011-06-10 00:00:00', 300, 400)",
    "insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, EmailRemind, IsDisabled, EndDate, RemindType) "
    "values(1, 'M1', '开会', '三楼', -1, 0, '2011-06-21 00:00:00', 0)",
    "insert into moxRemind(Flag, RemindID, RemindTitle, IsDisabled, EndDate) values(2, 'M2', '生日', -1, "
    "'2011-07-01 00:00:00')",
    "insert into comRemindSet(RemindID, ProgID, RemindWhere) values('M1', 'moxTask', 'CompleteRate < 1')",
    "insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('K1', '写报告', "
    "'2011-06-01 00:00:00', '2011-06-30 00:00:00', 0.5)",
    "insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('K2', '已完成', "
    "'2011-06-01 00:00:00', '2011-06-02 00:00:00', 1)",
    "insert into moxDiary(DiaryID, CreateDate) values('D1', '2011-06-21 21:00:00')",
    "insert into moxHumanType(TypeID, TypeName) values('H1', '同学')",
    "insert into moxAddressBook(PersonID, PersonName, Cellphone, BornDate, HumanType) values('A1', '王五', "
    "'13800000000', '1980-06-25 00:00:00', 'H1')",
    "insert into comPerson(PersonID, PersonName, DutyID, DepartID, IsSysUser) values('Admin', '管理员', 'D1', '', -1)",
    "insert into comPerson(PersonID, PersonName, DutyID, DepartID, IsSysUser) values('007', '李四', 'D1', 'X', -1)",
    "insert into comUser(UserID, PersonID, UserName, LoginPwd) values('Admin', 'Admin', '管理员', '')",
    "insert into comDuty(DutyID, DutyName) values('D1', '经理')",
    "insert into PowerDesign(Flag, UserID, ProgID, Powers, FieldPowers) values(2, 'D1', 'moxDiary', '1111', '')",
    "insert into comWareAmount(ProdID, RowNo, WareID, StorageID, BatchID, InitQty, InOutQty, CurrQty) "
    "values('P1', 1, 'W1', '', '', 5, 2, 7)",
    "insert into comProduct(ProdID) values('P1')",
    "insert into comProdRec(Flag, SrcProgID, SrcBillNo) values(10305, 'accFee', 'R1')",
};

struct Case
{
    const char *sql;
    const char *rows; // the rows as "a,b;c,d" (fields trimmed); null when only preparing counts
};

// Reads every row of a query as "field,field;field,field".
QString rowsOf(TDBConn &db, const QString &sql)
{
    auto ds = db.DBOpenDataSet(sql);
    QStringList rows;
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QStringList fields;
        for (int i = 0; i < ds->FieldCount(); ++i)
            fields << ds->Fields(i).AsString().trimmed();
        rows << fields.join(QLatin1Char(','));
    }
    return rows.join(QLatin1Char(';'));
}

class StatementCorpus : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        TDBConn &db = DBConn();
        for (const char *sql : kTables)
            createTable(s(sql));
        for (const char *sql : kRows)
            db.DBExcuteSql(s(sql));
    }
};

} // namespace

TEST_F(StatementCorpus, QueriesReturnTheRightRows)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    TDBConn &db = DBConn();
    const QString feeDate = DateToIntField(s("A.FeeDate"));
    const QByteArray byIntegerDate = (s(" Select A.BillNo From moxInComeFee A Where ") + feeDate
                                      + s(" >= 20110621 And ") + feeDate + s(" <= 20110630"))
                                         .toUtf8();
    const Case cases[] = {
        // start-up and login
        {"select A.PersonID, A.PersonName, A.DepartID, B.UserID, B.LoginPwd from comPerson A left join comUser B on "
         "A.PersonID = B.PersonID Where A.IsSysUser <> 0 And B.PersonID = 'Admin'",
         "Admin,管理员,,Admin,"},
        // parameters and the shape of comVirtual
        {"Select ftZSmallInt as Flag, ftZDate as FDate, ftZString as FID, ftZString as ProgID, ftZString as Title From "
         "comVirtual Where 1=2",
         ""},
        // accounts, income and expenses
        {"Select Sum(ItemMoney) as SumMoney From moxInComeFee Where Flag = 2 And AccountID = '01'", "100"},
        {"Select Sum(TranMoney) as TranMoney From moxAccountTran Where SrcAccountID = '02'", "500"},
        {"Select Sum(TranMoney) as TranMoney From moxAccountTran Where DestAccountID = '02'", ""},
        {"Select ItemType From accFeeItem Where ItemID = 'P2'", "2"},
        {"Select Distinct ObjectName From accFee Where Flag = 1", "张三"},
        {" Select BillNo,BillDate,FeeMoney,RemainMoney From accFee  Where RemainMoney > 0 and ObjectName = '张三' and "
         "Flag = 1",
         "R1,2011-06-10,300,200"},
        {"Select Sum(Offset) From accGatherSub  Where Flag = 1 And FeeBillNo = 'R1'", "100"},
        {" Select A.FeeMonth,A.InOutType,B.TypeName,Sum(ItemMoney) as SumMoney From moxIncomeFee A Left Join "
         "moxFeeType "
         "B on A.InOutType = B.TypeID Where A.Flag = 2 Group By A.FeeMonth,A.InOutType,B.TypeName Order By "
         "A.FeeMonth,A.InOutType",
         "201106,F1,餐饮,35.5;201106,F2,交通,4.5;201107,F1,餐饮,60"},
        {" Select A.FeeMonth,A.InOutType,B.TypeName,Sum(ItemMoney) as SumMoney From moxIncomeFee A Left Join "
         "moxIncomeType B on A.InOutType = B.TypeID Where A.Flag = 1 Group By A.FeeMonth,A.InOutType,B.TypeName",
         "201106,I1,工资,5000"},
        {" Select A.ObjectName,A.AccMonth,A.ItemID,B.ItemName,        Sum(FeeMoney) as SumMoney,Sum(Offset) as "
         "Offset,Sum(RemainMoney) as RemainMoney,        Sum(NowRecv) as NowRecv,Sum(Discount) as Discount From accFee "
         "A Left Join accFeeParentItem B on A.ItemID = B.ItemID Where Flag = 1 Group By A.ObjectName,A.AccMonth,"
         "A.ItemID,B.ItemName Order By A.ItemID",
         "张三,201106,P1,商品一,300,100,200,0,0;张三,201106,P2,,50,0,0,50,0"},
        {" Select A.FeeItemID as ItemID,B.ItemName,        Sum(IIF(Flag=2, A.Quantity, -A.Quantity)) as Quantity From "
         "accFee A Left Join accFeeItem B on A.FeeItemID = B.ItemID Where B.IsStock = 1 Group By "
         "A.FeeItemID,B.ItemName",
         ""}, // a stock item is marked -1 on a data file: "= 1" finds none, as it would there
        {" Select A.FeeItemID as ItemID,B.ItemName,        Sum(IIF(Flag=2, A.Quantity, -A.Quantity)) as Quantity From "
         "accFee A Left Join accFeeItem B on A.FeeItemID = B.ItemID Where B.IsStock <> 0 Group By A.FeeItemID,"
         "B.ItemName",
         "P1,商品一,7"},
        {" Select A.AccMonth, A.BillDate, Sum(IIF(A.Flag=1, FeeMoney, 0)) as FeeMoney1, Sum(IIF(A.Flag=2, FeeMoney, "
         "0)) "
         "as FeeMoney2,         Sum(IIF(A.Flag=1, RemainMoney, 0)) as RemainMoney1, Sum(IIF(A.Flag=2, RemainMoney, 0)) "
         "as RemainMoney2,        B.DaySum,B.CurrMoney From accFee A Left Join RptAccDaily B on A.AccMonth = "
         "B.AccMonth And A.BillDate = B.BillDate Group By A.AccMonth, A.BillDate, B.DaySum, B.CurrMoney Order By "
         "A.BillDate",
         "201106,2011-06-10,300,0,200,0,300,400;201106,2011-06-11,0,80,0,80,,;201106,2011-06-12,50,0,0,0,,"},
        {"Select Sum(IIF(Flag=1,RemainMoney,-RemainMoney)) From accFee Where AccMonth < 201107", "120"},
        // dates compared as integers, as list periods and reports write them
        {byIntegerDate.constData(), "E1;E2"},
        {" Select BillNo From moxInComeFee A Where Year(A.FeeDate) = Year(GetDate()) And Month(A.FeeDate) = "
         "Month(GetDate()) And Day(A.FeeDate) = Day(GetDate())",
         "E1"},
        {" Select Top 2 BillNo From moxInComeFee Order By FeeDate Desc", "E3;E2"},
        {" Select BillNo From moxInComeFee Where DateDiff(day, FeeDate, GetDate()) = 0", "E1"},
        // calendar and reminders
        {" Select Flag, RemindID, RemindTitle, RemindContent, EmailRemind, EmailAddress From moxRemind Where "
         "IsDisabled "
         "= 0",
         "1,M1,开会,三楼,True,"},
        {" Select RemindTitle, RemindContent From moxRemind Where RemindID = 'M1'", "开会,三楼"},
        // texts compare ignoring case in expressions too (the repeated-value check writes them)
        {" select RemindID from moxRemind where Ltrim(Rtrim(RemindID)) = 'm1' and Ltrim(Rtrim(RemindID)) <> 'x' ",
         "M1"},
        {"Select TypeName From moxFeeType Where Left(TypeID, 1) = 'f' Order By TypeID", "餐饮;交通"},
        {"Select ProgID, RemindWhere From comRemindSet Where RemindID = 'M1'", "moxTask,CompleteRate < 1"},
        {"Select 0 as Flag, TaskID as FID, TaskName as Title, PlanBeginDate as BeginDate, PlanEndDate as EndDate From "
         "moxTask Where CompleteRate < 1 And not (Year(PlanBeginDate) * 10000 + Month(PlanBeginDate) * 100 + "
         "Day(PlanBeginDate) > 20110630 And Year(PlanEndDate) * 10000 + Month(PlanEndDate) * 100 + Day(PlanEndDate) < "
         "20110601) ",
         "0,K1,写报告,2011-06-01,2011-06-30"},
        {"Select 0 as Flag, DiaryID as FID, DiaryID as Title, CreateDate as BeginDate, CreateDate as EndDate From "
         "moxDiary Where Year(CreateDate) * 10000 + Month(CreateDate) * 100 + Day(CreateDate) >= 20110601 And "
         "Year(CreateDate) * 10000 + Month(CreateDate) * 100 + Day(CreateDate) <= 20110630 ",
         "0,D1,D1,2011-06-21 21:00:00,2011-06-21 21:00:00"},
        // contacts
        {"Select PersonID, PersonName, BornDate From moxAddressBook Where Month(BornDate) * 100 + Day(BornDate) > 620 "
         "And PersonID = 'A1'",
         "A1,王五,1980-06-25"},
        {"Select TypeName From moxHumanType", "同学"},
        {" Select A.PersonID,A.PersonName,A.Cellphone,A.Jobs,A.BornDate,A.IsLunar,A.QQ,A.Email  From moxAddressBook A "
         "Left Join moxHumanType B on A.HumanType = B.TypeID Where 1=1 And B.TypeName like '%同%'",
         "A1,王五,13800000000,,1980-06-25,False,,"},
        // permissions
        {" Select A.DutyID, A.DepartID, B.Powers  From comPerson A Left Join (select Flag, UserID, Powers From "
         "PowerDesign Where Flag = 1 And ProgID = 'moxDiary') B on (B.UserID = A.PersonID) Where A.PersonID = '007'",
         "D1,X,"},
        {" Select DutyID as ID,DutyName as Name, '' as ParentID, 15 as ImageIndex, 7 as SelectedIndex from ComDuty "
         "union All  select PersonID as ID,PersonName as Name,DutyID as ParentID, 0 as ImageIndex, 7 as SelectedIndex "
         "from ComPerson ",
         "D1,经理,,15,7;Admin,管理员,D1,0,7;007,李四,D1,0,7"},
        {"Select B.PersonID, C.ProgID, C.Powers  From comPerson B Left Join PowerDesign C on(C.Flag = 2 And B.DutyID = "
         "C.UserID) Order By B.PersonID",
         "007,moxDiary,1111;Admin,moxDiary,1111"},
        {"Select UserID, PersonName From comUser A Left join comPerson B on A.PersonID = B.PersonID where A.PersonID "
         "<> "
         "'007'",
         "Admin,管理员"},
        // three left joins: nested for the file kind
        {"select A.BillNo, B.AccountName, C.TypeName, D.TypeName from moxInComeFee A left join moxAccount B on "
         "A.AccountID = B.AccountID left join moxFeeType C on A.InOutType = C.TypeID left join moxIncomeType D on "
         "A.InOutType = D.TypeID where A.Flag = 1",
         "S1,工商银行,,工资"},
        // stock
        {" Select Count(*) From comWareAmount Where ProdID = 'P1' And WareID = 'W1'  And StorageID = '' And BatchID = "
         "''",
         "1"},
        {"Select Sum(CurrQty) From comWareAmount A Where A.ProdID = 'P1'", "7"},
        {"Select Flag From comProdRec Where SrcProgID = 'accFee' And SrcBillNo = 'R1'", "10305"},
        // locks and the change log
        {"Select LockMsg From comLock Where CharIndex('[17]', LockKey) > 0 And CharIndex('[moxDiary]', LockKey) > 0",
         ""},
        {"Select * From comChangeLog Where 1=2", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        try {
            EXPECT_EQ(rowsOf(db, s(c.sql)), s(c.rows));
        } catch (const EZError &e) {
            ADD_FAILURE() << qPrintable(e.message());
        }
    }
}

TEST_F(StatementCorpus, CommandsChangeTheRightRows)
{
    TDBConn &db = DBConn();
    const char *const commands[] = {
        "Update moxAccount Set CurrMoney = CurrMoney - 35.5 Where AccountID = '01'",
        "Update moxAccount Set CurrMoney = CurrMoney + 500 Where AccountID = '01'",
        "Update moxAccount Set CurrMoney = InitMoney + 4900 Where AccountID = '02'",
        "Update accFee set Offset = 100, RemainMoney = FeeMoney - 100 - Discount - NowRecv Where Flag = 1 and BillNo = "
        "'R1'",
        "update accFee Set BillState=1 Where BillNo='R1' ",
        " Update accFee Set PermitterID = 'Admin' Where BillNo = 'R1'",
        " Update accFee Set HasCheck = 1 Where BillNo = 'R1'",
        "INSERT INTO BillStatePrompt(ID, Msg, ProgID, KeyValue, ReceiveEmp, SendEmp, Readed, BillState, Other)  VALUES "
        "('1', '待审核', 'accFee', 'R1', 'Admin', '007', 0, 1, '')",
        "UPDATE BillStatePrompt SET Readed = 1 Where ID='1'",
        " Insert Into comWareAmount(ProdID,RowNo,WareID,StorageID,BatchID,InitQty,InOutQty,UnChkInOutQty,CurrQty) "
        "Values('P1',2,'W2','','',0,3,0,0)",
        " Update comWareAmount Set CurrQty = InitQty + InOutQty Where ProdID = 'P1' And WareID = 'W2'  And StorageID = "
        "'' "
        "And BatchID = ''",
        " Update comProduct Set CurrQty = (Select Sum(CurrQty) From comWareAmount A Where A.ProdID = 'P1') Where "
        "ProdID = "
        "'P1'",
        "Insert Into comSerial(ProdID, RowNo, SerNo, WareID, StorageID, BatchID, SerialID, OutSerialID, State)"
        "Values('P1',1,0,'W1','','','SN1','',1)",
        " Update comSerial Set WareID = 'W2', StorageID = '', BatchID = '', State = 2  Where ProdID = 'P1' And "
        "SerialID = "
        "'SN1'",
        "Update comProdRec Set WareID = '' where WareID is Null",
        "Update comProdRec Set HasCheck = 0 where HasCheck is Null",
        "Update comProdRec Set CurrID = 'RMB', ExchRate = 1 Where (CurrID is null or CurrID = '' or CurrID = 'RMB') "
        "And "
        "(ExchRate <> 1)",
        " Update comCustAccounts Set StartAdvExchRate = 1 Where StartAdvExchRate <> 1 And CurrID = 'RMB'",
        "insert into PowerDesign(UserID, ProgID, Powers, Flag) values('007', 'moxDiary', '1000', 1)",
        "update PowerDesign set Powers = '1100' where UserID= '007' and ProgID = 'moxDiary' and Flag = 1 ",
        " insert into PowerDesign(Flag,ProgID,UserID,FieldPowers,Powers) select 1 as Flag,'moxTask' as "
        "ProgID,A.UserID,'' "
        "as FieldPowers,'' as Powers from comUser A left join (select Flag, UserID From PowerDesign Where Flag = 1 And "
        "ProgID = 'moxTask')B on (A.UserID = B.UserID) where B.Flag is null",
        "Delete From moxRemind Where Flag in (2,3) And RemindID = 'M2'",
        "Delete From comProdRec Where Flag = 10305",
        "Delete From BillStatePrompt Where KeyValue='R1'",
    };
    for (const char *sql : commands) {
        SCOPED_TRACE(sql);
        try {
            db.DBExcuteSql(s(sql));
        } catch (const EZError &e) {
            ADD_FAILURE() << qPrintable(e.message());
        }
    }
    EXPECT_EQ(rowsOf(db, s("select AccountID, CurrMoney from moxAccount order by AccountID")), s("01,564.5;02,4900"));
    EXPECT_EQ(
        rowsOf(db, s("select Offset, RemainMoney, BillState, PermitterID, HasCheck from accFee where BillNo = 'R1'")),
        s("100,200,1,Admin,1"));
    EXPECT_EQ(rowsOf(db, s("select CurrQty from comProduct")), s("10"));
    EXPECT_EQ(rowsOf(db, s("select WareID, State from comSerial")), s("W2,2"));
    EXPECT_EQ(rowsOf(db, s("select UserID, ProgID, Powers from PowerDesign where Flag = 1 order by ProgID")),
              s("007,moxDiary,1100;Admin,moxTask,"));
    EXPECT_EQ(db.GetRecordCount(s("select * from moxRemind")), 1);
    EXPECT_EQ(db.GetRecordCount(s("select * from comProdRec")), 0);
    EXPECT_EQ(db.GetRecordCount(s("select * from BillStatePrompt")), 0);
}
