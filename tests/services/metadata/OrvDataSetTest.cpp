#include "ModelFixture.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDataSetXml.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZLinkageCtrl.h"
#include "metadata/ZDataSetTransfer.h"
#include "metadata/ZDataSources.h"

#include <gtest/gtest.h>

namespace {

const char *const kSale = R"([<DSDataSource>]
Propertys=DisplayName=销售单;MasterKey=BillNo;SubKey=BillNo
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-accSale]
TableName=accSale
Propertys=Flag=5;KeyFields=BillNo
[<DSField>Master-accSale-BillNo]
FieldName=BillNo
Propertys=DisplayName=单号;FieldIndex=1;Visible=True;DefaultValue=[BillPrefix]
[<DSField>Master-accSale-BillDate]
FieldName=BillDate
Propertys=FieldType=dat;FieldIndex=2;Visible=True
[<DSField>Master-accSale-PriceOfTax]
FieldName=PriceOfTax
Propertys=FieldType=bol;FieldIndex=3;Visible=True
[<DSField>Master-accSale-Total]
FieldName=Total
Propertys=FieldType=mon;NumberType=1;FieldIndex=4;Visible=True
[<DSField>Master-accSale-Tax]
FieldName=Tax
Propertys=FieldType=mon;NumberType=1;FieldIndex=5;Visible=True
[<DSField>Master-accSale-MTotal]
FieldName=MTotal
Propertys=FieldType=mon;NumberType=1;FieldIndex=6;Visible=True
[<DSField>Master-accSale-Flag]
FieldName=Flag
Propertys=FieldType=int;FieldIndex=7
[<DSDataset>Detail]
Dataset=Detail
DatasetIndex=1
[<DSTable>Detail-accSaleSub]
TableName=accSaleSub
Propertys=Flag=5;KeyFields=BillNo,RowNo
[<DSField>Detail-accSaleSub-BillNo]
FieldName=BillNo
Propertys=FieldIndex=1
[<DSField>Detail-accSaleSub-RowNo]
FieldName=RowNo
Propertys=FieldType=int;FieldIndex=2
[<DSField>Detail-accSaleSub-SerNo]
FieldName=SerNo
Propertys=FieldType=int;FieldIndex=3
[<DSField>Detail-accSaleSub-ParentRowNo]
FieldName=ParentRowNo
Propertys=FieldType=int;FieldIndex=4
[<DSField>Detail-accSaleSub-OriPrice]
FieldName=OriPrice
Propertys=FieldType=dbl;NumberType=2;FieldIndex=5;Visible=True
[<DSField>Detail-accSaleSub-Discount]
FieldName=Discount
Propertys=FieldType=dbl;NumberType=7;FieldIndex=6;Visible=True
[<DSField>Detail-accSaleSub-Price]
FieldName=Price
Propertys=FieldType=dbl;NumberType=2;FieldIndex=7;Visible=True
[<DSField>Detail-accSaleSub-Quantity]
FieldName=Quantity
Propertys=FieldType=dbl;NumberType=3;FieldIndex=8;Visible=True
[<DSField>Detail-accSaleSub-Amount]
FieldName=Amount
Propertys=FieldType=mon;NumberType=1;FieldIndex=9;Visible=True
[<DSField>Detail-accSaleSub-TaxRate]
FieldName=TaxRate
Propertys=FieldType=dbl;NumberType=7;FieldIndex=10;Visible=True
[<DSField>Detail-accSaleSub-Tax]
FieldName=Tax
Propertys=FieldType=mon;NumberType=1;FieldIndex=11;Visible=True
[<DSField>Detail-accSaleSub-MAmount]
FieldName=MAmount
Propertys=FieldType=mon;NumberType=1;FieldIndex=12;Visible=True
[<DSField>Detail-accSaleSub-Remark]
FieldName=Remark
Propertys=FieldIndex=13;Visible=True
[<DSField>Detail-accSaleSub-ShipDate]
FieldName=ShipDate
Propertys=FieldType=dat;FieldIndex=14;Visible=True
)";

#define kStamps ",[SysLastUpdateTime] VarChar(14),[SysCreateTime] VarChar(14),[SyncCompleted] VarChar(100)"

class OrvDataSetTest : public ModelFixture
{
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        folder->writeFile(s("DBSource/accSale.dbs"), kSale);
        TDBConn &db = DBConn();
        db.DBExcuteSql(s(" CREATE TABLE accSale(Flag int, BillNo VarChar(20), BillDate datetime, PriceOfTax bit, Total "
                         "Money, Tax Money, MTotal Money" kStamps ")"));
        db.DBExcuteSql(
            s(" CREATE TABLE accSaleSub(Flag int, BillNo VarChar(20), RowNo int, SerNo int, ParentRowNo int, OriPrice "
              "float, Discount float, Price float, Quantity float, Amount Money, TaxRate float, Tax Money, "
              "MAmount Money, Remark VarChar(50), ShipDate datetime" kStamps ")"));
        SaveParamValue(s("BillPrefix"), s("XS-"));
        GetParamInfo().UpdateParamInfo();
    }

    void open(TOrvDataSet &ds, int index, const QString &where = QString())
    {
        ds.ProgID = s("accSale");
        ds.ProgDSIndex = index;
        ds.Name = index == 0 ? s("dsHead") : s("dsLines");
        DBConn().DBOpenDataSet(ds, GetDataSource(s("accSale")).GetDataSetSQL(index, false) + where);
    }
};

} // namespace

