#include "ModelFixture.h"

#include "TestText.h"

#include "data/TDBConn.h"
#include "metadata/ZDataSources.h"

namespace {

const char *const kDuty = R"([<DSDataSource>]
DataSource=comDuty
Propertys=DisplayName=职务;MasterKey=DutyID;SubKey=DutyName;Powers=执行,新增,修改,删除
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-comDuty]
TableName=comDuty
Propertys=KeyFields=DutyID
[<DSField>Master-comDuty-DutyID]
FieldName=DutyID
Propertys=DisplayName=职务编号;FieldIndex=1;Visible=True
[<DSField>Master-comDuty-DutyName]
FieldName=DutyName
Propertys=DisplayName=职务名称;FieldIndex=2;Visible=True
)";

const char *const kPerson = R"([<DSDataSource>]
DataSource=comPerson
Propertys=DisplayName=人员;MasterKey=PersonID;SubKey=PersonName;Powers=执行,全查,新增,修改,删除,导出
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-comPerson]
TableName=comPerson
Propertys=KeyFields=PersonID
[<DSField>Master-comPerson-PersonID]
FieldName=PersonID
Propertys=DisplayName=人员编号;FieldIndex=1;Visible=True
[<DSField>Master-comPerson-PersonName]
FieldName=PersonName
Propertys=DisplayName=姓名;FieldIndex=2;Visible=True
[<DSField>Master-comPerson-DutyID]
FieldName=DutyID
Propertys=DisplayName=职务;FieldIndex=3;Visible=True;RelativeDS=comDuty;RelativeFields=DutyID(DutyCode
[<DSField>Master-comPerson-IsSysUser]
FieldName=IsSysUser
Propertys=DisplayName=系统用户;FieldType=bol;FieldIndex=4;Visible=True
)";

const char *const kFee = R"([<DSDataSource>]
DataSource=accFee
Propertys=DisplayName=收款单;MasterKey=BillNo;SubKey=BillNo;DateField=BillDate;CodeRule=vtDateCode;Powers=执行,全查,新增,修改,删除
[<DSDataset>Detail]
Dataset=Detail
DatasetIndex=1
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
CurrIDField=CurrID
[<DSTable>Master-accFee]
TableName=accFee
Propertys=Flag=1;KeyFields=BillNo
[<DSField>Master-accFee-BillNo]
FieldName=BillNo
Propertys=DisplayName=单号;FieldIndex=1;Visible=True
[<DSField>Master-accFee-BillDate]
FieldName=BillDate
Propertys=DisplayName=日期;FieldType=dat;FieldIndex=2;Visible=True
[<DSField>Master-accFee-Amount]
FieldName=Amount
Propertys=DisplayName=金额;FieldType=mon;NumberType=1;FieldIndex=3;Visible=True
[<DSField>Master-accFee-MakerID]
FieldName=MakerID
Propertys=DisplayName=制单人;FieldIndex=4;Visible=True;RelativeDS=comPerson;RelativeFields=PersonName(SalesMan_Name
[<DSField>Master-accFee-Remark]
FieldName=Remark
Propertys=DisplayName=备注;FieldType=mem;AliasName=Note;FieldIndex=5;Visible=False
[<DSField>Master-accFee-HasCheck]
FieldName=HasCheck
Propertys=DisplayName=复核;FieldType=bol;FieldIndex=6;Visible=True;PickList=未复核-0,已复核-1
[<DSTable>Detail-accGatherSub]
TableName=accGatherSub
Propertys=Flag=1;KeyFields=BillNo,RowNo
[<DSField>Detail-accGatherSub-BillNo]
FieldName=BillNo
Propertys=DisplayName=单号;FieldIndex=1;Visible=True
[<DSField>Detail-accGatherSub-RowNo]
FieldName=RowNo
Propertys=DisplayName=行号;FieldType=int;FieldIndex=2;Visible=True
[<DSField>Detail-accGatherSub-FeeBillNo]
FieldName=FeeBillNo
Propertys=DisplayName=原单号;FieldIndex=3;Visible=True
)";

const char *const kNote = R"([<DSDataSource>]
DataSource=moxNote
Propertys=DisplayName=记事本;MasterKey=NoteID;SubKey=Title;Powers=执行
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-moxNote]
TableName=moxNote
Propertys=KeyFields=NoteID
[<DSField>Master-moxNote-NoteID]
FieldName=NoteID
Propertys=DisplayName=编号;FieldIndex=1;Visible=True
[<DSField>Master-moxNote-Title]
FieldName=Title
Propertys=DisplayName=标题;FieldIndex=2;Visible=True
)";

} // namespace

void ModelFixture::SetUp()
{
    TDataFileTest::SetUp();
    folder->writeFile(s("DBSource/comDuty.dbs"), kDuty);
    folder->writeFile(s("DBSource/comPerson.dbs"), kPerson);
    folder->writeFile(s("DBSource/accFee.dbs"), kFee);
    folder->writeFile(s("DBSource/moxNote.dbs"), kNote);
    createTable(s(" CREATE TABLE [accFee]([Flag] int DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',[BillDate] "
                  "datetime DEFAULT 0,[Amount] Money DEFAULT 0,[MakerID] VarChar(20) DEFAULT '',[Remark] text DEFAULT "
                  "'',[HasCheck] smallint DEFAULT 0,[CurrID] VarChar(10) DEFAULT ''" kTableStamps ")"));
    createTable(s(" CREATE TABLE [accGatherSub]([Flag] int DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',[RowNo] "
                  "int DEFAULT 0,[FeeBillNo] VarChar(20) DEFAULT ''" kTableStamps ")"));
    createTable(s(
        " CREATE TABLE [moxNote]([NoteID] VarChar(20) NOT NULL DEFAULT '',[Title] VarChar(50) DEFAULT ''" kTableStamps ")"));
}

void ModelFixture::TearDown()
{
    FreeDataSource();
    TDataFileTest::TearDown();
}
