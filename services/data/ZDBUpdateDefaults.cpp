#include "ZDBUpdateDefaults.h"

#include "common/ZDates.h"
#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZNumbers.h"
#include "data/ZFieldType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVariant>

#include <algorithm>

namespace {

QVariant defaultValueOf(const QString &text, TZFieldType kind)
{
    const QString trimmed = text.trimmed();
    switch (kind) {
    case ftZInteger:
    case ftZSmallint:
        return TryStrToIntEx(trimmed, 0);
    case ftZBoolean:
        return trimmed == QLatin1String("1");
    case ftZFloat:
        return TryStrToFloatEx(trimmed, 0);
    case ftZCurrency:
        return QVariant::fromValue(TryStrToCurr(trimmed));
    case ftZDate:
        return IntDateToDate(TryStrToIntEx(trimmed, 0));
    case ftZTime:
        return IntToTime(TryStrToIntEx(trimmed, 0));
    default:
        return text;
    }
}

// Writes the rows of one default-value file into its table.
void fillTable(TZDbConnection &connection, const QString &table, const QStringList &lines)
{
    // The columns of the table that the header names, with their kinds.
    auto shape = connection.prepare(connection.adapt(QStringLiteral("select * from [%1] where 1=2").arg(table)));
    shape->step();
    QHash<QString, TZFieldType> kindOf; // case-folded column → kind
    QHash<QString, QString> nameOf;     // case-folded column → its name in the table
    for (int c = 0; c < shape->columnCount(); ++c) {
        kindOf.insert(shape->columnName(c).toLower(), ZFieldTypeOfDeclared(shape->columnDeclaredType(c)));
        nameOf.insert(shape->columnName(c).toLower(), shape->columnName(c));
    }
    shape.reset();
    const QStringList header = lines.front().trimmed().split(QLatin1Char(','));
    QList<int> used; // positions in the header of the table's columns
    QStringList names, marks;
    for (int i = 0; i < header.size(); ++i) {
        const QString key = header.at(i).trimmed().toLower();
        if (!kindOf.contains(key)
            || std::any_of(used.begin(), used.end(), [&](int j) { return header.at(j).trimmed().toLower() == key; }))
            continue;
        used << i;
        names << QLatin1Char('[') + nameOf.value(key) + QLatin1Char(']');
        marks << QStringLiteral("?");
    }
    if (used.isEmpty())
        return;
    auto insert = connection.prepare(
        connection.adapt(QStringLiteral("insert into [%1](%2) values(%3)")
                             .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))));
    for (const QString &line : lines.mid(1)) {
        if (line.trimmed().isEmpty())
            continue;
        const QStringList values = line.split(QLatin1Char(','));
        for (int k = 0; k < used.size(); ++k) {
            const int i = used.at(k);
            insert->bind(k + 1, defaultValueOf(values.value(i), kindOf.value(header.at(i).trimmed().toLower())));
        }
        insert->step();
        insert->reset();
    }
}

} // namespace

void SetDefaultValue(TZDbConnection &connection, const QString &folder,
                     const std::function<void(const QString &)> &onMessage)
{
    const QString path = QDir::isAbsolutePath(folder) ? folder : GetCurrPath() + folder;
    QStringList files;
    SearchFileList(path, QStringLiteral("*"), files, true, true);
    std::sort(files.begin(), files.end());
    for (const QString &file : std::as_const(files)) {
        const QString name = QFileInfo(file).fileName();
        const qsizetype dot = name.indexOf(QLatin1String(".txt"), 0, Qt::CaseInsensitive);
        if (dot < 0)
            continue;
        const QString table = name.left(dot);
        QFile input(file);
        if (!input.open(QIODevice::ReadOnly))
            continue;
        QStringList lines = QString::fromUtf8(input.readAll()).split(QLatin1Char('\n'));
        for (QString &line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
            lines.removeLast();
        if (lines.size() < 2)
            continue;
        const bool own = !connection.inTransaction();
        try {
            if (own)
                connection.begin();
            fillTable(connection, table, lines);
            if (own)
                connection.commit();
        } catch (const EZError &e) {
            if (own && connection.inTransaction())
                connection.rollback();
            if (onMessage)
                onMessage(QStringLiteral("为表") + table + QStringLiteral("新增预设值是出错，原因是：") + e.message());
        }
    }
}
