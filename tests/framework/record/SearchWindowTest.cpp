// The search window: opened from a record window, a click moves that window
// to the row, a double click also closes; a second opening keeps rows and
// layout; widths and grouping stored in the grid log and read back; "新增".
#include "RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "data/TDBConn.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmSearch.h"
#include "ini/TZIniFile.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZGridLog.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class SearchWindow : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        // What the system package registers when it loads.
        ZRegisterClass(s("TfrmSearch"), [] { return new TfrmSearch; });
        ZRegisterClass(s("TfrmMasterDataBase"), [] { return new TfrmMasterDataBase; });
        for (const char *row : {"('P1', '张三')", "('P2', '李四')", "('P3', '王五')"})
            DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values") + s(row));
    }

    void TearDown() override
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (qobject_cast<TfrmSearch *>(form))
                form->close();
        }
        ZUnRegisterClass(s("TfrmSearch"));
        ZUnRegisterClass(s("TfrmMasterDataBase"));
        TRecordTest::TearDown();
    }

    static QPointer<TfrmSearch> openSearch(const QString &progID)
    {
        return qobject_cast<TfrmSearch *>(WakeUpForm(s("TfrmSearch"), wtShow, progID, QString()));
    }

    static QPointer<TfrmSearch> openSearch() { return qobject_cast<TfrmSearch *>(GetIsExistForm(s("TfrmSearch"))); }

    /// The centre of the row showing a key.
    static QPoint rowPoint(TfrmSearch &search, const QString &key)
    {
        TOrvDataSet &rows = search.Rows();
        const int keyColumn = rows.FieldByName(s("PersonID")).Index();
        for (int r = 0; r < int(rows.visibleRows().size()); ++r) {
            if (rows.displayText(r, keyColumn) == key) {
                const QModelIndex index =
                    search.Grid()->GroupModel()->IndexOfSourceRow(r, search.Grid()->ColumnOf(s("PersonName")));
                return search.Grid()->View()->visualRect(index).center();
            }
        }
        ADD_FAILURE() << "no row " << qPrintable(key);
        return {};
    }

    static QString storedWidths() { return TZIniFile(GridLogFileName()).ReadString(s("GridWidth"), s("TfrmSearchTagmoxAddressBook"), QString()); }
};

} // namespace

TEST_F(SearchWindow, AClickMovesTheRecordWindowAndADoubleClickAlsoCloses)
{
    auto window = openRecordWindow<TfrmMasterDataBase>(s("moxAddressBook"), s("P1"));
    window->show();
    ASSERT_EQ(window->CurrKeyValue(), s("P1"));
    QAction *find = window->findChild<QAction *>(s("actFind"));
    ASSERT_TRUE(find && find->isVisible() && find->isEnabled());
    EXPECT_EQ(find->text(), s("查找"));
    find->trigger();

    QPointer<TfrmSearch> search = openSearch();
    ASSERT_TRUE(search);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(search.data()));
    EXPECT_EQ(search->windowTitle(), GetDataSource(s("moxAddressBook")).DisplayName);
    EXPECT_EQ(search->Rows().RecordCount(), 3);
    EXPECT_EQ(search->Grid()->ColumnCaption(s("PersonName")), s("姓名"));
    ZSaveScreenshot(*search, s("search_window"));

    QTreeView *view = search->Grid()->View();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(*search, s("P3")));
    EXPECT_EQ(window->CurrKeyValue(), s("P3"));
    EXPECT_EQ(window->MasterData().FieldByName(s("PersonName")).AsString(), s("王五"));

    // While the record window edits, a click does not take it away from
    // the record: it says why.
    ASSERT_TRUE(window->Perform(2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rowPoint(*search, s("P1")));
    EXPECT_EQ(window->CurrKeyValue(), s("P3"));
    EXPECT_TRUE(window->Editing());
    EXPECT_EQ(boxTexts.value(0), s("当前窗体已经于编辑状态，无法移到指定记录"));
    answers << s("btnYes");
    ASSERT_TRUE(window->Perform(6));

    // What a double click delivers: a click, then the double click.
    const QPoint p2 = rowPoint(*search, s("P2"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p2);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, p2);
    EXPECT_EQ(window->CurrKeyValue(), s("P2"));
    EXPECT_TRUE(!search || search->Closed());
}

