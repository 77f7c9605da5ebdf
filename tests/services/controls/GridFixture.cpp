#include "GridFixture.h"

#include "TestText.h"

#include "common/ZGuard.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

namespace {

const char *const kLines = R"([<DSDataSource>]
DataSource=tstLine
Propertys=DisplayName=明细;MasterKey=LineID;SubKey=ItemName;Powers=执行,新增,修改,删除
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-tstLine]
TableName=tstLine
Propertys=KeyFields=LineID
[<DSField>Master-tstLine-LineID]
FieldName=LineID
Propertys=DisplayName=行编号;FieldIndex=1;Visible=True
[<DSField>Master-tstLine-ItemName]
FieldName=ItemName
Propertys=DisplayName=物品名称;FieldIndex=2;Visible=True;AllowEmpty=True
[<DSField>Master-tstLine-Kind]
FieldName=Kind
Propertys=DisplayName=类别;FieldIndex=3;Visible=True;AllowEmpty=True
[<DSField>Master-tstLine-Amount]
FieldName=Amount
Propertys=DisplayName=金额;FieldType=mon;NumberType=1;FieldIndex=4;Visible=True;AllowEmpty=True
[<DSField>Master-tstLine-Qty]
FieldName=Qty
Propertys=DisplayName=数量;FieldType=int;FieldIndex=5;Visible=True;AllowEmpty=True
[<DSField>Master-tstLine-LineDate]
FieldName=LineDate
Propertys=DisplayName=日期;FieldType=dat;FieldIndex=6;Visible=True;AllowEmpty=True
[<DSField>Master-tstLine-Remark]
FieldName=Remark
Propertys=DisplayName=备注;FieldIndex=7;Visible=True;ReadOnly=True
[<DSField>Master-tstLine-Secret]
FieldName=Secret
Propertys=DisplayName=内部;FieldIndex=8;Visible=False;AllowEmpty=True
[<DSField>Master-tstLine-State]
FieldName=State
Propertys=DisplayName=状态;FieldType=int;FieldIndex=9;Visible=True;AllowEmpty=True;PickList=草稿-0,完成-1
[<DSField>Master-tstLine-DutyID]
FieldName=DutyID
Propertys=DisplayName=职务;FieldIndex=10;Visible=True;AllowEmpty=True;RelativeDS=comDuty;ShowDataList=False
[<DSField>Master-tstLine-LeadDuty]
FieldName=LeadDuty
Propertys=DisplayName=主管职务;FieldIndex=11;Visible=True;AllowEmpty=True;RelativeDS=comDuty;ShowDataList=True
[<DSField>Master-tstLine-BackDuty]
FieldName=BackDuty
Propertys=DisplayName=后备职务;FieldIndex=12;Visible=True;AllowEmpty=True;RelativeDS=comDuty;ShowDataList=True;ShowDataListType=1
)";

} // namespace

void GridFixture::SetUp()
{
    ModelFixture::SetUp();
    folder->writeFile(s("DBSource/tstLine.dbs"), kLines);
    createTable(s(" CREATE TABLE [comDuty]([DutyID] VarChar(20) NOT NULL DEFAULT '',[DutyName] VarChar(50) DEFAULT '',"
                  "[SysLastUpdateTime] VarChar(14) DEFAULT '',[SysCreateTime] VarChar(14) DEFAULT '',"
                  "[SyncCompleted] VarChar(100) DEFAULT '')"));
    DBConn().DBExcuteSql(s("Insert into comDuty(DutyID,DutyName) values('D01','职员')"));
    DBConn().DBExcuteSql(s("Insert into comDuty(DutyID,DutyName) values('D02','经理')"));
    createTable(s(" CREATE TABLE [tstLine]([LineID] VarChar(20) NOT NULL DEFAULT '',[ItemName] VarChar(50) DEFAULT '',"
                  "[Kind] VarChar(20) DEFAULT '',[Amount] Money DEFAULT 0,[Qty] int DEFAULT 0,[LineDate] datetime,"
                  "[Remark] VarChar(50) DEFAULT '',[Secret] VarChar(20) DEFAULT '',[State] int DEFAULT 0,"
                  "[DutyID] VarChar(20) DEFAULT '',[LeadDuty] VarChar(20) DEFAULT '',"
                  "[BackDuty] VarChar(20) DEFAULT '',[SysLastUpdateTime] VarChar(14) DEFAULT '',"
                  "[SysCreateTime] VarChar(14) DEFAULT '',[SyncCompleted] VarChar(100) DEFAULT '')"));
    const char *const rows[] = {
        "('L01','苹果','水果',0.1,1,'2026-01-05','甲','x',0,'')",
        "('L02','白菜','蔬菜',0.2,2,'2026-01-06','乙','x',1,'')",
        "('L03','香蕉','水果',1.25,3,'2026-01-07','','x',0,'')",
        "('L04','萝卜','蔬菜',2,4,'2026-01-08','','x',0,'')",
        "('L05','一种名字非常非常非常非常非常非常非常非常非常非常非常非常非常非常长的水果','水果',3,5,'2026-01-09','','x',0,'')",
    };
    for (const char *row : rows)
        DBConn().DBExcuteSql(s("Insert into tstLine(LineID,ItemName,Kind,Amount,Qty,LineDate,Remark,Secret,State,"
                               "DutyID) values") + s(row));
    SetZErrorBox([this](const QString &text) { errors << text; });
}

void GridFixture::TearDown()
{
    SetZErrorBox({});
    ModelFixture::TearDown();
}

std::unique_ptr<TOrvDataSet> GridFixture::openLines()
{
    auto lines = std::make_unique<TOrvDataSet>();
    lines->ProgID = s("tstLine");
    DBConn().DBOpenDataSet(*lines, GetDataSource(s("tstLine")).GetDataSetSQL(0, false));
    return lines;
}
