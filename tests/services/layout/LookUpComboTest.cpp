// Look-up lists and combo boxes on real modules: the list binding, adding a
// typed name as a new record (substring test, next key, Flag), type-ahead by
// key, name and pinyin initials, and the value a bound field receives.
#include "LayoutFixture.h"

#include "TestText.h"

#include "common/ZErrors.h"
#include "controls/TZFieldLink.h"
#include "controls/TZLookUpCombobox.h"
#include "controls/ZEditorAdapter.h"
#include "controls/ZLookUpList.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

class LookUp : public LayoutFixture
{
protected:
    static void addClient(const char *id, const char *name)
    {
        DBConn().DBExcuteSql(s("insert into tstClient(ClientID, ClientName) values('%1', '%2')").arg(s(id), s(name)));
    }
    static QString value(const QString &sql) { return DBConn().DBSelectValue(sql).value(0); }
    /// Types a text as a person would, one character at a time (also the
    /// characters no key of the test keyboard has).
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static QStringList completions(const TZLookUpComboBase &combo)
    {
        QStringList texts;
        const QAbstractItemModel *model = combo.TypeAhead()->completionModel();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, 0).data().toString();
        return texts;
    }
};

} // namespace

TEST_F(LookUp, TheListShowsTheKeyTheNameAndTheListFields)
{
    TZLookUpListProperties person;
    SetLookUpList(person, GetDataSource(s("comPerson")));
    EXPECT_EQ(person.ListFieldNames, s("PersonID;PersonName;"));
    EXPECT_EQ(person.KeyFieldNames, s("PersonID"));
    EXPECT_EQ(person.ListFieldIndex, -1);
    EXPECT_EQ(person.DropDownRows, 12);
    EXPECT_TRUE(person.FreeText);
    EXPECT_EQ(person.ListSource, &GetDataSource(s("comPerson")).GetListSource(false));

    TZLookUpListProperties kind;
    SetLookUpList(kind, GetDataSource(s("tstKind")));
    EXPECT_EQ(kind.ListFieldNames, s("KindID;KindName;Remark"));
}

TEST_F(LookUp, ATypedNameIsAddedUnderTheNextKeyOnlyWhenItIsInNoRow)
{
    addClient("A08", "张三丰");
    addClient("A09", "Alice");
    TZDataSource &clients = GetDataSource(s("tstClient"));

    // Within an existing name (substring), blank: nothing is offered.
    EXPECT_FALSE(AddNewMasterData(nullptr, s("张三"), clients));
    EXPECT_FALSE(AddNewMasterData(nullptr, s("lic"), clients));
    EXPECT_FALSE(AddNewMasterData(nullptr, s("  "), clients));
    EXPECT_TRUE(asked.isEmpty());

    // The test is case-sensitive; No adds nothing.
    answer = false;
    EXPECT_FALSE(AddNewMasterData(nullptr, s("alice"), clients));
    EXPECT_EQ(asked, QStringList({s("提示|alice 在数据库中不存在是否保存到数据库中?")}));
    EXPECT_EQ(value(s("select count(*) from tstClient")), s("2"));

    // Yes: A09 is followed by A10, the text as typed.
    answer = true;
    asked.clear();
    EXPECT_TRUE(AddNewMasterData(nullptr, s("王五 "), clients));
    EXPECT_EQ(asked, QStringList({s("提示|王五  在数据库中不存在是否保存到数据库中?")}));
    EXPECT_EQ(value(s("select '[' || ClientName || ']' from tstClient where ClientID = 'A10'")), s("[王五 ]"));
    // The list was read again: the new name counts as existing now.
    EXPECT_EQ(clients.GetListSource(false).RecordCount(), 3);
    asked.clear();
    EXPECT_FALSE(AddNewMasterData(nullptr, s("王五"), clients));
    EXPECT_TRUE(asked.isEmpty());
    // Quotes in a name reach the table as typed.
    EXPECT_TRUE(AddNewMasterData(nullptr, s("O'Brien"), clients));
    EXPECT_EQ(value(s("select ClientName from tstClient where ClientID = 'A11'")), s("O'Brien"));
}

