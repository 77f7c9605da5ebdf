// Reading a statement in pieces: the rows of a full load in its order, the
// model growing by insertions only, closing, reopening and destroying
// mid-load, other statements and a closing connection in between, a failing
// later piece, and everything that needs every row reading the rest first.

#include "TestText.h"

#include "common/ZGuard.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataSetModel.h"
#include "data/TZDbConnection.h"
#include "data/ZDBRoutines.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

constexpr int kRows = 5000;
const QString kList = QStringLiteral("select ID, Name, Amount, Day from T order by ID desc");

class FetchInPieces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = ZCreateDataFile(dir.path() + s("/pieces.orv"));
        db->execute(s("create table T (ID integer primary key, Name text, Amount real, Day datetime, V integer)"));
        db->execute(s("create table Other (X integer)"));
        db->begin();
        auto insert = db->prepare(s("insert into T (ID, Name, Amount, Day, V) values (?1, ?2, ?3, ?4, ?5)"));
        for (int i = 1; i <= kRows; ++i) {
            insert->bind(1, i);
            insert->bind(2, s("名称%1").arg(i % 97));
            insert->bind(3, (i * 37 % 1000) / 4.0);
            insert->bind(4, s("2024-%1-%2 08:00:00").arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')));
            insert->bind(5, i);
            insert->step();
            insert->reset();
        }
        insert.reset();
        db->commit();
    }

    // Lets the event loop bring every piece.
    static void waitForRows(TZClientDataSet &ds)
    {
        while (ds.Fetching())
            QCoreApplication::processEvents();
    }

    static QList<QVariantList> rowsOf(TZClientDataSet &ds)
    {
        QList<QVariantList> rows;
        for (const TZRowData *row : ds.visibleRows())
            rows << QVariantList(row->values().begin(), row->values().end());
        return rows;
    }

    QList<QVariantList> fullLoad(const QString &sql = kList)
    {
        TZClientDataSet full;
        DBOpenDataSet(*db, full, sql);
        return rowsOf(full);
    }

    QTemporaryDir dir;
    std::unique_ptr<TZDbConnection> db;
};

} // namespace

TEST_F(FetchInPieces, GivesTheRowsOfAFullLoadInOrderGrowingTheModelByInsertionsOnly)
{
    int fetched = 0, afterFetch = 0, grown = 50;
    TZClientDataSet ds;
    TZDataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.AddRowListener([&](const TZRowEvent &e) { fetched += e.kind == TZRowEvent::Fetched; });
    ds.AfterFetch = [&](TZClientDataSet &) { ++afterFetch; };

    DBOpenDataSetInPieces(*db, ds, kList, 50);
    ASSERT_TRUE(ds.Fetching());
    EXPECT_EQ(model.rowCount(), 50);
    EXPECT_EQ(ds.RecordCount(), 50); // the rows read so far
    EXPECT_EQ(ds.Fields(0).AsInteger(), kRows);

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex &, int first, int last) {
        EXPECT_EQ(first, grown); // always at the end, a piece at a time
        grown = last + 1;
        EXPECT_EQ(model.rowCount(), grown);
    });
    waitForRows(ds);

    EXPECT_EQ(resets.count(), 0);
    EXPECT_GE(inserted.count(), 1);
    EXPECT_EQ(grown, kRows);
    EXPECT_EQ(fetched, 1);
    EXPECT_EQ(afterFetch, 1);
    EXPECT_TRUE(ds.FetchError().isEmpty());
    EXPECT_EQ(rowsOf(ds), fullLoad());
    EXPECT_EQ(ds.RecNo(), 1); // the cursor stayed on the first row
}