TEST_F(SearchWindow, ASecondOpeningKeepsRowsAndLayoutAndTheLayoutIsStored)
{
    QPointer<TfrmSearch> search = openSearch(s("moxAddressBook"));
    ASSERT_TRUE(search);
    const QStringList fields = search->Rows().FieldNames();
    const int name = int(fields.indexOf(s("PersonName")));
    ASSERT_GE(name, 0);
    // Nothing stored yet: every column is 100 wide.
    for (const QString &field : fields)
        EXPECT_EQ(search->Grid()->ColumnWidth(field), 100) << qPrintable(field);
    search->Grid()->SetColumnWidth(s("PersonName"), 233);
    search->Grid()->SetColumnGroupIndex(s("Sex"), 0);

    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values('P4', '赵六')"));
    EXPECT_EQ(openSearch(s("moxAddressBook")), search);
    EXPECT_EQ(search->Rows().RecordCount(), 3);
    EXPECT_EQ(search->Grid()->ColumnWidth(s("PersonName")), 233);
    EXPECT_EQ(search->Grid()->ColumnGroupIndex(s("Sex")), 0);

    search->close();
    EXPECT_EQ(GetGirdWidthLog(s("TfrmSearch"), s("TagmoxAddressBook")).value(name), s("233"));
    EXPECT_EQ(GetGridGroupLog(s("TfrmSearch"), s("TagmoxAddressBook"), {s("Sex"), s("PersonName")}),
              QList<int>({0, -1}));
    EXPECT_TRUE(storedWidths().endsWith(s(",")));

    search = openSearch(s("moxAddressBook"));
    ASSERT_TRUE(search);
    EXPECT_EQ(search->Rows().RecordCount(), 4);
    EXPECT_EQ(search->Grid()->ColumnWidth(s("PersonName")), 233);
    EXPECT_EQ(search->Grid()->ColumnGroupIndex(s("Sex")), 0);
    search->close();

    // Entries that are not a width give 100.
    TZIniFile(GridLogFileName())
        .WriteString(s("GridWidth"), s("TfrmSearchTagmoxAddressBook"), s("abc,,-5,0,") + QString::number(77));
    search = openSearch(s("moxAddressBook"));
    ASSERT_TRUE(search);
    for (int i = 0; i < fields.size(); ++i)
        EXPECT_EQ(search->Grid()->ColumnWidth(fields.at(i)), i == 4 ? 77 : 100) << qPrintable(fields.at(i));

    // Another module in the open window: its own caption and rows, Flag
    // hidden; the layout of the first is kept on the way.
    search->Grid()->SetColumnWidth(s("PersonName"), 144);
    EXPECT_EQ(openSearch(s("moxFee")), search);
    EXPECT_EQ(search->windowTitle(), GetDataSource(s("moxFee")).DisplayName);
    EXPECT_EQ(search->GetProgID(), s("moxFee"));
    ASSERT_TRUE(search->Rows().FindField(s("Flag")));
    EXPECT_FALSE(search->Grid()->ColumnShown(s("Flag")));
    EXPECT_EQ(GetGirdWidthLog(s("TfrmSearch"), s("TagmoxAddressBook")).value(name), s("144"));
}

TEST_F(SearchWindow, AddNewClosesAndOpensTheModulesWindowToAdd)
{
    QPointer<TfrmSearch> search = openSearch(s("moxNotepad"));
    ASSERT_TRUE(search);
    auto *add = search->findChild<QPushButton *>(s("btnAdd"));
    ASSERT_TRUE(add && add->isVisible());
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_TRUE(!search || search->Closed());
    QPointer<TfrmMasterDataBase> editing = qobject_cast<TfrmMasterDataBase *>(GetIsExistForm(s("TfrmMasterDataBase")));
    ASSERT_TRUE(editing);
    EXPECT_EQ(editing->GetProgID(), s("moxNotepad"));
    EXPECT_EQ(editing->FrmState(), fsAdd);
    answers << s("btnNo");
    editing->close();
}
