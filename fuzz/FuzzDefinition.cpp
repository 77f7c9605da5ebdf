// Feeds arbitrary bytes to the data source builder as a definition file, then
// builds the statements of every dataset. A bad definition may raise the
// system's error; nothing else may happen.

#include "common/ZErrors.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = new QTemporaryDir;
    qputenv("ZKVA_HOME", folder->path().toUtf8());
    QDir(folder->path()).mkpath(QStringLiteral("DBSource"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile file(folder->path() + QStringLiteral("/DBSource/fuzz.dbs"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    try {
        TZDataSource &source = GetDataSource(QStringLiteral("fuzz"), true);
        for (int i = 0; i < source.DatasetCount(); ++i) {
            source.GetDataSetSQL(i, true);
            source.GetEmptyBillSQL(i, false);
            source.GetOneBillSQL(i, QStringLiteral("K'1"), true);
        }
        if (source.DatasetCount() > 0)
            source.Datasets.front()->GetListSql(lsTop50);
    } catch (const EZError &) {
    }
    FreeDataSource();
    return 0;
}