TEST_F(LookUp, TheFirstKeyOfAnEmptyTableIs001AndFlaggedTablesCountTheirFlagOnly)
{
    EXPECT_TRUE(AddNewMasterData(nullptr, s("第一个"), GetDataSource(s("tstClient"))));
    EXPECT_EQ(value(s("select ClientID from tstClient")), s("001"));

    DBConn().DBExcuteSql(s("insert into tstKind(Flag, KindID, KindName) values(1, 'K05', '别的')"));
    DBConn().DBExcuteSql(s("insert into tstKind(Flag, KindID, KindName, Remark) values(2, 'K02', '甲', '常用')"));
    TZDataSource &kinds = GetDataSource(s("tstKind"));
    // The list holds only Flag 2 rows; the ListFieldNames count for the test.
    EXPECT_FALSE(AddNewMasterData(nullptr, s("常"), kinds));
    EXPECT_TRUE(AddNewMasterData(nullptr, s("别的"), kinds));
    EXPECT_EQ(value(s("select Flag from tstKind where KindID = 'K03'")), s("2"));
    EXPECT_EQ(value(s("select KindName from tstKind where KindID = 'K03'")), s("别的"));
}

TEST_F(LookUp, AFailingInsertRaisesTheConnectionsErrorAndAddsNothing)
{
    // A module whose name column is missing from its table.
    folder->writeFile(s("DBSource/tstBroken.dbs"), QByteArray(R"([<DSDataSource>]
DataSource=tstBroken
Propertys=DisplayName=坏;MasterKey=ClientID;SubKey=NoSuchName;Powers=执行
[<DSDataset>Master]
Dataset=Master
DatasetIndex=0
[<DSTable>Master-tstClient]
TableName=tstClient
Propertys=KeyFields=ClientID
[<DSField>Master-tstClient-ClientID]
FieldName=ClientID
Propertys=DisplayName=编号;FieldIndex=1;Visible=True
)"));
    TZDataSource &broken = GetDataSource(s("tstBroken"));
    bool raised = false;
    try {
        AddNewMasterData(nullptr, s("甲"), broken);
    } catch (const EZError &error) {
        raised = !error.message().isEmpty();
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(value(s("select count(*) from tstClient")), s("0"));
}

TEST_F(LookUp, TheComboShowsNamesGivesKeysAndKeepsUnknownText)
{
    addClient("A08", "张三丰");
    addClient("A09", "李四");
    TZLookUpCombobox combo;
    combo.ProgID = s("tstClient");
    combo.InitSource();
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.maxVisibleItems(), 12);
    EXPECT_TRUE(combo.isEditable());

    ZEditorAdapter::SetValue(&combo, s("A09"));
    EXPECT_EQ(combo.currentText(), s("李四"));
    EXPECT_EQ(ZEditorAdapter::Value(&combo), QVariant(s("A09")));
    // A typed name or key is the row's key; other text stays as typed.
    // Entering the control leaves the text unselected.
    QFocusEvent entered(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&combo, &entered);
    EXPECT_FALSE(combo.lineEdit()->hasSelectedText());

    combo.setEditText(s("张三丰"));
    EXPECT_EQ(combo.KeyValue(), s("A08"));
    combo.setEditText(s("A09"));
    EXPECT_EQ(combo.KeyValue(), s("A09"));
    combo.setEditText(s("无名"));
    EXPECT_EQ(combo.KeyValue(), s("无名"));
    ZEditorAdapter::SetValue(&combo, s("X1"));
    EXPECT_EQ(combo.currentText(), s("X1"));
    EXPECT_EQ(combo.currentIndex(), -1);

    // A row added elsewhere shows once the module's list is marked for
    // reloading and the list drops down.
    addClient("B01", "王五");
    GetDataSource(s("tstClient")).SetNeedReGetLookUpListData(true);
    combo.showPopup();
    EXPECT_EQ(combo.count(), 3);
    // The drop-down shows its rows, not only the column captions.
    auto *rows = qobject_cast<QTableView *>(combo.view());
    ASSERT_TRUE(rows);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows->isVisible(); }));
    EXPECT_GE(rows->viewport()->height(), 3 * rows->rowHeight(0)) << rows->viewport()->height();
    QStringList captions;
    for (int c = 0; c < rows->model()->columnCount(); ++c) {
        if (!rows->isColumnHidden(c))
            captions << rows->model()->headerData(c, Qt::Horizontal).toString();
    }
    EXPECT_EQ(captions.removeDuplicates(), 0) << captions.join(s(",")).toStdString();
    combo.hidePopup();
    EXPECT_EQ(combo.currentText(), s("X1"));
}

