#include "ZAccessSql.h"

#include <QRegularExpression>

QString TranToAccessSQL(const QString &sql)
{
    static const QLatin1String leftJoin("left join");
    QString result;
    result.reserve(sql.size() + 16);
    int joins = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (QStringView(sql).mid(i, leftJoin.size()).compare(leftJoin, Qt::CaseInsensitive) == 0) {
            ++joins;
            if (joins >= 2)
                result += QLatin1Char(')');
        }
        result += sql.at(i);
    }
    if (joins >= 2) {
        const qsizetype from = result.indexOf(QLatin1String("from"), 0, Qt::CaseInsensitive);
        if (from >= 0)
            result.insert(from + 4, QString(joins - 1, QLatin1Char('(')));
    }
    static const QRegularExpression getDate(QStringLiteral("GetDate\\(\\)"), QRegularExpression::CaseInsensitiveOption);
    result.replace(getDate, QStringLiteral("Date()"));
    return result;
}
