#include "LayoutFixture.h"

#include "TestText.h"

#include "common/ZQuestionBox.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

namespace {

const char *const kClient = R"([<DSDataSource>]
DataSource=tstClient
Propertys=DisplayName=客户;MasterKey=ClientID;SubKey=ClientName;AutoSaveNewDataRemind=True;Powers=执行
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-tstClient]
TableName=tstClient
Propertys=KeyFields=ClientID
[<DSField>Master-tstClient-ClientID]
FieldName=ClientID
Propertys=DisplayName=客户编号;FieldIndex=1;Visible=True
[<DSField>Master-tstClient-ClientName]
FieldName=ClientName
Propertys=DisplayName=客户名称;FieldIndex=2;Visible=True
)";

const char *const kKind = R"([<DSDataSource>]
DataSource=tstKind
Propertys=DisplayName=类别;MasterKey=KindID;SubKey=KindName;ListFieldNames=Remark;AutoSaveNewDataRemind=True;Powers=执行
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-tstKind]
TableName=tstKind
Propertys=Flag=2;KeyFields=KindID
[<DSField>Master-tstKind-KindID]
FieldName=KindID
Propertys=DisplayName=类别编号;FieldIndex=1;Visible=True
[<DSField>Master-tstKind-KindName]
FieldName=KindName
Propertys=DisplayName=类别名称;FieldIndex=2;Visible=True
[<DSField>Master-tstKind-Remark]
FieldName=Remark
Propertys=DisplayName=说明;FieldIndex=3;Visible=True
)";

// Positions: OrderID head left, OrderDate head left (wt12) with OrderTime on
// its right, ClientID head right, Qty and Level in the head page, Paid and
// Amount in the self page, Note (selected as NoteText) below, Content a memo, Photo hidden.
const char *const kOrder = R"([<DSDataSource>]
DataSource=tstOrder
Propertys=DisplayName=订单;MasterKey=OrderID;SubKey=OrderID;Powers=执行
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-tstOrder]
TableName=tstOrder
Propertys=KeyFields=OrderID
[<DSField>Master-tstOrder-OrderID]
FieldName=OrderID
Propertys=DisplayName=订单编号;FieldIndex=1;Visible=True
[<DSField>Master-tstOrder-OrderDate]
FieldName=OrderDate
Propertys=DisplayName=日期;FieldType=dat;FieldIndex=2;Visible=True;CtrlWidthType=2
[<DSField>Master-tstOrder-OrderTime]
FieldName=OrderTime
Propertys=DisplayName=时间;FieldType=tim;FieldIndex=3;Visible=True;CtrlWidthType=2;SubPosition=1
[<DSField>Master-tstOrder-ClientID]
FieldName=ClientID
Propertys=DisplayName=客户;FieldIndex=4;Visible=True;UICtrlPosition=1;RelativeDS=tstClient;RelativeFields=ClientName(ClientName
[<DSField>Master-tstOrder-Qty]
FieldName=Qty
Propertys=DisplayName=数量;FieldType=int;FieldIndex=5;Visible=True;UICtrlPosition=2
[<DSField>Master-tstOrder-Level]
FieldName=Level
Propertys=DisplayName=级别;FieldType=sin;FieldIndex=6;Visible=True;UICtrlPosition=3;PickList=高,中,低
[<DSField>Master-tstOrder-Paid]
FieldName=Paid
Propertys=DisplayName=已付;FieldType=bol;FieldIndex=7;Visible=True;UICtrlPosition=4
[<DSField>Master-tstOrder-Amount]
FieldName=Amount
Propertys=DisplayName=金额;FieldType=mon;FieldIndex=8;Visible=True;UICtrlPosition=5
[<DSField>Master-tstOrder-Note]
FieldName=Note
Propertys=DisplayName=附注;FieldIndex=9;Visible=True;UICtrlPosition=6;AliasName=NoteText
[<DSField>Master-tstOrder-Content]
FieldName=Content
Propertys=DisplayName=内容;FieldType=mem;FieldIndex=10;Visible=True
[<DSField>Master-tstOrder-Photo]
FieldName=Photo
Propertys=DisplayName=照片;FieldType=blo;FieldIndex=11;Visible=False
)";


} // namespace

void LayoutFixture::SetUp()
{
    ModelFixture::SetUp();
    folder->writeFile(s("DBSource/tstClient.dbs"), kClient);
    folder->writeFile(s("DBSource/tstKind.dbs"), kKind);
    folder->writeFile(s("DBSource/tstOrder.dbs"), kOrder);
    createTable(s(" CREATE TABLE [tstClient]([ClientID] VarChar(20) NOT NULL DEFAULT '',[ClientName] VarChar(50) "
                  "DEFAULT ''" kTableStamps ")"));
    createTable(s(" CREATE TABLE [tstKind]([Flag] int DEFAULT 0,[KindID] VarChar(20) NOT NULL DEFAULT '',[KindName] "
                  "VarChar(50) DEFAULT '',[Remark] VarChar(50) DEFAULT ''" kTableStamps ")"));
    createTable(s(" CREATE TABLE [tstOrder]([OrderID] VarChar(20) NOT NULL DEFAULT '',[OrderDate] datetime,[OrderTime] "
                  "datetime,[ClientID] VarChar(20) DEFAULT '',[Qty] int DEFAULT 0,[Level] smallint DEFAULT 0,[Paid] bit "
                  "DEFAULT 0,[Amount] Money DEFAULT 0,[Note] VarChar(50) DEFAULT '',[Content] text DEFAULT '',[Photo] "
                  "image" kTableStamps ")"));
    SetZQuestionBox([this](QWidget *, const QString &caption, const QString &text) {
        asked << caption + QLatin1Char('|') + text;
        return answer;
    });
}

void LayoutFixture::TearDown()
{
    SetZQuestionBox(nullptr);
    ModelFixture::TearDown();
}

void LayoutFixture::openEmpty(TOrvDataSet &dataSet, const QString &progID)
{
    dataSet.ProgID = progID;
    DBConn().DBOpenDataSet(dataSet, GetDataSource(progID).GetEmptyBillSQL(0, false));
}
