#include "TDataFileTest.h"

#include "common/ZFatal.h"
#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/ZFreeAllSource.h"
#include "settings/ZSession.h"

#include <QDir>
#include <QFile>

QString ZTemplateDataFile()
{
    return QStringLiteral(ZKVA_PROGRAM_DIR "/DBAcs.orv");
}

void ZMarkDataFileCurrent(const QString &dataFile)
{
    auto db = ZOpenDataFile(dataFile, dtDbACCESS);
    db->execute(QStringLiteral("delete from comParams where ParamName = 'LastUpdateVersion';"
                               "insert into comParams(ParamName, ParamValue) values('LastUpdateVersion', '%1')")
                    .arg(GetAppVersionID()));
}

void TDataFileTest::SetUp()
{
    folder = std::make_unique<TTempProgramFolder>();
    QFile::copy(ZTemplateDataFile(), folder->path() + QStringLiteral("DBAcs.orv"));
    FSYSID = 1003;
    FSYSCode = QStringLiteral("ZKVA");
    FSystemType = stAlone;
    SetZFatalHandler([this](const QString &text) { fatalText = text; });
}

void TDataFileTest::TearDown()
{
    FreeAllSource();
    SetZFatalHandler(nullptr);
    folder.reset();
}

QString TDataFileTest::path(const QString &relative) const
{
    return folder->path() + relative;
}

void TDataFileTest::createTable(const QString &createSql)
{
    const qsizetype open = createSql.indexOf(QLatin1Char('['));
    const QString name = createSql.mid(open + 1, createSql.indexOf(QLatin1Char(']'), open) - open - 1);
    TDBConn &db = DBConn();
    if (db.ExistTable(name))
        db.DropTable(name);
    db.DBExcuteSql(createSql);
}

void TDataFileTest::copyUpdateData() const
{
    for (const char *subFolder : {"DBTables", "DBSource", "DefaultValue"})
        copyShipped(QLatin1String(subFolder));
}

void TDataFileTest::copyPackages() const
{
    const QDir program(QStringLiteral(ZKVA_PROGRAM_DIR));
    for (const QString &name : program.entryList({QStringLiteral("dpk*.so")}, QDir::Files))
        QFile::copy(program.filePath(name), path(name));
}

void TDataFileTest::copyShipped(const QString &subFolder) const
{
    const QDir shipped(QStringLiteral(ZKVA_PROGRAM_DIR "/") + subFolder);
    QDir().mkpath(path(subFolder));
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), path(subFolder + QLatin1Char('/') + name));
}
