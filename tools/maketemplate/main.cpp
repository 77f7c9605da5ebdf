// Builds the empty template data file DBAcs.orv from the table definitions
// (DBTables/*.tbl) with the same table-creation routine the database update
// uses, so the template, the catalogue and the update cannot disagree. With
// the data source definitions (DBSource/*.dbs) the tables also get the
// indexes their lists need.
//
//   zkva_maketemplate <DBTables folder> <output file> [<DBSource folder>]

#include "data/TZDbConnection.h"
#include "data/ZTableDefs.h"
#include "metadata/ZListIndexes.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        std::fprintf(stderr, "usage: zkva_maketemplate <DBTables folder> <output file> [<DBSource folder>]\n");
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
            if (args.size() == 4)
                CreateIndexes(*db, LoadListIndexDefinitions(args.at(3), defs));
            ZEnsureEngineRules(*db); // files made from the template start with the rules
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
