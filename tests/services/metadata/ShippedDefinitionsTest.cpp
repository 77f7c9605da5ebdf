// The module definitions that ship with the program, checked against the
// template data file they run on.
#include "TDataFileTest.h"
#include "TestText.h"

#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZField.h"
#include "metadata/TZTable.h"
#include "metadata/ZDataSources.h"

#include <QDir>
#include <QFile>

#include <climits>

#include <gtest/gtest.h>

namespace {

class ShippedDefinitions : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyShipped(QStringLiteral("DBSource"));
        copyShipped(QStringLiteral("DefaultValue"));
        InitSysIDAndProgID();
    }

    static QStringList modules() { return RegisteredProgIDs(); }

    /// Opens a statement, reporting the module and the text when it fails.
    static void expectRuns(const QString &module, const QString &sql)
    {
        try {
            DBConn().DBOpenDataSet(sql);
        } catch (const std::exception &error) {
            ADD_FAILURE() << module.toStdString() << ": " << error.what() << "\n" << sql.toStdString();
        }
    }
};

// Every command of the main window, every module the reminder engine, the
// permission windows and the ledgers open.
const char *const kCommandModules[] = {
    "moxDiary",        "moxTarget",      "moxRemind",      "moxTask",        "moxNotepad",        "moxAddressBook",
    "moxVisit",        "moxHumanType",   "moxIncome",      "moxIncomeType",  "moxFeeType",        "moxFee",
    "moxAccount",      "RptFeeTotal",    "moxAccountTran", "RptIncomeTotal", "devKnowType",       "devKnowledge",
    "moxSelfDef",      "moxPasswordBox", "accIncome",      "accFee",         "RptAccIncomeTotal", "RptAccFeeTotal",
    "RptAccStock",     "accGather",      "accPay",         "RptAccDaily",    "accFeeItem",        "comRemindSet",
    "comPerson",       "comUser",        "comDuty",        "comDepartment",  "comCurrency",       "moxMyInfo",
    "accFeeParentItem"};

} // namespace

TEST_F(ShippedDefinitions, EveryModuleLoadsIntoItsMenuGroup)
{
    const QStringList loaded = modules();
    EXPECT_EQ(loaded.size(), QDir(path(s("DBSource"))).entryList({s("*.dbs")}, QDir::Files).size());
    const QStringList groups = {s("行程管理"), s("人脉经营"), s("个人账务"),
                                s("知识积累"), s("系统设置"), s("营业账务")};
    for (const char *name : kCommandModules) {
        const QString module = QLatin1String(name);
        ASSERT_TRUE(IsExistProgID(module)) << name;
        const TZDataSource &source = GetDataSource(module);
        EXPECT_EQ(source.SysID, s("个人管理")) << name;
        EXPECT_TRUE(groups.contains(source.Module)) << name;
        EXPECT_FALSE(source.DisplayName.isEmpty()) << name;
        EXPECT_TRUE(source.PowerItems & ZPowerBit(piLoad)) << name;
        EXPECT_EQ(source.FuncType, module.startsWith(s("Rpt")) ? 1 : 0) << name;
        EXPECT_FALSE(source.MasterKey.isEmpty()) << name;
    }
    // The window classes the ledgers and the address book are built on.
    EXPECT_EQ(GetDataSource(s("moxAddressBook")).FormClassName, s("TfrmAddressBook"));
    EXPECT_EQ(GetDataSource(s("moxIncome")).FormClassName, s("TfrmMoxFee"));
    EXPECT_EQ(GetDataSource(s("moxFee")).FormClassName, s("TfrmMoxFee"));
    EXPECT_EQ(GetDataSource(s("moxAccountTran")).FormClassName, s("TfrmAccountTran"));
    EXPECT_EQ(GetDataSource(s("accFee")).FormClassName, s("TfrmAccFee"));
    EXPECT_EQ(GetDataSource(s("accPay")).FormClassName, s("TfrmAccPay"));
    EXPECT_EQ(GetDataSource(s("comRemindSet")).FormClassName, s("TfrmRemindSet"));
    // Modules sharing one table are told apart by their flag.
    EXPECT_EQ(GetDataSource(s("moxIncome")).Datasets.front()->Tables.front()->Flag, 1);
    EXPECT_EQ(GetDataSource(s("moxFee")).Datasets.front()->Tables.front()->Flag, 2);
    EXPECT_EQ(GetDataSource(s("accIncome")).Datasets.front()->Tables.front()->Flag, 1);
    EXPECT_EQ(GetDataSource(s("accPay")).Datasets.at(1)->Tables.front()->Flag, 2);
    EXPECT_EQ(GetDataSource(s("moxRemind")).Datasets.front()->Tables.front()->Flag, 1);
}

