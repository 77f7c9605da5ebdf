#include "ModelFixture.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <gtest/gtest.h>

using DataSourceModel = ModelFixture;

TEST_F(DataSourceModel, BuildsDatasetsTablesAndFieldsInOrder)
{
    TZDataSource &fee = GetDataSource(s(" accFee "));
    EXPECT_EQ(fee.DisplayName, s("收款单"));
    EXPECT_EQ(fee.CodeRule, vtDateCode);
    EXPECT_EQ(fee.MasterTableName, s("accFee"));
    ASSERT_EQ(fee.DatasetCount(), 2);
    EXPECT_EQ(fee.GetDatasetName(0), s("Master")); // sorted by DatasetIndex, not file order
    EXPECT_EQ(fee.Datasets.at(1)->Alias(), s("B"));
    TZDataset &master = fee.GetZDataset(s("master"));
    EXPECT_EQ(master.KeyField, s("BillNo"));
    EXPECT_EQ(master.CurrIDField, s("CurrID"));
    TZTable &table = *master.Tables.front();
    EXPECT_EQ(table.Flag, 1);
    QStringList names;
    for (const auto &field : table.Fields)
        names << field->FieldName;
    EXPECT_EQ(names, QStringList({s("BillNo"), s("BillDate"), s("Amount"), s("MakerID"), s("Remark"), s("HasCheck"),
                                  s("SysLastUpdateTime"), s("SysCreateTime"), s("SyncCompleted")}));
    const TZField *sync = table.GetZField(s("syncCompleted"));
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(sync->DisplayName, s("同步标识"));
    EXPECT_EQ(sync->Length, 100);
    EXPECT_FALSE(sync->Visible);
    EXPECT_EQ(table.GetZField(s("HasCheck"))->FieldType, ftZSmallint);
    EXPECT_EQ(table.GetZField(s("HasCheck"))->GetPickListText(1), s("已复核"));
    EXPECT_EQ(table.GetZField(s("HasCheck"))->GetPickListTextForCbxList(), s("未复核\n已复核"));
    EXPECT_EQ(table.GetZField(s("Note"))->FieldName, s("Remark")); // found by its alias

    // A relation field carries the alias of its RelativeFields item.
    const TZField *maker = master.GetZField(s("SalesMan_Name"));
    ASSERT_NE(maker, nullptr);
    EXPECT_TRUE(maker->IsRelationField);
    EXPECT_TRUE(maker->ReadOnly);
    EXPECT_EQ(maker->FieldName, s("PersonName"));
    EXPECT_EQ(table.GetZField(s("MakerID"))->JoinAlias, s("A3"));

    try {
        fee.GetZDataset(s("Nope"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("[收款单]中没有找到数据集定义[Nope]"));
    }
    try {
        fee.GetZTable(s("Nope"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("没有找到定义表:Nope"));
    }
}

TEST_F(DataSourceModel, CachesAndMissingDefinitions)
{
    TZDataSource &first = GetDataSource(s("comDuty"));
    EXPECT_EQ(&GetDataSource(s("COMDUTY")), &first);
    EXPECT_TRUE(IsExistProgID(s("comduty")));
    EXPECT_FALSE(IsExistProgID(s("moxNote")));
    GetDataSource(s("comDuty"), true); // rebuilt in place
    EXPECT_TRUE(IsExistProgID(s("comDuty")));
    try {
        GetDataSource(s("  "));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("资源定义创建过程中发生错误：资源定义名称为空"));
    }
    try {
        GetDataSource(s("moxMissing"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_TRUE(e.message().startsWith(s("资源定义创建过程中发生错误：不存在此资源定义文件：\n")));
    }
    EXPECT_FALSE(IsExistProgID(s("moxMissing")));

    InitSysIDAndProgID();
    EXPECT_EQ(RegisteredProgIDs().size(), 4);
    EXPECT_EQ(GetProgIDByFlag(1), s("accFee"));
    EXPECT_EQ(GetProgNameByFlag(1), s("收款单"));
    try {
        GetProgIDByFlag(77);
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("找不到旗标为 77 的资源定义！"));
    }
}

TEST_F(DataSourceModel, KeyAndNameListsAndDropDowns)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comDuty(DutyID, DutyName) values('02', '会计')"));
    db.DBExcuteSql(s("insert into comDuty(DutyID, DutyName) values('01', '经理')"));
    db.DBExcuteSql(s("insert into comDuty(DutyID, DutyName) values(' ', '空')"));
    TZDataSource &duty = GetDataSource(s("comDuty"));
    EXPECT_EQ(duty.GetIDList(), QStringList({s("01"), s("02")}));
    EXPECT_EQ(duty.GetNameList(), QStringList({s("经理"), s("会计")}));
    EXPECT_EQ(duty.GetIDNameList(), QStringList({s("01 经理"), s("02 会计")}));
    EXPECT_EQ(duty.GetNameByID(s(" 02 ")), s("会计"));
    EXPECT_EQ(duty.GetNameByID(s("99")), QString());
    EXPECT_EQ(duty.GetIDByName(s("经理")), s("01"));
    EXPECT_EQ(duty.GetIDByIDName(s("02 会计")), s("02"));
    EXPECT_EQ(duty.GetNameByIDName(s("01 经理")), s("经理"));
    EXPECT_EQ(GetNameByID(s("comDuty"), s("01")), s("经理"));
    EXPECT_EQ(duty.SubIDList(s("DutyName = '会计'")), QStringList({s("02")}));
    EXPECT_EQ(duty.GetComboboxList(), QStringList({s("经理"), s("会计")}));
    SaveParamValue(s("IDNameShowStyle"), s("1"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(duty.GetComboboxList(), QStringList({s("01 经理"), s("02 会计")}));
    SaveParamValue(s("IDNameShowStyle"), s("2"));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(duty.GetComboboxList(), QStringList({s("01"), s("02")}));
}

TEST_F(DataSourceModel, ListDatasetShowsNamesAndFilters)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comDuty(DutyID, DutyName) values('01', '经理')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName, DutyID, IsSysUser) values('007', '李四', '01', -1)"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName, DutyID, IsSysUser) values('008', '王五', '', 0)"));
    TZDataSource &person = GetDataSource(s("comPerson"));
    TZClientDataSet &list = person.GetListSource();
    EXPECT_EQ(list.RecordCount(), 2);
    EXPECT_EQ(list.FieldByName(s("PersonName")).DisplayLabel, s("姓名"));
    list.First();
    EXPECT_EQ(list.FieldByName(s("IsSysUser")).Text(), s("是"));
    EXPECT_EQ(list.FieldByName(s("DutyID")).Text(), s("经理")); // a linked ID shows the name
    EXPECT_EQ(list.FieldByName(s("DutyCode")).AsString(), s("01"));

    TZClientDataSet row;
    row.CreateDataSet({{s("Who"), ftZString, 0, {}, {}}});
    row.Append();
    row.FieldByName(s("Who")).SetAsString(s("008"));
    row.Post();
    person.SetListDataFilter(s("PersonID = [Who]"), &row);
    EXPECT_EQ(list.RecordCount(), 1);
    EXPECT_EQ(list.FieldByName(s("PersonName")).AsString(), s("王五"));
    person.SetListDataFilter(QString(), nullptr);
    EXPECT_EQ(list.RecordCount(), 2);
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('009', '赵六')"));
    person.SetNeedReGetLookUpListData(true);
    EXPECT_EQ(person.GetListSource().RecordCount(), 3);
}
