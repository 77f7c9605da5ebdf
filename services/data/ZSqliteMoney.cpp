#include "ZSqliteMoney.h"

#include <sqlite3.h>

#include <QtGlobal>

#include <algorithm>
#include <cmath>

QString ZMoneyTriggersSql(const QString &table, const QString &column)
{
    // The WHEN clause keeps the extra write to values that need it; the
    // trigger's own UPDATE does not fire triggers again (recursive triggers
    // are off) and would find nothing to do if it did.
    const QString when =
        QStringLiteral(" FOR EACH ROW WHEN typeof(new.[%2]) = 'real' AND new.[%2] <> round(new.[%2], 4)"
                       " BEGIN UPDATE [%1] SET [%2] = round(new.[%2], 4) WHERE rowid = new.rowid; END;")
            .arg(table, column);
    // A trigger of that name left on a table renamed away is replaced, so
    // the triggers always belong to the table that now has the name.
    // The table name's length keeps the names of table "A_B" column "C" and
    // table "A" column "B_C" apart.
    const QString name = QStringLiteral("[zMoney_%1_%2_%3").arg(QString::number(table.size()), table, column);
    return QStringLiteral("DROP TRIGGER IF EXISTS %1_i]; CREATE TRIGGER %1_i] AFTER INSERT ON [%2]").arg(name, table)
           + when
           + QStringLiteral(" DROP TRIGGER IF EXISTS %1_u]; CREATE TRIGGER %1_u] AFTER UPDATE OF [%3] ON [%2]")
                 .arg(name, table, column)
           + when;
}

bool ZIsMoneyDeclaredType(const QString &declared)
{
    QString type = declared.trimmed().toLower();
    type.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    return type == QLatin1String("money") || type == QLatin1String("currency") || type == QLatin1String("smallmoney");
}

namespace {

constexpr double kScale = 10000.0;
// Amounts beyond this are summed as doubles: their scaled form must stay an
// exact double (below 2^53).
constexpr double kLargest = 9.0e11;

struct SumState
{
    qint64 count = 0;      // values (non-null) in the sum
    qint64 integers = 0;   // exact sum of the integer values
    qint64 scaled = 0;     // exact sum of the four-decimal real values, × 10000
    double other = 0;      // sum of the remaining values
    bool anyReal = false;  // a real value was added: the result is real
    bool overflow = false; // the integer sum overflowed
    qint64 inexact = 0;    // values in `other` still in the frame
};

// The scaled value of a four-decimal amount, or false when `v` has more
// decimals (or is too large) to be one.
bool scaledMoney(double v, qint64 &scaled)
{
    if (!std::isfinite(v) || std::fabs(v) > kLargest)
        return false;
    const double s = v * kScale;
    const double r = std::nearbyint(s);
    // A four-decimal amount is held as the double nearest to it (or carries
    // the residue of a computation): its scaled form lies within a few units
    // of the last place of an integer. A value within 1e-9 (relative) of an
    // amount counts as that amount.
    if (std::fabs(s - r) > 1e-9 * std::max(1.0, std::fabs(r)))
        return false;
    scaled = qint64(r);
    return true;
}

void addValue(SumState &st, sqlite3_value *v, int sign)
{
    switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_NULL:
        return;
    case SQLITE_INTEGER: {
        const qint64 i = sqlite3_value_int64(v);
        if (sign > 0 ? __builtin_add_overflow(st.integers, i, &st.integers)
                     : __builtin_sub_overflow(st.integers, i, &st.integers))
            st.overflow = true;
        break;
    }
    default: {
        const double d = sqlite3_value_double(v);
        st.anyReal = true;
        qint64 s = 0;
        qint64 sum = 0;
        if (scaledMoney(d, s) && !__builtin_add_overflow(st.scaled, sign * s, &sum)) {
            st.scaled = sum;
        } else {
            st.other += sign * d;
            st.inexact += sign;
        }
        break;
    }
    }
    st.count += sign;
}

void sumStep(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *st = static_cast<SumState *>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (st)
        addValue(*st, argv[0], 1);
}

void sumInverse(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    auto *st = static_cast<SumState *>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (st)
        addValue(*st, argv[0], -1);
}

void sumValue(sqlite3_context *ctx)
{
    auto *st = static_cast<SumState *>(sqlite3_aggregate_context(ctx, 0));
    if (!st || st->count == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (st->overflow) {
        sqlite3_result_error(ctx, "integer overflow", -1);
        return;
    }
    if (!st->anyReal) {
        sqlite3_result_int64(ctx, st->integers);
        return;
    }
    // integers and amounts together, still exact while they fit
    qint64 scaledIntegers = 0;
    qint64 total = 0;
    if (!__builtin_mul_overflow(st->integers, qint64(kScale), &scaledIntegers)
        && !__builtin_add_overflow(scaledIntegers, st->scaled, &total)) {
        const double exact = double(total) / kScale;
        sqlite3_result_double(ctx, st->inexact == 0 ? exact : exact + st->other);
        return;
    }
    sqlite3_result_double(ctx, double(st->integers) + double(st->scaled) / kScale + st->other);
}

void sumFinal(sqlite3_context *ctx)
{
    sumValue(ctx);
}

} // namespace

void ZRegisterMoneySum(sqlite3 *db)
{
    sqlite3_create_window_function(db, "sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, sumStep, sumFinal,
                                   sumValue, sumInverse, nullptr);
}