TEST_F(ShippedDefinitions, TablesFieldsAndRelationsExist)
{
    TDBConn &db = DBConn();
    for (const QString &module : modules()) {
        const TZDataSource &source = GetDataSource(module);
        for (const auto &dataset : source.Datasets) {
            for (const auto &table : dataset->Tables) {
                ASSERT_TRUE(db.ExistTable(table->Name)) << module.toStdString() << " " << table->Name.toStdString();
                for (const auto &field : table->Fields) {
                    if (field->IsRelationField)
                        continue;
                    EXPECT_TRUE(db.ExistTableField(table->Name, field->FieldName))
                        << module.toStdString() << " " << field->FieldName.toStdString();
                    if (field->RelativeDS.isEmpty())
                        continue;
                    ASSERT_TRUE(IsExistProgID(field->RelativeDS)) << field->RelativeDS.toStdString();
                    const TZDataSource &related = GetDataSource(field->RelativeDS);
                    const TZTable &master = *related.Datasets.front()->Tables.front();
                    for (const QString &item : field->RelativeFields.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                        const QString column = item.section(QLatin1Char('('), 0, 0).trimmed();
                        EXPECT_TRUE(db.ExistTableField(master.Name, column))
                            << module.toStdString() << " " << field->FieldName.toStdString() << " → "
                            << column.toStdString();
                    }
                }
            }
        }
    }
}

TEST_F(ShippedDefinitions, EveryStatementRunsOnAFreshDataFile)
{
    for (const TUserInfo &user : {TUserInfo{}, TUserInfo{s("007"), s("007"), s("李四"), QString()}}) {
        UserInfo = user;
        for (const QString &module : modules()) {
            TZDataSource &source = GetDataSource(module);
            for (int i = 0; i < source.DatasetCount(); ++i) {
                expectRuns(module, source.GetDataSetSQL(i, true));
                expectRuns(module, source.GetDataSetSQL(i, false));
                expectRuns(module, source.GetEmptyBillSQL(i, true));
                expectRuns(module, source.GetOneBillSQL(i, s("K'1"), true));
            }
            for (int area = lsToday; area <= lsAll; ++area)
                expectRuns(module, source.Datasets.front()->GetListSql(TDataArea(area)));
            expectRuns(module, DBSourceSelectSql(module, s("Z.*"), s("K1")));
        }
    }
}

TEST_F(ShippedDefinitions, DefaultRowsNameRealColumns)
{
    const QDir folder(path(s("DefaultValue")));
    const QStringList files = folder.entryList({s("*.txt")}, QDir::Files);
    EXPECT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 2) << name.toStdString();
        const QString table = name.chopped(4);
        const QStringList columns = lines.front().trimmed().split(QLatin1Char(','));
        for (const QString &column : columns)
            EXPECT_TRUE(DBConn().ExistTableField(table, column)) << table.toStdString() << "." << column.toStdString();
        for (const QString &line : lines.mid(1))
            EXPECT_EQ(line.trimmed().split(QLatin1Char(',')).size(), columns.size()) << line.toStdString();
    }
}

// Every item of a pick list must read as a value the field can hold, and no
// two items as the same value: the editor offers the items' texts and stores
// their values, and lists show stored values through the same list. A number
// field stores the item's value ("text-value" items, else its position); a
// text field stores the item's text.
TEST_F(ShippedDefinitions, EveryPickListItemReadsAsItsOwnValue)
{
    int lists = 0;
    for (const QString &module : modules()) {
        const TZDataSource &source = GetDataSource(module);
        for (const auto &dataset : source.Datasets) {
            for (const auto &table : dataset->Tables) {
                for (const auto &field : table->Fields) {
                    if (field->PickItems.isEmpty() || field->IsRelationField)
                        continue;
                    ++lists;
                    const std::string where = module.toStdString() + "." + field->FieldName.toStdString();
                    const bool number = field->FieldType == ftZInteger || field->FieldType == ftZSmallint;
                    if (!number && field->FieldType != ftZString) {
                        ADD_FAILURE() << where << ": a pick list on a field that is neither a number nor a text";
                        continue;
                    }
                    QStringList values;
                    for (const QString &text : field->GetPickListTextForCbxList().split(QLatin1Char('\n'))) {
                        const std::string item = where + " \"" + text.toStdString() + "\"";
                        EXPECT_FALSE(text.trimmed().isEmpty()) << item << ": an item without text";
                        QString value = text;
                        if (number) {
                            const int n = field->GetPickListValue(text);
                            EXPECT_GE(n, 0) << item << ": the item reads as no value";
                            EXPECT_TRUE(field->FieldType == ftZInteger || n <= SHRT_MAX) << item << ": too large";
                            EXPECT_EQ(field->GetPickListText(n).toStdString(), text.toStdString()) << item << ": its value shows another text";
                            value = QString::number(n);
                        } else {
                            EXPECT_TRUE(field->Length <= 0 || text.size() <= field->Length)
                                << item << ": longer than the field";
                        }
                        EXPECT_FALSE(values.contains(value)) << item << ": the value " << value.toStdString()
                                                             << " belongs to another item too";
                        values << value;
                    }
                }
            }
        }
    }
    EXPECT_GE(lists, 10);
}

// The yearly reminder's month reads as its number, in the list and back.
TEST_F(ShippedDefinitions, ReminderMonthsAreNumbered)
{
    const TZField *month = GetDataSource(s("moxRemind")).Datasets.front()->Tables.front()->GetZField(s("RemindMonth"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->GetPickListValue(s("3月")), 3);
    EXPECT_EQ(month->GetPickListText(12), s("12月"));
    EXPECT_EQ(month->GetPickListTextForCbxList().split(QLatin1Char('\n')).size(), 12);
}
