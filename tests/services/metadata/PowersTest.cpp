#include "ModelFixture.h"
#include "TestText.h"

#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"

#include <QAction>

#include <gtest/gtest.h>

using Powers = ModelFixture;

TEST(PowerCodes, NamesCodesAndActions)
{
    EXPECT_EQ(GetPowerCode(s("执行,新增,删除")), s("100101000000"));
    EXPECT_EQ(GetPowerItemsByCode(s("1111111111")), TPowerItems(0x3FF));
    EXPECT_TRUE(GetHavePower(s("1000000000"), piLoad));
    EXPECT_FALSE(GetHavePower(s("0111111111"), piLoad));
    EXPECT_FALSE(GetHavePower(s("1111111111111111111"), 16));
    EXPECT_EQ(GetOpAction(s("ACTCOPY")), 4);
    EXPECT_EQ(GetPowerItem(s("actCopy")), piAdd);
    EXPECT_EQ(GetPowerItem(s("actFresh")), piLoad);
    EXPECT_EQ(GetActionTag(s("actUnCheck")), s("10000010"));
    EXPECT_EQ(GetActionTag(s("actOther")), QString());
    EXPECT_TRUE(ZActionEnabled(5, s("actUnCheck"), s("00000001")));
    EXPECT_FALSE(ZActionEnabled(3, s("actUnCheck"), s("00000001")));
    EXPECT_FALSE(ZActionEnabled(5, s("actUnCheck"), s("1111111011")));
    EXPECT_FALSE(ZActionEnabled(3, s("actOther"), s("1111111111")));
    QAction action;
    action.setObjectName(s("actEdit"));
    SetActionState(3, &action, s("11111"));
    EXPECT_TRUE(action.isEnabled());
    SetActionState(0, &action, s("11111"));
    EXPECT_FALSE(action.isEnabled());
}

TEST_F(Powers, ResolutionByPersonDutyAndDepartment)
{
    TDBConn &db = DBConn();
    InitPowerDesignTable(db.GetDBCONN());
    db.DBExcuteSql(
        s("insert into comPerson(PersonID, PersonName, DutyID, DepartID) values('007', '李四', 'D1', 'X1')"));
    db.DBExcuteSql(s("insert into PowerDesign(Flag, UserID, ProgID, Powers, FieldPowers) values(3, 'X1', 'accFee', "
                     "'1000000000', 'PersonName-0')"));
    EXPECT_EQ(GetUserPowerCode(s("007"), s("accFee"), 0, s("Powers")), s("1000000000")); // the department's
    db.DBExcuteSql(s("insert into PowerDesign(Flag, UserID, ProgID, Powers) values(2, 'D1', 'accFee', '1101000000')"));
    EXPECT_EQ(GetUserPowerCode(s("007"), s("accFee"), 0, s("Powers")), s("1101000000")); // the duty's
    db.DBExcuteSql(s("insert into PowerDesign(Flag, UserID, ProgID, Powers) values(1, '007', 'accFee', '')"));
    EXPECT_EQ(GetUserPowerCode(s("007"), s("accFee"), 0, s("Powers")), s("1101000000")); // empty own row: inherited
    db.DBExcuteSql(s("update PowerDesign set Powers = '1110000000' where Flag = 1"));
    EXPECT_EQ(GetUserPowerCode(s("007"), s("accFee"), 0, s("Powers")), s("1110000000"));
    EXPECT_EQ(GetUserPowerCode(s("nobody"), s("accFee"), 0, s("Powers")), QString());
    EXPECT_EQ(GetUserPowerCode(s("D1"), s("accFee"), 2, s("Powers")), s("1101000000"));

    GetDataSource(s("accFee"));
    EXPECT_TRUE(GetHavePower(s("007"), s("accFee"), piAllBrowse));
    EXPECT_FALSE(GetHavePower(s("007"), s("accFee"), piAdd));
    EXPECT_TRUE(GetHavePower(s("Admin"), s("accFee"), piDelete));
    EXPECT_FALSE(GetHavePower(s("Admin"), s("accFee"), piPrint)); // not applicable to the module
    EXPECT_FALSE(GetHavePower(s("Admin"), s("moxMissing"), piLoad));

    // Field powers: a listed key withholds the field (substring test).
    UserInfo = TUserInfo{s("007"), s("007"), s("李四"), QString()};
    db.DBExcuteSql(s("update PowerDesign set FieldPowers = 'Amount-0,Title-0' where Flag = 1"));
    TZDataSource &fee = GetDataSource(s("accFee"), true);
    const TZField *amount = fee.Datasets.front()->GetZField(s("Amount"));
    EXPECT_FALSE(amount->Permitted);
    EXPECT_TRUE(amount->ReadOnly);
    EXPECT_TRUE(fee.Datasets.front()->GetZField(s("BillNo"))->Permitted);

    InitPowerDesign();
    EXPECT_GE(db.GetRecordCount(s("select * from PowerDesign where Flag = 1")), 1);
}