TEST_F(FetchInPieces, EverythingThatNeedsEveryRowReadsTheRestFirst)
{
    TZClientDataSet ds;
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    ds.FetchAll();
    EXPECT_FALSE(ds.Fetching());
    EXPECT_EQ(ds.RecordCount(), kRows);
    EXPECT_EQ(rowsOf(ds), fullLoad());

    // A sort while rows are coming sorts all of them.
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    TZDataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.SetIndexFieldNames(s("Amount DESC;ID"));
    EXPECT_FALSE(ds.Fetching());
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(rowsOf(ds), fullLoad(s("select ID, Name, Amount, Day from T order by Amount desc, ID")));
    // With index fields set, opening reads every row at once.
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    EXPECT_FALSE(ds.Fetching());
    EXPECT_EQ(ds.RecordCount(), kRows);
    ds.SetIndexFieldNames({});

    // A filter too.
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    ds.SetFilter(s("Amount >= 200"));
    EXPECT_TRUE(ds.Fetching()); // not in force yet
    ds.SetFiltered(true);
    EXPECT_FALSE(ds.Fetching());
    EXPECT_EQ(rowsOf(ds), fullLoad(s("select ID, Name, Amount, Day from T where Amount >= 200 order by ID desc")));
    // A filter in force while rows come: only the rows that pass arrive.
    ds.SetFilter(s("ID <= 10"));
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    EXPECT_FALSE(ds.IsEmpty()); // reads on until a row passes
    EXPECT_EQ(ds.Fields(0).AsInteger(), 10);
    waitForRows(ds);
    EXPECT_EQ(ds.RecordCount(), 10);
    ds.SetFiltered(false);

    // Last, Locate, moving past the rows read, editing.
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    ds.Last();
    EXPECT_EQ(ds.Fields(0).AsInteger(), 1);
    EXPECT_FALSE(ds.Fetching());
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    EXPECT_TRUE(ds.Locate(s("ID"), {7}));
    EXPECT_EQ(ds.RecNo(), kRows - 6);
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    ds.MoveBy(30);
    EXPECT_EQ(ds.RecNo(), 31);
    EXPECT_FALSE(ds.Eof());
    ds.SetRecNo(200);
    EXPECT_EQ(ds.Fields(0).AsInteger(), kRows - 199);
    ds.Append();
    EXPECT_FALSE(ds.Fetching());
    ds.Fields(0).SetAsInteger(kRows + 1);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), kRows + 1);
    ds.UpdateBatch();
    EXPECT_EQ(GetRecordCount(*db, s("select ID from T")), kRows + 1);
}

