#pragma once

#include "RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/Currency.h"
#include "data/TDBConn.h"
#include "forms/TfrmAccountTran.h"
#include "forms/TfrmMoxFee.h"
#include "metadata/TOrvDataSet.h"

#include <QDateTime>

#include <memory>

/// A household ledger test on a fresh data file: three accounts (XJ with an
/// opening balance of 100, YH and ZF with none), the income type "01" and
/// the expense type "01", and the clock at 10 June 2026.
class THouseholdTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        clock = std::make_unique<TTestClock>(QDateTime(QDate(2026, 6, 10), QTime(9, 0)));
        TDBConn &db = DBConn();
        db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) values"
                         "('XJ', '现金', 100, 100), ('YH', '银行', 0, 0), ('ZF', '支付宝', 0, 0)"));
        db.DBExcuteSql(s("insert into moxIncomeType(TypeID, TypeName) values('01', '工资')"));
        db.DBExcuteSql(s("insert into moxFeeType(TypeID, TypeName) values('01', '餐饮')"));
    }

    void TearDown() override
    {
        clock.reset();
        TRecordTest::TearDown();
    }

    static QString value(const QString &sql) { return DBConn().DBSelectValue(sql).value(0); }

    /// An account's stored current balance as text ("150", "-12.5").
    static QString balance(const QString &accountID)
    {
        return Currency::fromString(value(s("select CurrMoney from moxAccount where AccountID = '%1'").arg(accountID)))
            .toString();
    }

    /// Books an income (moxIncome) or expense (moxFee) item through the
    /// window and saves it; returns its key.
    static QString book(TfrmMoxFee &window, const QString &accountID, const QString &money,
                        const QDate &date = QDate(2026, 6, 10))
    {
        EXPECT_TRUE(window.RunAction(1));
        TOrvDataSet &master = window.MasterData();
        master.FieldByName(s("ItemDate")).SetAsDateTime(QDateTime(date, QTime()));
        master.FieldByName(s("InOutType")).SetAsString(s("01"));
        master.FieldByName(s("AccountID")).SetAsString(accountID);
        master.FieldByName(s("ItemMoney")).SetAsString(money);
        EXPECT_TRUE(window.RunAction(5));
        return window.CurrKeyValue();
    }

    /// Saves a transfer through the window; returns its key.
    static QString transfer(TfrmAccountTran &window, const QString &from, const QString &to, const QString &money)
    {
        EXPECT_TRUE(window.RunAction(1));
        TOrvDataSet &master = window.MasterData();
        master.FieldByName(s("TranDate")).SetAsDateTime(QDateTime(QDate(2026, 6, 10), QTime()));
        master.FieldByName(s("SrcAccountID")).SetAsString(from);
        master.FieldByName(s("DestAccountID")).SetAsString(to);
        master.FieldByName(s("TranMoney")).SetAsString(money);
        EXPECT_TRUE(window.RunAction(5));
        return window.CurrKeyValue();
    }

    std::unique_ptr<TTestClock> clock;
};
