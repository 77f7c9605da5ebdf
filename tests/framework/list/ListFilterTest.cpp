// The left panel's filters on the loaded rows: the value list of a field
// (sorted, blanks skipped, capped, ticking) and the keyword, neither of which
// reads the database.
#include "ListTestSupport.h"

#include "metadata/TOrvDataSet.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

void addPerson(const QString &id, const QString &name, int sex)
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName, Sex, Remark) values('%1', %2, %3, 'x')")
                             .arg(id, name.isNull() ? s("NULL") : s("'") + name + s("'"))
                             .arg(sex));
}

QStringList keys(TfrmListForm &list)
{
    QStringList result;
    TOrvDataSet &rows = list.DataSet();
    for (rows.First(); !rows.Eof(); rows.Next())
        result << rows.FieldByName(s("PersonID")).AsString();
    return result;
}

} // namespace

using ListFilter = TListTest;

TEST_F(ListFilter, ValueListOfAFieldAndTicking)
{
    addDefinitionLine(s("moxAddressBook"), s("DefaultFilterField=Sex"));
    addPerson(s("P1"), s("张三"), 0);
    addPerson(s("P2"), s("李四"), 1);
    addPerson(s("P3"), s("王五"), 0);
    addPerson(s("P4"), QString(), 1);
    addPerson(s("P5"), s(""), 0);
    auto people = openList(s("moxAddressBook"));
    // The data source's field is chosen at start; pick-list values by name.
    EXPECT_EQ(people->FilterField(), s("Sex"));
    EXPECT_EQ(people->FilterValues(), QStringList({s("女"), s("男")}));

    // Names, sorted; the empty and the missing one are not offered.
    people->SetFilterField(s("PersonName"));
    const QStringList names = people->FilterValues();
    EXPECT_EQ(names.size(), 3);
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(people->DataSet().RecordCount(), 5);

    // Unticking hides those rows; with something unticked a row shows only
    // when its value is ticked.
    people->SetValueTicked(s("李四"), false);
    EXPECT_EQ(keys(*people), QStringList({s("P1"), s("P3")}));
    people->SetValueTicked(s("李四"), true);
    EXPECT_EQ(people->DataSet().RecordCount(), 5);
    // Ticking through the list itself does the same.
    auto *list = people->findChild<QListWidget *>(s("lstFilterValues"));
    list->findItems(s("张三"), Qt::MatchExactly).first()->setCheckState(Qt::Unchecked);
    EXPECT_EQ(keys(*people), QStringList({s("P2"), s("P3")}));

    // A memo gives no list and filters nothing.
    people->SetFilterField(s("Remark"));
    EXPECT_TRUE(people->FilterValues().isEmpty());
    EXPECT_EQ(people->DataSet().RecordCount(), 5);
}

TEST_F(ListFilter, ValueListStopsAfterAHundredValues)
{
    for (int i = 0; i < 130; ++i)
        addPerson(s("Q%1").arg(i, 3, 10, QLatin1Char('0')), s("名%1").arg(i, 3, 10, QLatin1Char('0')), 0);
    auto people = openList(s("moxAddressBook"));
    EXPECT_TRUE(people->FilterField().isEmpty());
    people->SetFilterField(s("PersonName"));
    EXPECT_EQ(people->FilterValues().size(), 101);
    // Every value ticked: rows whose value is beyond the list stay.
    EXPECT_EQ(people->DataSet().RecordCount(), 130);
    people->SetValueTicked(people->FilterValues().first(), false);
    EXPECT_EQ(people->DataSet().RecordCount(), 100);
}

TEST_F(ListFilter, KeywordWorksOnTheLoadedRowsAndEnterReloads)
{
    addPerson(s("P1"), s("Zhang San"), 0);
    addPerson(s("P2"), s("Li Si"), 1);
    addPerson(s("P3"), s("zhang wu"), 0);
    auto people = openList(s("moxAddressBook"));
    // Added after loading: a filter that read the database would show it.
    addPerson(s("P4"), s("Zhang Liu"), 0);
    people->SetKeyWord(s("Zhang"));
    EXPECT_EQ(keys(*people), QStringList({s("P1")}));
    // Any field's display text counts: the sex by its name.
    people->SetKeyWord(s("女"));
    EXPECT_EQ(keys(*people), QStringList({s("P2")}));
    // Enter reloads, the keyword still applied.
    people->SetKeyWord(s("Zhang"));
    auto *keyWord = people->findChild<QLineEdit *>(s("edtKeyWord"));
    QTest::keyClick(keyWord, Qt::Key_Return);
    EXPECT_EQ(keys(*people), QStringList({s("P1"), s("P4")}));
    // The value filter and the keyword together.
    people->SetFilterField(s("PersonName"));
    people->SetValueTicked(s("Zhang Liu"), false);
    EXPECT_EQ(keys(*people), QStringList({s("P1")}));
    people->SetKeyWord(QString());
    EXPECT_EQ(keys(*people), QStringList({s("P1"), s("P2"), s("P3")}));
}

TEST_F(ListFilter, ALongListShowsItsFirstRowsAndCompletesFromTheEventLoop)
{
    addDefinitionLine(s("moxAddressBook"), s("DefaultFilterField=Sex"));
    // Inserted against the key order, so the order by key is visible.
    DBConn().DBExcuteSql(s("begin"));
    for (int i = 349; i >= 0; --i)
        addPerson(s("R%1").arg(i, 3, 10, QLatin1Char('0')), s("名%1").arg(i), i % 2);
    DBConn().DBExcuteSql(s("commit"));
    auto people = openList(s("moxAddressBook"));
    // The window is there with the first piece; the rest is still coming.
    TOrvDataSet &rows = people->DataSet();
    EXPECT_TRUE(rows.Fetching());
    EXPECT_LT(rows.RecordCount(), 350);
    EXPECT_GT(rows.RecordCount(), 0);
    QTRY_VERIFY(!rows.Fetching());
    // Then every row, ordered by the key, and the value list over all rows.
    const QStringList all = keys(*people);
    ASSERT_EQ(all.size(), 350);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_EQ(people->FilterValues().size(), 2);
    people->SetValueTicked(people->FilterValues().first(), false);
    EXPECT_EQ(rows.RecordCount(), 175);
}
