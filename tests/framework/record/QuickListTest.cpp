// The quick drop-down list: filtering as the user types (texts, keys and
// pinyin initials; the UseForFilter column), the key handed to the owner,
// Escape, and the owner that is no framework window.
#include "RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZDBGrid.h"
#include "data/TDBConn.h"
#include "forms/TfraSelectID.h"
#include "forms/TfrmZForm.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QLineEdit>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

/// A window with one editor served by the quick list, keeping what comes back.
class TOwner final : public TfrmZForm
{
public:
    TOwner()
    {
        editor = new QLineEdit(this);
        editor->setGeometry(20, 20, 160, 24);
        list = new TfraSelectID(this);
        list->AttachTo(editor);
        resize(420, 300);
    }
    void FormReturnValue(const QString &name, const QString &value) override { returned << name + s("=") + value; }

    QLineEdit *editor;
    TfraSelectID *list;
    QStringList returned;
};

void retype(QLineEdit *editor, const QString &text)
{
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    typeText(editor, text);
}

class QuickList : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        for (const char *row : {"('P1', '张三')", "('P2', '李四')", "('P3', '王五')"})
            DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values") + s(row));
        rows.ProgID = s("moxAddressBook");
        DBConn().DBOpenDataSet(rows, GetDataSource(s("moxAddressBook")).GetDataSetSQL(0, true));
    }

    QString currentKey() { return rows.FieldByName(s("PersonID")).AsString(); }

    TOrvDataSet rows;
};

} // namespace

TEST_F(QuickList, TypingFiltersByTextKeyAndPinyinInitials)
{
    TOwner owner;
    owner.list->InitSelect(&rows, s("moxAddressBook"));
    EXPECT_EQ(owner.list->KeyField(), s("PersonID"));
    EXPECT_EQ(owner.list->NameField(), s("PersonName"));
    EXPECT_EQ(owner.list->Grid()->ColumnWidth(s("PersonID")), 180);
    EXPECT_EQ(owner.list->Grid()->ColumnWidth(s("PersonName")), 70);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    // A text no row contains empties the list; clearing it shows every row.
    EXPECT_EQ(owner.list->Grid()->ColumnWidth(s("PersonID")), 180);
    retype(owner.editor, s("xyz"));
    EXPECT_EQ(owner.list->Grid()->ColumnWidth(s("PersonID")), 180);
    EXPECT_TRUE(owner.list->isVisible());
    EXPECT_EQ(owner.list->geometry(), QRect(20, 44, 350, 200));
    EXPECT_EQ(owner.list->ShownCount(), 0);
    retype(owner.editor, QString());
    EXPECT_EQ(owner.list->ShownCount(), 3);
    ZSaveScreenshot(owner, s("quick_list"));
    EXPECT_EQ(owner.list->Grid()->ColumnWidth(s("PersonID")), 180);

    struct Case
    {
        QString typed;
        QString key;
    };
    for (const Case &c : {Case{s("zs"), s("P1")}, Case{s("李"), s("P2")}, Case{s("p3"), s("P3")},
                          Case{s("ZS"), s("P1")}}) {
        retype(owner.editor, c.typed);
        EXPECT_EQ(owner.list->ShownCount(), 1) << qPrintable(c.typed);
        EXPECT_EQ(currentKey(), c.key) << qPrintable(c.typed); // the cursor is on the row shown
    }
    // The dataset itself keeps its rows: only the list hides them.
    EXPECT_EQ(rows.RecordCount(), 3);
}

TEST_F(QuickList, EnterHandsTheKeyToTheOwnerAndEscapeCancels)
{
    TOwner owner;
    owner.list->InitSelect(&rows, s("moxAddressBook"));
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QTreeView *view = owner.list->Grid()->View();

    // Down moves into the list, Enter there takes the row.
    retype(owner.editor, s("ww"));
    QTest::keyClick(owner.editor, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(owner.returned, QStringList({s("PersonID=P3")}));
    EXPECT_EQ(owner.editor->text(), s("P3"));
    EXPECT_FALSE(owner.list->isVisible());

    // Escape in the list or in the editor: "ReturnCancel" with the key field.
    retype(owner.editor, s("l"));
    QTest::keyClick(view, Qt::Key_Escape);
    retype(owner.editor, s("l"));
    QTest::keyClick(owner.editor, Qt::Key_Escape);
    EXPECT_EQ(owner.returned.mid(1), QStringList({s("ReturnCancel=PersonID"), s("ReturnCancel=PersonID")}));
    EXPECT_FALSE(owner.list->isVisible());

    // Enter in the editor takes the current row; with no row shown nothing
    // comes back.
    retype(owner.editor, s("李"));
    QTest::keyClick(owner.editor, Qt::Key_Enter);
    retype(owner.editor, s("xyz"));
    QTest::keyClick(owner.editor, Qt::Key_Enter);
    EXPECT_EQ(owner.returned.mid(3), QStringList({s("PersonID=P2")}));

    // A double click on a row takes it.
    retype(owner.editor, QString());
    const QRect cell = view->visualRect(view->model()->index(0, 0));
    // What a double click delivers: a click, then the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(owner.returned.mid(4), QStringList({s("PersonID=") + currentKey()}));
}

TEST_F(QuickList, AFilterColumnFiltersTheDatasetAndAPlainOwnerGetsASignal)
{
    TZClientDataSet data;
    data.CreateDataSet({{s("PersonID"), ftZString, 20, {}, {}},
                        {s("PersonName"), ftZString, 50, {}, {}},
                        {s("UseForFilter"), ftZString, 50, {}, {}}});
    for (const QStringList &row : {QStringList{s("P1"), s("张三"), s("ZS")}, QStringList{s("P2"), s("李四"), s("LS")}}) {
        data.Append();
        for (int i = 0; i < row.size(); ++i)
            data.Fields(i).SetAsString(row.at(i));
        data.Post();
    }
    QWidget owner;
    owner.resize(400, 300);
    TfraSelectID list(&owner);
    QStringList returned;
    QObject::connect(&list, &TfraSelectID::returned,
                     [&](const QString &name, const QString &value) { returned << name + s("=") + value; });
    list.InitSelect(&data, s("moxAddressBook"));
    EXPECT_FALSE(list.Grid()->ColumnShown(s("UseForFilter")));

    list.ShowSelectFast(10, 20, s(" zs "));
    EXPECT_TRUE(data.Filtered());
    EXPECT_EQ(data.Filter(), s("UseForFilter like '%zs%'"));
    EXPECT_EQ(data.RecordCount(), 1);
    EXPECT_EQ(list.geometry(), QRect(10, 20, 350, 200));
    // A quote in the text is a character to look for, not the end of it.
    list.ShowSelectFast(10, 20, s("o'b"));
    EXPECT_EQ(data.RecordCount(), 0);
    EXPECT_EQ(list.ShownCount(), 0);
    list.ShowSelectFast(10, 20, s("  "));
    EXPECT_FALSE(data.Filtered());
    EXPECT_EQ(list.ShownCount(), 2);

    data.First();
    list.ReturnID();
    list.ReturnCancel();
    EXPECT_EQ(returned, QStringList({s("PersonID=P1"), s("ReturnCancel=PersonID")}));
}
