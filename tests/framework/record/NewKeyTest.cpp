// Numbers of new records: by date code with the module's rule, by the
// greatest key, among the rows of the module's own Flag.
#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZNewMasterKey.h"

#include <gtest/gtest.h>

class NewKey : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyShipped(QStringLiteral("DBSource"));
    }
};

TEST_F(NewKey, DateCodedNumbersFollowTheModulesRuleAndCarryIntoTheDate)
{
    SaveParamValue(s("accGather_CodeRule"), s("yymm-???"));
    TZDataSource &gather = GetDataSource(s("accGather"));
    EXPECT_EQ(GetNewMasterKeyValue(gather, QDate(2025, 3, 9)), s("2503-001"));
    DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo) values(1, '2503-001')"));
    EXPECT_EQ(GetNewMasterKeyValue(gather, QDate(2025, 3, 9)), s("2503-002"));

    // The default rule: the counter carries into the date in front of it.
    SaveParamValue(s("accGather_CodeRule"), QString());
    DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo) values(1, '20240105999')"));
    EXPECT_EQ(GetNewMasterKeyValue(gather, QDate(2024, 1, 5)), s("20240106000"));
    EXPECT_EQ(GetNewMasterKeyValue(gather, QDate(2024, 1, 6)), s("20240106001"));
}

TEST_F(NewKey, NumbersCountOnlyTheModulesOwnRowsAndReservedKeys)
{
    // Payments share the table with gatherings under another Flag.
    DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo) values(1, '20240105007')"));
    EXPECT_EQ(GetNewMasterKeyValue(GetDataSource(s("accPay")), QDate(2024, 1, 5)), s("20240105001"));
    EXPECT_EQ(GetNewMasterKeyValue(GetDataSource(s("accGather")), QDate(2024, 1, 5)), s("20240105008"));

    // The administrator's person key never counts.
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('A9', '甲')"));
    DBConn().DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('Admin', '管理员')"));
    EXPECT_EQ(GetNewMasterKeyValue(GetDataSource(s("comPerson")), QDate()), s("B0"));
    EXPECT_EQ(GetNewMasterKeyValue(GetDataSource(s("devKnowType")), QDate()), s("000001"));
}