TEST_F(OrvDataSetTest, RowNumbersSurviveDeletesAndSerialsFollowTheFilter)
{
    TDBConn &db = DBConn();
    for (int row : {1, 2, 7})
        db.DBExcuteSql(
            s("insert into accSaleSub(Flag, BillNo, RowNo, SerNo, ParentRowNo) values(5, 'B', %1, %1, 0)").arg(row));
    TOrvDataSet lines;
    open(lines, 1);
    EXPECT_EQ(lines.NextRowNo(), 8);
    EXPECT_EQ(lines.NextSerNo(), 8);
    ASSERT_TRUE(lines.Locate(s("RowNo"), {7}));
    lines.Delete();
    EXPECT_EQ(lines.NextRowNo(), 8); // never back below the highest number seen
    lines.Append();
    EXPECT_EQ(lines.FieldByName(s("RowNo")).AsInteger(), 8);
    lines.Post();

    // Serial numbers run within the rows of one parent.
    lines.Append();
    lines.FieldByName(s("ParentRowNo")).SetAsInteger(5);
    lines.Post();
    lines.SetFilter(s("ParentRowNo = 5"));
    lines.SetFiltered(true);
    EXPECT_EQ(lines.NextSerNo(), lines.FieldByName(s("SerNo")).AsInteger() + 1);
    lines.SetFiltered(false);
    ASSERT_TRUE(lines.Locate(s("RowNo"), {1}));
    lines.Delete();
    QStringList serials;
    TZClientDataSet view;
    view.CloneCursor(lines);
    view.SetIndexFieldNames(s("ParentRowNo;RowNo"));
    for (view.First(); !view.Eof(); view.Next())
        serials << view.FieldByName(s("ParentRowNo")).AsString() + s(":") + view.FieldByName(s("SerNo")).AsString();
    EXPECT_EQ(serials, QStringList({s("0:1"), s("0:2"), s("5:1")}));
}

TEST_F(OrvDataSetTest, DefaultsParentRowsAndFieldTexts)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    TOrvDataSet head;
    open(head, 0);
    head.Append();
    EXPECT_EQ(head.FieldByName(s("BillNo")).AsString(), s("XS-")); // a default naming a parameter
    EXPECT_EQ(head.FieldByName(s("Flag")).AsInteger(), 5);         // Flag is always the table's
    EXPECT_EQ(head.FieldByName(s("BillDate")).AsDateTime(), QDateTime(QDate(2011, 6, 21), QTime(0, 0)));
    EXPECT_FALSE(head.FieldByName(s("PriceOfTax")).AsBoolean());
    EXPECT_EQ(head.FieldByName(s("Total")).AsString(), s("0"));
    EXPECT_EQ(head.FieldByName(s("PriceOfTax")).Text(), s("否"));
    head.FieldByName(s("Total")).SetText(s("1,234.567"));
    EXPECT_EQ(head.FieldByName(s("Total")).Text(), s("1234.57"));
    head.FieldByName(s("BillNo")).SetAsString(s("B1"));
    head.Post();

    TOrvDataSet lines, subLines;
    open(lines, 1, s(" and 1=2"));
    open(subLines, 1, s(" and 1=2"));
    lines.Append();
    EXPECT_EQ(lines.FieldByName(s("Remark")).AsString(), QString()); // no default: an empty text, not null
    EXPECT_FALSE(lines.FieldByName(s("Remark")).IsNull());
    EXPECT_EQ(lines.FieldByName(s("ParentRowNo")).AsInteger(), 0);
    lines.Post();
    subLines.SetParentDataSet(&lines); // rows of rows: linked to the parent's current row
    subLines.Append();
    EXPECT_EQ(subLines.FieldByName(s("ParentRowNo")).AsInteger(), lines.FieldByName(s("RowNo")).AsInteger());
    subLines.Cancel();

    lines.ProgDSIndex = 5;
    try {
        lines.Append();
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("OrvDataset: dsLines 的ProgDSIndex设置有误，请确认！"));
    }
}

