#include "GridFixture.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZDBGrid.h"
#include "controls/TZGridDelegate.h"
#include "controls/TZGridGroupModel.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "data/TZDataSetModel.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class GridTest : public GridFixture
{
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        lines = openLines();
        grid = std::make_unique<TZDBGrid>();
        grid->setObjectName(s("gridLines"));
        grid->resize(900, 300);
        grid->SetDataSet(lines.get());
        RefreshGridByDS(*grid, [this](const QString &field) { clicked << field; });
    }

    void TearDown() override
    {
        grid.reset();
        lines.reset();
        GridFixture::TearDown();
    }

    QModelIndex cell(int sourceRow, const QString &field) const
    {
        return grid->GroupModel()->IndexOfSourceRow(sourceRow, grid->ColumnOf(field));
    }

    /// The open cell editor's line edit, or null.
    QLineEdit *openLineEdit() const
    {
        auto *focus = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        return grid->IsEditing() ? focus : nullptr;
    }

    void showGrid()
    {
        grid->show();
        QApplication::setActiveWindow(grid.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    }

    std::unique_ptr<TOrvDataSet> lines;
    std::unique_ptr<TZDBGrid> grid;
    QStringList clicked;
};

TEST_F(GridTest, ColumnsComeFromTheDefinitions)
{
    TZGridGroupModel &model = *grid->GroupModel();
    const int remark = grid->ColumnOf(s("Remark"));
    EXPECT_EQ(grid->ColumnCaption(s("ItemName")), s("物品名称"));
    // Read-only: caption in parentheses, no editing.
    EXPECT_EQ(grid->ColumnCaption(s("Remark")), s("(备注)"));
    EXPECT_TRUE(grid->ColumnReadOnly(s("Remark")));
    EXPECT_FALSE(model.flags(cell(0, s("Remark"))) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(cell(0, s("ItemName"))) & Qt::ItemIsEditable);
    showGrid();
    grid->View()->setCurrentIndex(cell(0, s("Remark")));
    grid->View()->edit(cell(0, s("Remark")));
    EXPECT_FALSE(grid->IsEditing());
    // An invisible field: hidden, in parentheses.
    EXPECT_FALSE(grid->ColumnShown(s("Secret")));
    EXPECT_EQ(grid->ColumnCaption(s("Secret")), s("(内部)"));
    grid->SetColumnVisible(s("Secret"), true);
    EXPECT_FALSE(grid->ColumnShown(s("Secret")));
    std::unique_ptr<QMenu> menu(grid->CreateHeaderMenu(0));
    for (QAction *action : menu->actions().last()->menu()->actions())
        EXPECT_NE(action->text(), s("(内部)"));
    // Required columns (AllowEmpty false): navy and bold; the read-only
    // Remark is required too.
    for (const char *field : {"LineID", "Remark"}) {
        const int column = grid->ColumnOf(s(field));
        EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
                  QColor(0x00, 0x00, 0x80))
            << field;
        EXPECT_TRUE(model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold()) << field;
    }
    EXPECT_FALSE(model.headerData(grid->ColumnOf(s("ItemName")), Qt::Horizontal, Qt::ForegroundRole).isValid());
    EXPECT_EQ(remark, 6);
    // Numbers right, pick-list texts left.
    EXPECT_TRUE(cell(0, s("Amount")).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(cell(0, s("State")).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
    // Cell editors by metadata.
    const TZGridDelegate &delegate = *grid->Delegate();
    EXPECT_EQ(delegate.ColumnEditor(s("LineDate")).kind, TZCellEditor::Date);
    EXPECT_EQ(delegate.ColumnEditor(s("State")).kind, TZCellEditor::PickList);
    EXPECT_EQ(delegate.ColumnEditor(s("State")).items, QStringList({s("草稿"), s("完成")}));
    EXPECT_EQ(delegate.ColumnEditor(s("DutyID")).kind, TZCellEditor::Button);
    EXPECT_EQ(delegate.ColumnEditor(s("ItemName")).kind, TZCellEditor::Default);
    EXPECT_EQ(delegate.ColumnEditor(s("LeadDuty")).kind, TZCellEditor::LookUp);
    EXPECT_EQ(delegate.ColumnEditor(s("BackDuty")).kind, TZCellEditor::ComboList);
    EXPECT_EQ(delegate.ColumnEditor(s("Remark")).kind, TZCellEditor::Default); // read-only: no editor of its own
}

TEST_F(GridTest, EditorsWriteThroughTheField)
{
    showGrid();
    QTreeView &view = *grid->View();
    // The pick list shows texts and stores the number.
    view.setCurrentIndex(cell(0, s("State")));
    view.edit(cell(0, s("State")));
    auto *editor = qobject_cast<QComboBox *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->currentText(), s("草稿"));
    editor->setCurrentIndex(1);
    QTest::keyClick(editor, Qt::Key_Return);
    lines->SetRecNo(1);
    EXPECT_EQ(lines->FieldByName(s("State")).AsInteger(), 1);
    EXPECT_EQ(cell(0, s("State")).data().toString(), s("完成"));
    // A date.
    view.setCurrentIndex(cell(0, s("LineDate")));
    view.edit(cell(0, s("LineDate")));
    auto *date = qobject_cast<QDateEdit *>(view.indexWidget(cell(0, s("LineDate"))));
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_EQ(date->date(), QDate(2026, 1, 5));
    date->setDate(QDate(2026, 2, 1));
    QTest::keyClick(date, Qt::Key_Return);
    lines->SetRecNo(1);
    EXPECT_EQ(lines->FieldByName(s("LineDate")).AsDateTime().date(), QDate(2026, 2, 1));
    // The look-up stores the chosen key; the combo list a name's key.
    view.setCurrentIndex(cell(0, s("LeadDuty")));
    view.edit(cell(0, s("LeadDuty")));
    auto *lookUp = qobject_cast<QComboBox *>(view.indexWidget(cell(0, s("LeadDuty"))));
    ASSERT_NE(lookUp, nullptr);
    ASSERT_EQ(lookUp->count(), 2);
    lookUp->setCurrentIndex(1);
    QTest::keyClick(lookUp, Qt::Key_Return);
    // Enter went on to the next cell and opened its editor.
    EXPECT_EQ(view.currentIndex(), cell(0, s("BackDuty")));
    auto *list = qobject_cast<QComboBox *>(view.indexWidget(cell(0, s("BackDuty"))));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->maxVisibleItems(), 16);
    list->setCurrentIndex(list->findText(s("职员")));
    QTest::keyClick(list, Qt::Key_Return);
    lines->SetRecNo(1);
    EXPECT_EQ(lines->FieldByName(s("LeadDuty")).AsString(), s("D02"));
    EXPECT_EQ(lines->FieldByName(s("BackDuty")).AsString(), s("D01"));
    // The button editor's button reports its field.
    view.setCurrentIndex(cell(1, s("DutyID")));
    view.edit(cell(1, s("DutyID")));
    QWidget *box = view.indexWidget(cell(1, s("DutyID")));
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->findChild<QToolButton *>(), Qt::LeftButton);
    EXPECT_EQ(clicked, QStringList({s("DutyID")}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(s("\n")).toStdString();
}

TEST_F(GridTest, GroupingModelKeepsItsContract)
{
    TZGridGroupModel &model = *grid->GroupModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 5);

    grid->SetColumnGroupIndex(s("Kind"), 0);
    EXPECT_FALSE(grid->ColumnShown(s("Kind"))); // a grouping column is hidden
    ASSERT_EQ(model.rowCount(), 2);
    const QModelIndex fruit = model.index(0, 0);
    EXPECT_TRUE(model.IsGroupRow(fruit));
    EXPECT_EQ(model.rowCount(fruit), 3);
    EXPECT_EQ(model.rowCount(model.index(1, 0)), 2);
    const QModelIndex label = model.index(0, model.LabelColumn());
    EXPECT_EQ(label.data().toString(), s("类别: 水果 (3)"));
    EXPECT_EQ(model.index(1, grid->ColumnOf(s("LineID")), fruit).data().toString(), s("L03"));
    EXPECT_EQ(model.mapToSource(model.index(1, 0, fruit)).row(), 2);

    // Rows added, changed, regrouped and removed through the dataset.
    lines->Append();
    lines->FieldByName(s("LineID")).SetAsString(s("L06"));
    lines->FieldByName(s("Kind")).SetAsString(s("肉类"));
    lines->Post();
    EXPECT_EQ(model.rowCount(), 3);
    lines->SetRecNo(1);
    lines->Edit();
    lines->FieldByName(s("ItemName")).SetAsString(s("青苹果"));
    lines->Post();
    EXPECT_EQ(model.index(0, grid->ColumnOf(s("ItemName")), model.index(0, 0)).data().toString(), s("青苹果"));
    lines->Edit();
    lines->FieldByName(s("Kind")).SetAsString(s("蔬菜"));
    lines->Post();
    // Groups follow their first row: 蔬菜 comes first now.
    EXPECT_EQ(model.index(0, model.LabelColumn()).data().toString(), s("类别: 蔬菜 (3)"));
    EXPECT_EQ(model.index(1, model.LabelColumn()).data().toString(), s("类别: 水果 (2)"));
    lines->Delete();
    lines->SetFilter(s("Kind = '水果'"));
    lines->SetFiltered(true);
    EXPECT_EQ(model.rowCount(), 1);
    lines->SetFiltered(false);

    // Nested groups, then ungrouped from the header menu.
    grid->SetColumnGroupIndex(s("State"), 1);
    EXPECT_TRUE(model.IsGroupRow(model.index(0, 0, model.index(0, 0))));
    std::unique_ptr<QMenu> menu(grid->CreateHeaderMenu(grid->ColumnOf(s("ItemName"))));
    for (QAction *action : menu->actions()) {
        if (action->text() == s("取消全部分组"))
            action->trigger();
    }
    EXPECT_EQ(grid->ColumnGroupIndex(s("Kind")), -1);
    EXPECT_TRUE(grid->ColumnShown(s("Kind")));
    EXPECT_EQ(model.rowCount(), 5);
    // Grouping from the menu too.
    menu.reset(grid->CreateHeaderMenu(grid->ColumnOf(s("Kind"))));
    menu->actions().first()->trigger();
    EXPECT_EQ(grid->ColumnGroupIndex(s("Kind")), 0);
    EXPECT_EQ(model.rowCount(), 3);
    // The column list of the menu shows and hides; the grouping column is not in it.
    menu.reset(grid->CreateHeaderMenu(grid->ColumnOf(s("ItemName"))));
    QMenu *columns = menu->actions().last()->menu();
    ASSERT_NE(columns, nullptr);
    QStringList captions;
    for (QAction *action : columns->actions()) {
        captions << action->text();
        if (action->text() == s("物品名称"))
            action->toggle();
    }
    EXPECT_FALSE(captions.contains(s("类别")));
    EXPECT_FALSE(grid->ColumnShown(s("ItemName")));
    EXPECT_FALSE(grid->ColumnVisible(s("ItemName")));
}

