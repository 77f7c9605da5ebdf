#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "settings/ZSwitches.h"
#include "data/TCurrInfo.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

#include <gtest/gtest.h>

using Params = TDataFileTest;

TEST_F(Params, NamesIgnoreCaseAndBlankValuesReadAsTheDefault)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comParams(ParamName, ParamValue) values(' MyName ', ' 王五 ')"));
    db.DBExcuteSql(s("insert into comParams(ParamName, ParamValue) values('Blank', '   ')"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(GetParamValue(s("mYnAmE"), s("x")), s("王五"));
    EXPECT_EQ(GetParamValue(s("Blank"), s("dflt")), s("dflt"));
    EXPECT_EQ(GetParamValue(s("Missing"), s("dflt")), s("dflt"));

    // A cached name takes a saved value at once; a new one at the next reload.
    SaveParamValue(s("MyName"), s("  赵六 "));
    EXPECT_EQ(GetParamValue(s("MyName")), s("  赵六 "));
    SaveParamValue(s("NewOne"), s("1"));
    EXPECT_EQ(GetParamValue(s("NewOne"), s("0")), s("0"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(GetParamValue(s("NewOne"), s("0")), s("1"));
    EXPECT_EQ(db.GetRecordCount(s("select * from comParams where ParamName = 'myname'")), 1);

    // Parameters reach the switches through the reader the cache installs.
    EXPECT_FALSE(UseMutilCurrency());
    SaveParamValue(s("MutilCurrency"), s("1"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_TRUE(UseMutilCurrency());
}

TEST_F(Params, LongParametersAndMissingTables)
{
    SaveLongParamValue(s("FormClassInfo"), s("很长的文本"));
    EXPECT_EQ(GetLongParamValue(s("formclassinfo"), s("d")), s("很长的文本"));
    EXPECT_EQ(GetLongParamValue(s("Other"), s("d")), s("d"));
    DBConn().DropTable(s("comParamsEx"));
    EXPECT_EQ(GetLongParamValue(s("FormClassInfo"), s("d")), s("d"));
    EXPECT_NO_THROW(SaveLongParamValue(s("FormClassInfo"), s("x")));

    // A data file without comParams gets it, with its key, when the cache loads.
    DBConn().DropTable(s("comParams"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(DBConn().GetKeyFields(s("comParams")), s("ParamName"));
}

TEST_F(Params, MoneyPriceAndPercentByCurrency)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(
        s("Insert Into comCurrency(CurrencyID,CurrencyName,ShortName,EngName, FixRate,BuyInRate,SellOutRate,"
          "AmountDeciDigits,PriceDeciDigits,AmountThouPt) Values('RMB','人民币','人民币','RMB',1,1,1,2,3,-1)"));
    db.DBExcuteSql(s("Insert Into comCurrency(CurrencyID,AmountDeciDigits,PriceDeciDigits) Values('USD',2,4)"));
    SaveParamValue(s("NativeCurrID"), s("RMB"));
    SaveParamValue(s("PriceDig"), s("1"));
    GetParamInfo().UpdateParamInfo();
    GetCurrInfo().UpdateCurrInfo();

    EXPECT_EQ(RoundTextByCurr(ntMoney, 1234.5), s("1,234.50"));
    EXPECT_EQ(RoundTextByCurr(ntMoney, 1234.5, s("usd")), s("1234.50"));
    EXPECT_EQ(RoundTextByCurr(ntMoney, 999.5), s("999.50"));
    EXPECT_EQ(RoundTextByCurr(ntPrice, 2.5, s("EUR")), s("2.5")); // unknown currency: PriceDig
    EXPECT_EQ(RoundTextByCurr(ntPrice, 2.5), s("2.500"));
    EXPECT_EQ(RoundTextByCurr(ntPercent, 0.1234), s("12.34"));
    EXPECT_EQ(RoundTextByCurr(ntUnAssign, 2.25), s("2.2"));
    EXPECT_DOUBLE_EQ(RoundByCurr(ntMoney, 2.675), 2.68);
    EXPECT_DOUBLE_EQ(RoundByCurr(ntPrice, 1.23456, s("USD")), 1.2346);
    EXPECT_DOUBLE_EQ(RoundByCurr(ntPercent, 12.345), 0.1234);
    EXPECT_DOUBLE_EQ(RoundByCurr(ntExchRate, 6.12345678), 6.123457);

    SaveParamValue(s("AmountDig"), s("two"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_THROW(RoundByCurr(ntAmount, 1.5), EZError);
}

TEST_F(Params, ParameterReportTable)
{
    SaveParamValue(s("CorpFullName"), s("某某公司 "));
    SaveParamValue(s("MyName"), s("王五"));
    TransParamTable();
    auto row = DBConn().DBOpenDataSet(s(" Select *,RTrim(CorpFullName) as CorpFullName, RTrim(CorpFullName) as "
                                        "CorpFullNameEx From comParamsColumns"));
    ASSERT_EQ(row->RecordCount(), 1);
    EXPECT_EQ(row->FieldByName(s("MyName")).AsString(), s("王五"));
    EXPECT_EQ(row->FieldByName(s("CorpFullNameEx")).AsString(), s("某某公司"));
    EXPECT_GT(row->FieldByName(s("Year")).AsInteger(), 2000);
    TransParamTable(); // again: the old table is replaced
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comParamsColumns")), 1);
}
