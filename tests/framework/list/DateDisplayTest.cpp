// Empty dates (null, the zero date, the day a record window stores for a
// date left empty) show blank in a module's list grid, its cell editors,
// its keyword filter and its record window; real dates show as their kind
// writes them.
#include "ListTestSupport.h"

#include "common/ZClock.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridDelegate.h"
#include "data/ZDbValues.h"
#include "metadata/TOrvDataSet.h"

#include <QDateEdit>
#include <QStyleOptionViewItem>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

/// Targets whose start date and deadline are: T1 null and the number 0, T2
/// the zero date and 1 January 1900 as texts, T3 a day and a day with a time.
void addTargets()
{
    DBConn().DBExcuteSql(s("insert into moxTarget(TargetID, TargetName, BeginDate, EndDate) values('T1', '甲', null, 0)"));
    DBConn().DBExcuteSql(s("insert into moxTarget(TargetID, TargetName, BeginDate, EndDate) "
                           "values('T2', '乙', '1899-12-30', '1900-01-01')"));
    DBConn().DBExcuteSql(s("insert into moxTarget(TargetID, TargetName, BeginDate, EndDate) "
                           "values('T3', '丙', '2026-03-05', '2026-03-05 10:11:12')"));
}

int columnOf(TZDBGrid &grid, const QString &field)
{
    for (int c = 0; c < grid.View()->model()->columnCount(); ++c) {
        if (grid.FieldOfColumn(c) == field)
            return c;
    }
    return -1;
}

} // namespace

using DateDisplay = TListTest;

TEST(DateText, EmptyDatesAreBlankAndOthersAsTheirKindWrites)
{
    EXPECT_EQ(ZDisplayText(QVariant(), ftZDate), QString());
    EXPECT_EQ(ZDisplayText(0.0, ftZDate), QString());
    EXPECT_EQ(ZDisplayText(2, ftZDate), QString());
    EXPECT_EQ(ZDisplayText(s("1899-12-30"), ftZDate), QString());
    EXPECT_EQ(ZDisplayText(3, ftZDate), s("1900-01-02"));
    EXPECT_EQ(ZDisplayText(s("2026-03-05 10:11:12"), ftZDate), s("2026-03-05 10:11:12"));
    // Times live on the zero date: they show.
    EXPECT_EQ(ZDisplayText(s("1899-12-30 00:00:00"), ftZTime), s("00:00:00"));
    EXPECT_EQ(ZDisplayText(s("1899-12-30 08:30:00"), ftZTime), s("08:30:00"));
    // The value's own text keeps the day.
    EXPECT_EQ(ZValueText(0.0, ftZDate), s("1899-12-30"));
    EXPECT_TRUE(ZIsEmptyDate(QDateTime()));
    EXPECT_TRUE(ZIsEmptyDate(ZNumberToDateTime(2.5)));
    EXPECT_FALSE(ZIsEmptyDate(ZNumberToDateTime(3)));
}

TEST_F(DateDisplay, TheListGridItsEditorsAndItsKeywordShowEmptyDatesBlank)
{
    addTargets();
    auto list = openList(s("moxTarget"));
    list->SetDataAreaText(s("显示所有数据"));
    list->show();
    TZDBGrid &grid = *list->Grid();
    QAbstractItemModel *model = grid.View()->model();
    const int begin = columnOf(grid, s("BeginDate"));
    const int end = columnOf(grid, s("EndDate"));
    ASSERT_GE(begin, 0);
    ASSERT_GE(end, 0);
    ASSERT_EQ(model->rowCount(), 3);
    const auto cell = [&](int row, int column) { return model->index(row, column).data().toString(); };
    EXPECT_EQ(cell(0, begin), QString());
    EXPECT_EQ(cell(0, end), QString());
    EXPECT_EQ(cell(1, begin), QString());
    EXPECT_EQ(cell(1, end), QString());
    EXPECT_EQ(cell(2, begin), s("2026-03-05"));
    EXPECT_EQ(cell(2, end), s("2026-03-05 10:11:12"));

    // The cell editor of an empty date starts at today, a real one at its day.
    TZGridDelegate &delegate = *grid.Delegate();
    ASSERT_EQ(delegate.ColumnEditor(s("EndDate")).kind, TZCellEditor::Date);
    const auto editorDate = [&](int row) {
        const QModelIndex index = model->index(row, end);
        std::unique_ptr<QWidget> editor(delegate.createEditor(grid.View()->viewport(), QStyleOptionViewItem(), index));
        delegate.setEditorData(editor.get(), index);
        return static_cast<QDateEdit *>(editor.get())->date();
    };
    EXPECT_EQ(editorDate(0), ZDate());
    EXPECT_EQ(editorDate(1), ZDate());
    EXPECT_EQ(editorDate(2), QDate(2026, 3, 5));

    // The keyword looks at what is shown.
    list->DataSet().SetKeywordFilter(s("1899"));
    EXPECT_EQ(list->DataSet().RecordCount(), 0);
    list->DataSet().SetKeywordFilter(s("2026-03-05"));
    EXPECT_EQ(list->DataSet().RecordCount(), 1);
    list->DataSet().SetKeywordFilter(QString());
}

TEST_F(DateDisplay, TheRecordWindowShowsEmptyDatesBlank)
{
    addTargets();
    const auto shown = [&](const char *key) {
        auto window = openRecordWindow<TfrmMasterDataBase>(s("moxTarget"), QString::fromLatin1(key));
        window->show();
        QStringList texts;
        for (const char *name : {"DBBeginDate", "DBEndDate"}) {
            auto *editor = window->findChild<QDateEdit *>(QLatin1String(name));
            texts << (editor ? editor->text().trimmed() : s("(none)"));
        }
        window->close();
        return texts;
    };
    EXPECT_EQ(shown("T1"), QStringList({QString(), QString()}));
    EXPECT_EQ(shown("T2"), QStringList({QString(), QString()}));
    EXPECT_EQ(shown("T3"), QStringList({s("2026-03-05"), s("2026-03-05")}));
}
