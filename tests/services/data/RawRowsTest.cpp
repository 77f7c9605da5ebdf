// Loaded rows keep the engine's values compact and build their values when
// first read. Every value must read exactly as the statement reads it
// directly: for every kind, every storage class a column may hold, across
// the blocks the rows are kept in, and through the generic path of a
// statement without a compact form of its own.

#include "TestText.h"

#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char *const kSelect = "select rowid, * from K";

// Rows of one shape each, 350 of each, so that the rows span several blocks.
const char *const kShapes[] = {
    "null, null, null, null, null, null, null, null, null",
    "'a' || i, '备注' || i, i, i % 100, i * 0.5, i * 0.25, '2011-06-21 09:05:03', 1, x'0102'",
    "i, 1.5, '12', 2.6, '3.5', '1.23456', 40000.5 + i, 0.0, 'abc'",
    "'', '', 0, 0, 0, 0, '', 0, x''",
    "x'e4bda0', 5000000000, 5000000000, -1, 1e300, 1e20, '2011/6/21 9:05', 'x', 7",
    "'z', 'm', 2.5, '-3', -0.0, -1.00005, '40000.25', '1', 1.5",
};

// A statement of another engine: everything goes through value().
class GenericStatement final : public TZDbStatement
{
public:
    explicit GenericStatement(TZDbStatement &inner) : m_inner(inner) {}
    void bind(int index, const QVariant &value) override { m_inner.bind(index, value); }
    bool step() override { return m_inner.step(); }
    void reset() override { m_inner.reset(); }
    int columnCount() const override { return m_inner.columnCount(); }
    QString columnName(int c) const override { return m_inner.columnName(c); }
    QString columnDeclaredType(int c) const override { return m_inner.columnDeclaredType(c); }
    QString columnTable(int c) const override { return m_inner.columnTable(c); }
    QString columnOrigin(int c) const override { return m_inner.columnOrigin(c); }
    TZFieldType columnKind(int c) const override { return m_inner.columnKind(c); }
    QVariant value(int c, TZFieldType kind) const override { return m_inner.value(c, kind); }
    int changes() const override { return m_inner.changes(); }

private:
    TZDbStatement &m_inner;
};

class RawRows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = ZCreateDataFile(dir.path() + s("/raw.orv"));
        db->execute(s("create table K([T] VarChar(20), [M] text, [I] int, [S] smallint, [F] float, [C] Money, "
                      "[D] datetime, [B] bit, [G] image)"));
        for (const char *shape : kShapes)
            db->execute(s("with recursive n(i) as (select 0 union all select i + 1 from n where i < 349) "
                          "insert into K select %1 from n")
                            .arg(s(shape)));
    }

    // Every loaded row against a direct read of the same statement.
    void expectSameAsDirect(TZClientDataSet &ds)
    {
        auto direct = db->prepare(s(kSelect));
        const int count = ds.FieldCount();
        ASSERT_EQ(count, 9);
        int rows = 0;
        for (ds.First(); !ds.Eof(); ds.Next(), ++rows) {
            ASSERT_TRUE(direct->step());
            const TZRowPtr row = ds.GetBookmark().lock();
            ASSERT_TRUE(row);
            EXPECT_EQ(row->rowId, direct->value(0, ftZInteger).toLongLong());
            for (int c = 0; c < count; ++c) {
                const QVariant expected = direct->value(c + 1, ds.columnInfo(c).type);
                const QVariant &got = row->values().at(c);
                EXPECT_EQ(got.typeId(), expected.typeId()) << "row " << rows << " column " << c;
                EXPECT_EQ(got, expected) << "row " << rows << " column " << c;
                EXPECT_EQ(got.toString().isNull(), expected.toString().isNull()) << "row " << rows << " column " << c;
                if (expected.typeId() == QMetaType::QByteArray) {
                    EXPECT_EQ(got.toByteArray().isNull(), expected.toByteArray().isNull()) << "row " << rows;
                }
            }
        }
        EXPECT_FALSE(direct->step());
        EXPECT_EQ(rows, 6 * 350);
    }

    QTemporaryDir dir;
    std::unique_ptr<TZDbConnection> db;
};

} // namespace

TEST_F(RawRows, LoadedRowsReadAsTheStatementReadsEveryKindAndStorage)
{
    auto statement = db->prepare(s(kSelect));
    TZClientDataSet ds;
    ds.LoadFromStatement(*statement, db.get(), s("select * from K"), true);
    expectSameAsDirect(ds);

    // Values changed before and after a row is first read stay the user's.
    ds.SetRecNo(2000);
    ds.Edit();
    ds.Fields(2).SetValue(77);
    ds.Post();
    ds.SetRecNo(2000);
    EXPECT_EQ(ds.Fields(2).Value(), QVariant(77));
    EXPECT_EQ(ds.Fields(0).Value(), QVariant(s("z")));
}

TEST_F(RawRows, StatementWithoutCompactFormLoadsTheSameRows)
{
    auto inner = db->prepare(s(kSelect));
    GenericStatement statement(*inner);
    TZClientDataSet ds;
    ds.LoadFromStatement(statement, db.get(), s("select * from K"), true);
    expectSameAsDirect(ds);
}

TEST_F(RawRows, ClonesShareRowsReadOnce)
{
    auto statement = db->prepare(s(kSelect));
    TZClientDataSet ds;
    ds.LoadFromStatement(*statement, db.get(), s("select * from K"), true);
    TZClientDataSet clone;
    clone.CloneCursor(ds);
    ds.Close(); // the rows and their blocks live on in the clone
    clone.Last();
    EXPECT_EQ(clone.Fields(0).Value(), QVariant(s("z")));
    EXPECT_EQ(clone.RecordCount(), 6 * 350);
    expectSameAsDirect(clone);
}