TEST_F(LookUp, TypingOffersRowsByKeyNameAndPinyinInitials)
{
    addClient("A08", "张三丰");
    addClient("A09", "李四");
    addClient("B01", "王五");
    TZLookUpCombobox combo;
    combo.ProgID = s("tstClient");
    combo.InitSource();
    combo.show();
    combo.activateWindow();
    combo.lineEdit()->setFocus();

    type(combo.lineEdit(), s("zs"));
    EXPECT_EQ(completions(combo), QStringList({s("张三丰")}));
    combo.lineEdit()->clear();
    type(combo.lineEdit(), s("a0"));
    EXPECT_EQ(completions(combo), QStringList({s("张三丰"), s("李四")}));
    combo.lineEdit()->clear();
    type(combo.lineEdit(), s("王"));
    EXPECT_EQ(completions(combo), QStringList({s("王五")}));

    // Choosing the offered row chooses its key.
    QAbstractItemView *popup = combo.TypeAhead()->popup();
    ASSERT_TRUE(popup->isVisible());
    popup->setCurrentIndex(combo.TypeAhead()->completionModel()->index(0, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(combo.currentText(), s("王五"));
    EXPECT_EQ(combo.KeyValue(), s("B01"));

    // A row added after the list was read is offered as soon as one types,
    // and the typed text stays.
    addClient("C01", "赵六");
    GetDataSource(s("tstClient")).SetNeedReGetLookUpListData(true);
    combo.lineEdit()->clear();
    type(combo.lineEdit(), s("zl"));
    EXPECT_EQ(combo.lineEdit()->text(), s("zl"));
    EXPECT_EQ(completions(combo), QStringList({s("赵六")}));
}

TEST_F(LookUp, ABoundComboWritesTheKeyAndAddsATypedNameFirst)
{
    addClient("A09", "李四");
    TOrvDataSet orders;
    openEmpty(orders, s("tstOrder"));
    orders.Append();

    QWidget window;
    auto *combo = new TZDBLookUpCombobox(&window);
    combo->InitSource(orders, s("ClientID"));
    ASSERT_NE(combo->RelatedSource(), nullptr);
    EXPECT_EQ(combo->RelatedSource()->Name, s("tstClient"));
    new TZFieldLink(combo, orders, s("ClientID"));
    auto *other = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    combo->lineEdit()->setFocus();
    type(combo->lineEdit(), s("李四"));
    combo->TypeAhead()->popup()->hide();
    other->setFocus(); // leaving the editor finishes the entry
    EXPECT_EQ(orders.FieldByName(s("ClientID")).AsString(), s("A09"));
    EXPECT_TRUE(asked.isEmpty());

    // A name in no row: asked, added as A10, chosen and written.
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    type(combo->lineEdit(), s("赵六"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), s("赵六"));
    EXPECT_EQ(orders.FieldByName(s("ClientID")).AsString(), s("A10"));

    // The dataset's value shows as the row's name.
    orders.Post();
    orders.Edit();
    orders.FieldByName(s("ClientID")).SetValue(s("A09"));
    orders.Post();
    EXPECT_EQ(combo->currentText(), s("李四"));
}