TEST_F(GridTest, CursorAndCurrentRowFollowEachOther)
{
    grid->SetColumnGroupIndex(s("Kind"), 0);
    lines->SetRecNo(4);
    EXPECT_EQ(grid->GroupModel()->SourceRow(grid->View()->currentIndex()), 3);
    grid->View()->setCurrentIndex(cell(1, s("ItemName")));
    EXPECT_EQ(lines->RecNo(), 2);
    // A group row does not move the cursor.
    grid->View()->setCurrentIndex(grid->GroupModel()->index(0, 0));
    EXPECT_EQ(lines->RecNo(), 2);
    // A double-click on a row tells the window, with the cursor on that row.
    grid->SetReadOnly(true);
    showGrid();
    QSignalSpy doubleClicks(grid.get(), &TZDBGrid::rowDoubleClicked);
    const QRect rect = grid->View()->visualRect(cell(4, s("ItemName")));
    QTest::mouseClick(grid->View()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(grid->View()->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(lines->RecNo(), 5);
    // A dataset that goes first leaves an empty grid behind.
    grid->SetFooterSums(true);
    lines.reset();
    EXPECT_EQ(grid->DataSet(), nullptr);
    EXPECT_EQ(grid->ColumnCount(), 0);
    EXPECT_EQ(grid->GroupModel()->rowCount(), 0);
}

TEST_F(GridTest, FooterSumsMoneyExactly)
{
    EXPECT_FALSE(grid->FooterShown());
    grid->SetColumnFooterSum(s("Amount"), true);
    EXPECT_TRUE(grid->FooterShown());
    EXPECT_EQ(grid->FooterText(s("Amount")), s("6.55"));
    EXPECT_EQ(grid->FooterText(s("Qty")), QString());
    lines->SetFilter(s("Amount < 1"));
    lines->SetFiltered(true);
    EXPECT_EQ(grid->FooterText(s("Amount")), s("0.30")); // 0.1 + 0.2
    lines->SetFiltered(false);
    grid->SetFooterSums(true);
    EXPECT_EQ(grid->FooterText(s("Qty")), s("15"));
    EXPECT_EQ(grid->FooterText(s("State")), QString()); // pick-list numbers are no amounts
    lines->SetRecNo(5);
    lines->Edit();
    lines->FieldByName(s("Qty")).SetAsInteger(10);
    lines->Post();
    EXPECT_EQ(grid->FooterText(s("Qty")), s("20"));

    // The owner's format for some columns; an empty text leaves the grid's own.
    grid->SetFooterFormat([](const QString &field, const QVariant &sum) {
        return field == s("Qty") ? s("共%1件").arg(sum.toLongLong()) : QString();
    });
    EXPECT_EQ(grid->FooterText(s("Qty")), s("共20件"));
    EXPECT_EQ(grid->FooterText(s("Amount")), s("6.55"));
}

TEST_F(GridTest, GroupsAndSumsWaitForRowsComingInPieces)
{
    DBConn().BeginTrans();
    for (int i = 0; i < 600; ++i)
        DBConn().DBExcuteSql(s("Insert into tstLine(LineID,ItemName,Kind,Amount,Qty) values('M%1','x','%2',0.25,1)")
                                 .arg(i, 3, 10, QLatin1Char('0'))
                                 .arg(i % 2 ? s("水果") : s("蔬菜")));
    DBConn().CommitTrans();
    grid->SetColumnGroupIndex(s("Kind"), 0);
    grid->SetColumnFooterSum(s("Amount"), true);
    TZGridGroupModel &model = *grid->GroupModel();

    DBConn().DBOpenDataSetInPieces(*lines, GetDataSource(s("tstLine")).GetDataSetSQL(0, false), 3);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(lines->Fetching());
    EXPECT_TRUE(model.GroupingHeld());
    EXPECT_EQ(model.rowCount(), 3); // flat: the rows read so far
    EXPECT_TRUE(grid->FooterShown());
    EXPECT_EQ(grid->FooterText(s("Amount")), QString());
    while (lines->Fetching())
        QCoreApplication::processEvents();
    EXPECT_FALSE(model.GroupingHeld());
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.rowCount(model.index(0, 0)) + model.rowCount(model.index(1, 0)), 605);
    EXPECT_EQ(grid->FooterText(s("Amount")), s("156.55"));
    EXPECT_EQ(grid->GroupModel()->SourceRow(grid->View()->currentIndex()), 0);
    // Grouping set while rows come waits too.
    grid->SetColumnGroupIndex(s("Kind"), -1);
    DBConn().DBOpenDataSetInPieces(*lines, GetDataSource(s("tstLine")).GetDataSetSQL(0, false), 3);
    grid->SetColumnGroupIndex(s("Kind"), 0);
    EXPECT_EQ(model.rowCount(), 3);
    lines->FetchAll();
    EXPECT_EQ(model.rowCount(), 2);
}

TEST_F(GridTest, EnterWalksTheCellsAndAppendsAfterTheLast)
{
    showGrid();
    QTreeView &view = *grid->View();
    for (const char *field : {"DutyID", "LeadDuty", "BackDuty"})
        grid->SetColumnVisible(s(field), false);
    view.setCurrentIndex(cell(4, s("State")));
    // The last editable cell of the last row: Enter appends a row.
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_EQ(lines->RecordCount(), 6);
    EXPECT_EQ(lines->RecNo(), 6);
    EXPECT_EQ(view.currentIndex().column(), grid->ColumnOf(s("LineID")));
    QLineEdit *editor = openLineEdit();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, s("L06"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(lines->FieldByName(s("LineID")).AsString(), s("L06"));
    // Enter went on to the next editable cell, skipping nothing editable.
    EXPECT_EQ(view.currentIndex().column(), grid->ColumnOf(s("ItemName")));
    editor = openLineEdit();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(view.currentIndex().column(), grid->ColumnOf(s("Kind")));
    EXPECT_EQ(lines->ChangeCount(), 1); // passing through a cell changes nothing
    // A read-only grid does not walk or append.
    QTest::keyClick(openLineEdit(), Qt::Key_Escape);
    grid->SetReadOnly(true);
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(lines->RecordCount(), 6);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(s("\n")).toStdString();
}

TEST_F(GridTest, RefusedValueKeepsTheEditorAndTheGrid)
{
    showGrid();
    QTreeView &view = *grid->View();
    view.setCurrentIndex(cell(1, s("Amount")));
    view.edit(cell(1, s("Amount")));
    QLineEdit *editor = openLineEdit();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, s("abc"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(s("abc"))) << errors.first().toStdString();
    // The editor stays with the typed text; the row keeps its value.
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(openLineEdit(), editor);
    EXPECT_EQ(editor->text(), s("abc"));
    EXPECT_EQ(lines->State(), dsBrowse);
    EXPECT_EQ(cell(1, s("Amount")).data().toString(), s("0.20"));
    // Corrected, it is stored.
    editor->selectAll();
    QTest::keyClicks(editor, s("7.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(cell(1, s("Amount")).data().toString(), s("7.50"));
    // Refused, then left for another row: told once, the old value stays.
    view.setCurrentIndex(cell(2, s("Amount")));
    view.edit(cell(2, s("Amount")));
    editor = openLineEdit();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, s("x1"));
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(errors.size(), 2);
    view.setCurrentIndex(cell(3, s("ItemName")));
    EXPECT_EQ(errors.size(), 2);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(cell(2, s("Amount")).data().toString(), s("1.25"));
    EXPECT_EQ(lines->RecNo(), 4);
}

TEST_F(GridTest, SortingOnlyWhenAllowed)
{
    const int qty = grid->ColumnOf(s("Qty"));
    QHeaderView *header = grid->View()->header();
    showGrid();
    const QPoint at(header->sectionViewportPosition(qty) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(lines->IndexFieldNames(), QString());
    grid->SetSortingAllowed(true);
    // Rows in the statement's order: no column claims to be sorted.
    EXPECT_EQ(header->sortIndicatorSection(), -1);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(lines->IndexFieldNames(), s("Qty"));
    EXPECT_EQ(header->sortIndicatorSection(), qty);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(lines->IndexFieldNames(), s("Qty DESC"));
    EXPECT_EQ(header->sortIndicatorSection(), qty);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, s("LineID")).data().toString(), s("L05"));
    // An edit that moves its row in the sort: the grid follows the row,
    // flat and grouped.
    for (bool grouped : {false, true}) {
        grid->SetColumnGroupIndex(s("Kind"), grouped ? 0 : -1);
        QTreeView &view = *grid->View();
        view.setCurrentIndex(cell(0, s("Qty")));
        view.edit(cell(0, s("Qty")));
        QLineEdit *editor = openLineEdit();
        ASSERT_NE(editor, nullptr);
        const QString moved = lines->FieldByName(s("LineID")).AsString();
        editor->selectAll();
        QTest::keyClicks(editor, s("0"));
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(lines->FieldByName(s("LineID")).AsString(), moved);
        EXPECT_EQ(lines->RecNo(), 5);
        EXPECT_EQ(grid->GroupModel()->SourceRow(view.currentIndex()), 4);
        EXPECT_EQ(view.currentIndex().column(), grid->ColumnOf(s("LineDate")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(s("\n")).toStdString();
}

TEST_F(GridTest, ScreenshotOfGroupsAndFooter)
{
    grid->SetColumnGroupIndex(s("Kind"), 0);
    grid->SetColumnFooterSum(s("Amount"), true);
    grid->SetColumnFooterSum(s("Qty"), true);
    grid->SetColumnWidth(s("ItemName"), 160);
    grid->SetColumnPosition(s("ItemName"), 0); // group rows and the tree follow the first column shown
    showGrid();
    ZSaveScreenshot(*grid, s("grid_grouped_footer"));
    EXPECT_EQ(grid->FooterText(s("Amount")), s("6.55"));
    // Nested groups, the view scrolled a little.
    grid->SetColumnGroupIndex(s("State"), 1);
    grid->View()->horizontalScrollBar()->setValue(40);
    ZSaveScreenshot(*grid, s("grid_nested_groups"));
    EXPECT_EQ(grid->GroupModel()->rowCount(grid->GroupModel()->index(0, 0)), 1);
}

} // namespace
