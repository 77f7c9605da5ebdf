#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TCurrInfo.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZRecordset.h"
#include "data/ZFieldRules.h"
#include "data/ZKeyNumbers.h"
#include "data/ZRowToColumn.h"

#include <gtest/gtest.h>

using DbHelpers = TDataFileTest;

TEST_F(DbHelpers, NewKeysByMaxIdAndDateCode)
{
    TDBConn &db = DBConn();
    EXPECT_EQ(GetFieldNewNo(s("comUser"), s("UserID"), nullptr, QDate(), vtMaxID), s("000001"));
    EXPECT_EQ(GetFieldNewNo(s("comUser"), s("UserID"), nullptr, QDate(), vtEmpty), QString());
    db.DBExcuteSql(s("insert into comPerson(PersonID) values('000009')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID) values('Admin')"));
    const TZKeySource person{s("comPerson"), s("PersonID"), false};
    EXPECT_EQ(GetFieldNewNo(s("comPerson"), s("PersonID"), &person, QDate(), vtMaxID), s("000010"));
    EXPECT_EQ(GetFieldNewNo(s("comPerson"), s("PersonID"), nullptr, QDate(), vtMaxID), s("Admio")); // Admin counts here

    // Date codes: the first key of 21 June 2011 is 20110621001, the next 20110621002.
    const TZKeySource bills{s("accFee"), s("BillNo"), false};
    EXPECT_EQ(GetDateCodeMaxValue(s("comChangeLog"), s("KeyValue"), &bills, QDate(2011, 6, 21)), s("20110621000"));
    const QString first = GetFieldNewNo(s("comChangeLog"), s("KeyValue"), &bills, QDate(2011, 6, 21), vtDateCode);
    EXPECT_EQ(first, s("20110621001"));
    db.DBExcuteSql(s("insert into comChangeLog(KeyValue) values('20110621001')"));
    db.DBExcuteSql(s("insert into comChangeLog(KeyValue) values('20110622005')"));
    EXPECT_EQ(GetFieldNewNo(s("comChangeLog"), s("KeyValue"), &bills, QDate(2011, 6, 21), vtDateCode),
              s("20110621002"));

    // A module's own rule, and keys behind the branch code.
    SaveParamValue(s("accFee_CodeRule"), s("yymm????"));
    SaveParamValue(s("CurrOrgID"), s("ZB"));
    GetParamInfo().UpdateParamInfo();
    db.DBExcuteSql(s("insert into comChangeLog(KeyValue) values('ZB11060041')"));
    const TZKeySource branch{s("accFee"), s("KeyValue"), true};
    EXPECT_EQ(GetDateCodeMaxValue(s("comChangeLog"), s("KeyValue"), &branch, QDate(2011, 6, 9)), s("11060041"));
    TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    EXPECT_EQ(GetFieldNewNo(s("comChangeLog"), s("KeyValue"), &bills, QDate(), vtDateCode), s("26120001"));
}

TEST_F(DbHelpers, UserTableSeeding)
{
    InitUserTable();
    EXPECT_EQ(DBConn().DBSelectValue(s("select UserID, PersonID, UserName from comUser")),
              QStringList({s("Admin"), s("Admin"), s("管理员")}));
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID, PersonName, IsSysUser) values('007', '李四', -1)"));
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID, PersonName, IsSysUser) values('008', '王五', 0)"));
    SyncPersonToUser();
    SyncPersonToUser();
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comUser")), 2);
}