TEST_F(FetchInPieces, ClosingReopeningAndDestroyingMidLoadAreSafe)
{
    auto ds = std::make_unique<TZClientDataSet>();
    TZDataSetModel model(ds.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    DBOpenDataSetInPieces(*db, *ds, kList, 10);
    ds->Close();
    EXPECT_FALSE(ds->Fetching());
    QCoreApplication::processEvents(); // the pending piece finds nothing to read

    // Opened again twice over while reading: each opening starts afresh.
    DBOpenDataSetInPieces(*db, *ds, kList, 10);
    DBOpenDataSetInPieces(*db, *ds, kList, 10);
    // The same statement and others run meanwhile on the same connection.
    EXPECT_EQ(fullLoad(), fullLoad());
    db->begin();
    db->execute(s("insert into Other (X) values (1)"));
    db->commit();
    EXPECT_EQ(DBSelectValue(*db, s("select Count(*) from Other")), s("1"));
    waitForRows(*ds);
    EXPECT_EQ(rowsOf(*ds), fullLoad());

    // A clone sees the rows as they come and outlives the dataset that opened them.
    DBOpenDataSetInPieces(*db, *ds, kList, 10);
    TZClientDataSet clone;
    clone.CloneCursor(*ds);
    TZDataSetModel cloneModel(&clone);
    QAbstractItemModelTester cloneTester(&cloneModel, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(clone.Fetching());
    waitForRows(clone);
    EXPECT_EQ(cloneModel.rowCount(), kRows);
    clone.Close();

    // The connection closes mid-load: the rows read stay, reading ends.
    int fetched = 0;
    TZClientDataSet last;
    DBOpenDataSetInPieces(*db, last, kList, 10);
    last.AddRowListener([&](const TZRowEvent &e) { fetched += e.kind == TZRowEvent::Fetched; });
    db.reset();
    EXPECT_FALSE(last.Fetching());
    EXPECT_EQ(fetched, 1);
    EXPECT_EQ(last.RecordCount(), 10);
    QCoreApplication::processEvents();
    last.Last();
    EXPECT_EQ(last.Fields(0).AsInteger(), kRows - 9);
}

TEST_F(FetchInPieces, AStatementFailingInALaterPieceKeepsTheRowsRead)
{
    // abs() of the smallest integer fails: at the 1000th row of the statement.
    db->execute(s("update T set V = -9223372036854775807 - 1 where ID = 1000"));
    const QString failing = s("select ID, abs(V) as V from T order by ID");
    QStringList shown;
    SetZErrorBox([&](const QString &text) { shown << text; });

    TZClientDataSet ds;
    TZDataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    DBOpenDataSetInPieces(*db, ds, failing, 50);
    waitForRows(ds);
    ASSERT_EQ(shown.size(), 1); // shown once, through the guard of the event loop
    EXPECT_TRUE(shown.first().startsWith(s("语法执行错误！"))) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().contains(s("integer overflow")));
    EXPECT_EQ(ds.FetchError(), shown.first());
    EXPECT_EQ(ds.RecordCount(), 999);
    EXPECT_EQ(model.rowCount(), 999);

    // Read at once by FetchAll, the error reaches the caller.
    DBOpenDataSetInPieces(*db, ds, failing, 50);
    EXPECT_TRUE(ds.FetchError().isEmpty());
    EXPECT_THROW(ds.FetchAll(), EZError);
    EXPECT_FALSE(ds.Fetching());
    EXPECT_EQ(ds.RecordCount(), 999);
    ds.Last();
    EXPECT_EQ(ds.Fields(0).AsInteger(), 999);
    SetZErrorBox(nullptr);
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(FetchInPieces, KeywordAndRowFiltersWorkOnTheRowsInMemoryAsTheyCome)
{
    const QList<QVariantList> all = fullLoad();
    const auto expected = [&](const std::function<bool(const QVariantList &)> &keep) {
        QList<QVariantList> rows;
        for (const QVariantList &row : all) {
            if (keep(row))
                rows << row;
        }
        return rows;
    };

    TZClientDataSet ds;
    TZDataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ds.SetKeywordFilter(s("名称5"));
    DBOpenDataSetInPieces(*db, ds, kList, 20);
    EXPECT_TRUE(ds.Fetching()); // the keyword does not wait for the rest
    EXPECT_FALSE(ds.IsEmpty());
    waitForRows(ds);
    const QList<QVariantList> fives = expected([](const QVariantList &r) { return r.at(1).toString().contains(s("名称5")); });
    EXPECT_EQ(rowsOf(ds), fives);
    EXPECT_EQ(model.rowCount(), int(fives.size()));

    // Display texts: a field's OnGetText counts, for rows never shown too.
    ds.Fields(2).OnGetText = [](const TZDataField &f) { return s("¥") + f.AsString(); };
    ds.SetKeywordFilter(s("¥12"), Qt::CaseSensitive, {s("Amount")});
    EXPECT_EQ(rowsOf(ds), expected([](const QVariantList &r) { return r.at(2).toString().startsWith(s("12")); }));
    EXPECT_EQ(ds.RowText(*ds.visibleRows().front(), 2).left(3), s("¥12"));
    // Case: sensitive unless told; an unknown field name is left out.
    ds.SetKeywordFilter(s("x"), Qt::CaseInsensitive, {s("Nope")});
    EXPECT_TRUE(ds.IsEmpty());
    ds.SetKeywordFilter(s("2024-03-0"), Qt::CaseSensitive, {s("Day"), s("Nope")});
    EXPECT_EQ(ds.RecordCount(), int(expected([](const QVariantList &r) {
                                       return r.at(3).toDateTime().toString(s("yyyy-MM-dd")).startsWith(s("2024-03-0"));
                                   }).size()));

    // A program's test of rows, beside the keyword; both off again.
    ds.SetKeywordFilter({});
    ds.SetRowFilter([](TZClientDataSet &d, const TZRowData &row) { return d.RowText(row, 0).endsWith(s("7")); });
    EXPECT_EQ(ds.RecordCount(), kRows / 10);
    ds.SetKeywordFilter(s("名称1"));
    EXPECT_EQ(rowsOf(ds), expected([](const QVariantList &r) {
                  return r.at(0).toString().endsWith(s("7")) && r.at(1).toString().contains(s("名称1"));
              }));
    ds.SetKeywordFilter({});
    ds.SetRowFilter({});
    EXPECT_EQ(ds.RecordCount(), kRows);
}