TEST_F(OrvDataSetTest, LinkageArithmetic)
{
    TOrvDataSet head, lines;
    open(head, 0);
    open(lines, 1);
    head.Append();
    head.FieldByName(s("BillNo")).SetAsString(s("B1"));
    head.Post();
    TZLinkageCtrl link;
    link.HeadDataSet = &head;
    link.SubDataSet = &lines;
    link.InstallHandlers();

    lines.Append();
    lines.FieldByName(s("Quantity")).SetText(s("1"));
    lines.FieldByName(s("OriPrice")).SetText(s("200"));
    EXPECT_DOUBLE_EQ(lines.FieldByName(s("Discount")).AsFloat(), 1.0);
    lines.FieldByName(s("Discount")).SetText(s("90"));
    EXPECT_DOUBLE_EQ(lines.FieldByName(s("Price")).AsFloat(), 180);
    lines.FieldByName(s("Price")).SetText(s("150"));
    EXPECT_DOUBLE_EQ(lines.FieldByName(s("Discount")).AsFloat(), 0.75);
    EXPECT_EQ(lines.FieldByName(s("Discount")).Text(), s("75.00"));
    EXPECT_EQ(lines.FieldByName(s("Amount")).AsString(), s("150"));
    lines.FieldByName(s("OriPrice")).SetText(s("0"));
    lines.FieldByName(s("Price")).SetText(s("10"));
    EXPECT_DOUBLE_EQ(lines.FieldByName(s("Discount")).AsFloat(), 1.0);

    // Tax-exclusive: amount 100 at 17 % gives tax 17 and 117.
    lines.FieldByName(s("TaxRate")).SetText(s("17"));
    lines.FieldByName(s("Amount")).SetText(s("100"));
    EXPECT_EQ(lines.FieldByName(s("Tax")).AsString(), s("17"));
    EXPECT_EQ(lines.FieldByName(s("MAmount")).AsString(), s("117"));
    lines.Post();
    EXPECT_EQ(head.FieldByName(s("Total")).AsString(), s("100"));
    EXPECT_EQ(head.FieldByName(s("Tax")).AsString(), s("17"));
    EXPECT_EQ(head.FieldByName(s("MTotal")).AsString(), s("117"));

    lines.Append();
    lines.FieldByName(s("TaxRate")).SetText(s("10"));
    lines.FieldByName(s("Amount")).SetText(s("50"));
    lines.Post();
    EXPECT_EQ(head.FieldByName(s("Total")).AsString(), s("150"));
    EXPECT_EQ(head.FieldByName(s("MTotal")).AsString(), s("172"));
    lines.Delete();
    EXPECT_EQ(head.FieldByName(s("MTotal")).AsString(), s("117"));

    // Tax-inclusive: 117 at 17 % gives tax 17 and amount 117.
    TOrvDataSet head2, lines2;
    open(head2, 0, s(" and 1=2"));
    open(lines2, 1, s(" and 1=2"));
    head2.Append();
    head2.FieldByName(s("PriceOfTax")).SetAsBoolean(true);
    TZLinkageCtrl inclusive;
    inclusive.HeadDataSet = &head2;
    inclusive.SubDataSet = &lines2;
    inclusive.InstallHandlers();
    lines2.Append();
    lines2.FieldByName(s("TaxRate")).SetText(s("17"));
    lines2.FieldByName(s("MAmount")).SetText(s("117"));
    EXPECT_EQ(lines2.FieldByName(s("Tax")).AsString(), s("17"));
    EXPECT_EQ(lines2.FieldByName(s("Amount")).AsString(), s("117"));
    lines2.FieldByName(s("Quantity")).SetText(s("2"));
    lines2.FieldByName(s("Price")).SetText(s("58.5"));
    EXPECT_EQ(lines2.FieldByName(s("MAmount")).AsString(), s("117"));
    lines2.Post();
    EXPECT_EQ(head2.FieldByName(s("MTotal")).AsString(), s("117"));
}

TEST_F(OrvDataSetTest, XmlAndTextTransferForms)
{
    TZClientDataSet a, b;
    a.CreateDataSet({{s("Name"), ftZString, 0, {}, {}}, {s("N"), ftZInteger, 0, {}, {}}});
    b.CreateDataSet({{s("X"), ftZString, 0, {}, {}}});
    a.Append();
    a.FieldByName(s("Name")).SetAsString(s("甲"));
    a.FieldByName(s("N")).SetAsInteger(3);
    a.Post();
    a.Append();
    a.Post(); // a row of empty values
    TZClientDataSet empty;
    const QString xml = Datasets2XMLs({&a, &empty, &b});
    EXPECT_EQ(xml.count(s("[KRV_XML_KRV]")), 1); // the closed dataset is left out
    QString mixedCase = xml;
    mixedCase.replace(s("[KRV_XML_KRV]"), s("[krv_Xml_krv]")); // the separator is matched ignoring case
    auto back = XMLs2Datasets(mixedCase);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back.at(0)->RecordCount(), 2);

    const QString text = TDatasetToText::TranToText(a);
    EXPECT_EQ(text, s("Name[#]N[##]甲[#]3[##][#]"));
    EXPECT_EQ(TDatasetToText::TranToText({&a, &b}), text + s("[###]X"));
    TZClientDataSet target;
    target.CreateDataSet({{s("N"), ftZInteger, 0, {}, {}}, {s("Other"), ftZString, 0, {}, {}}});
    TTextToDataset::TranToDataset(text, target);
    EXPECT_EQ(target.RecordCount(), 2);
    target.First();
    EXPECT_EQ(target.FieldByName(s("N")).AsInteger(), 3);
    TZClientDataSet none;
    none.CreateDataSet({{s("Z"), ftZString, 0, {}, {}}});
    TTextToDataset::TranToDataset(text, none);
    EXPECT_EQ(none.RecordCount(), 0); // a row that sets no field is cancelled
}
