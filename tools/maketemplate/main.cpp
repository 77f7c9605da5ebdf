// Builds the empty template data file DBAcs.orv from the table definitions
// (DBTables/*.tbl) with the same table-creation routine the database update
// uses, so the template, the catalogue and the update cannot disagree.
//
//   zkva_maketemplate <DBTables folder> <output file>

#include "data/TZDbConnection.h"
#include "data/ZTableDefs.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zkva_maketemplate <DBTables folder> <output file>\n");
        return 2;
    }
    const QString folder = args.at(1);
    const QString output = args.at(2);
    const QString building = output + QStringLiteral(".building");
    QFile::remove(building);
    try {
        const QList<TZTableColumnDef> defs = LoadTableDefinitions(folder, true);
        {
            auto db = ZCreateDataFile(building);
            db->begin();
            for (const QString &table : ZDefinedTables(defs))
                CreateTable(*db, defs, table);
            db->commit();
        }
        QFile::remove(output);
        if (!QFile::rename(building, output)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
            return 1;
        }
        QFile::remove(building + QStringLiteral(".lock"));
    } catch (const EZError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        QFile::remove(building);
        return 1;
    }
    return 0;
}
