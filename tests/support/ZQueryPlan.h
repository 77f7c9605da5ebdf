#pragma once

#include "data/TDBConn.h"
#include "data/ZAccessSql.h"

#include <QString>
#include <QStringList>

/// The query plan of a statement of the system as the program runs it on the
/// session's connection (TranToAccessSQL, the engine adapter): one line per
/// step, for tests that a statement reads an index.
inline QString ZQueryPlan(const QString &sql)
{
    TZDbConnection &c = DBConn().GetDBCONN();
    auto stmt = c.prepare(QStringLiteral("explain query plan ") + c.adapt(TranToAccessSQL(sql)));
    QStringList steps;
    while (stmt->step())
        steps << stmt->value(3, ftZString).toString();
    return steps.join(QLatin1Char('\n'));
}