TEST_F(DbHelpers, RecordsetAndPivot)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('B', '乙')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('A', '甲')"));
    TZRecordset rs;
    rs.Open(s("select PersonID, PersonName from comPerson order by PersonID"));
    EXPECT_EQ(rs.RecordCount(), 2);
    rs.MoveLast();
    EXPECT_EQ(rs.FieldByName(s("personname")).AsString(), s("乙"));
    try {
        rs.FieldByName(s("Nope"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("数据集Recordset中不存在字段 Nope"));
    }

    TZClientDataSet months;
    months.CreateDataSet({{s("AccID"), ftZString, 0, {}, {}},
                          {s("Month"), ftZInteger, 0, {}, {}},
                          {s("Amount"), ftZCurrency, 0, {}, {}},
                          {s("MonthName"), ftZString, 0, {}, {}}});
    const auto add = [&](const char *acc, int month, double amount) {
        months.Append();
        months.FieldByName(s("AccID")).SetAsString(s(acc));
        months.FieldByName(s("Month")).SetAsInteger(month);
        months.FieldByName(s("Amount")).SetAsFloat(amount);
        months.FieldByName(s("MonthName")).SetAsString(s("%1月 ").arg(month));
        months.Post();
    };
    add("现金", 2, 10);
    add("银行", 1, 5.5);
    add("现金", 1, 1.25);
    auto pivot = RowToColumn(months, s("Month"), true, s("AccID"), s("Amount"), s("MonthName"));
    EXPECT_EQ(pivot->FieldNames(), QStringList({s("AccID"), s("_AutoField1"), s("_AutoField2"), s("_AutoField_Sum")}));
    EXPECT_EQ(pivot->FieldByName(s("_AutoField1")).DataType(), ftZCurrency);
    EXPECT_EQ(pivot->FieldByName(s("_AutoField1")).DisplayLabel, s("1月"));
    EXPECT_EQ(pivot->FieldByName(s("_AutoField_Sum")).DisplayLabel, s("合计"));
    ASSERT_EQ(pivot->RecordCount(), 2);
    EXPECT_TRUE(pivot->Locate(s("AccID"), {s("现金")}));
    EXPECT_EQ(pivot->FieldByName(s("_AutoField1")).AsString(), s("1.25"));
    EXPECT_EQ(pivot->FieldByName(s("_AutoField2")).AsString(), s("10"));
    EXPECT_EQ(pivot->FieldByName(s("_AutoField_Sum")).AsString(), s("11.25"));
    EXPECT_TRUE(pivot->Locate(s("AccID"), {s("银行")}));
    EXPECT_TRUE(pivot->FieldByName(s("_AutoField2")).IsNull());
}

TEST_F(DbHelpers, FieldDisplayAndEntryRules)
{
    DBConn().DBExcuteSql(s("Insert Into comCurrency(CurrencyID,AmountDeciDigits,PriceDeciDigits,AmountThouPt) "
                           "Values('RMB',2,3,-1)"));
    SaveParamValue(s("NativeCurrID"), s("RMB"));
    GetParamInfo().UpdateParamInfo();
    GetCurrInfo().UpdateCurrInfo();
    EXPECT_EQ(ZHiddenFieldText(), s("---"));
    EXPECT_EQ(ZBooleanText(true), s("是"));
    EXPECT_EQ(ZBooleanText(false), s("否"));
    EXPECT_EQ(ZNumberText(QVariant(1234.5), ntMoney, QString(), false), s("1,234.50"));
    EXPECT_EQ(ZNumberText(QVariant(0), ntMoney, QString(), true), QString());
    EXPECT_EQ(ZNumberText(QVariant(), ntMoney, QString(), false), QString());
    EXPECT_EQ(ZIDNameShowStyle(), 0);
    EXPECT_EQ(ZLinkedIDText(s("001"), s("现金"), true, 0), s("现金"));
    EXPECT_EQ(ZLinkedIDText(s("001"), s("现金"), true, 1), s("001 现金"));
    EXPECT_EQ(ZLinkedIDText(s("001"), s("现金"), true, 2), s("001"));
    EXPECT_EQ(ZLinkedIDText(s("001"), s("现金"), false, 0), QString());
    EXPECT_EQ(ZPlainText(s(" a "), dtDbACCESS), s("a"));

    EXPECT_EQ(ZNumberFromText(s(" "), ftZFloat, ntMoney, QString()).toDouble(), 0.0);
    EXPECT_EQ(ZNumberFromText(s("1,234.567"), ftZCurrency, ntMoney, QString()).value<Currency>(),
              Currency::fromRaw(12345700));
    EXPECT_EQ(ZNumberFromText(s("12"), ftZInteger, ntUnAssign, QString()).toInt(), 12);
    EXPECT_THROW(ZNumberFromText(s("abc"), ftZFloat, ntMoney, QString()), EZError);
    const QList<QPair<QString, QString>> rows{{s("001"), s("现金")}, {s("002"), s("银行")}};
    EXPECT_EQ(ZLinkedIDFromText(s(" 银行 "), rows, 0), s("002"));
    EXPECT_EQ(ZLinkedIDFromText(s("001 现金"), rows, 1), s("001"));
    EXPECT_EQ(ZLinkedIDFromText(s("002"), rows, 2), s("002"));
    EXPECT_EQ(ZLinkedIDFromText(s(" 新的 "), rows, 0), s("新的"));
}
