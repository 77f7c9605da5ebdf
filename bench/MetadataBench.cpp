// Module definitions. datasource_build_all: building every shipped data
// source from its definition file; raw baseline: reading the same files into
// the in-memory INI class alone. list_sql: building the list statement of
// every module (this month's rows), reported per call; raw baseline: joining
// the same statement from its select list and the rest of its text, kept
// ready-made, so the ratio is the cost of walking the model.

#include "common/ZFiles.h"
#include "settings/ZSession.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

void useProgramFolder()
{
    static const bool done = [] {
        qputenv("ZKVA_HOME", QByteArrayLiteral(ZKVA_PROGRAM_DIR));
        FSYSID = 1003; // as the program sets it at start
        FSYSCode = QStringLiteral("ZKVA");
        return true;
    }();
    (void)done;
}

QStringList definitionFiles()
{
    useProgramFolder();
    const QDir folder(GetCurrPath() + QStringLiteral("DBSource"));
    QStringList files;
    for (const QString &name : folder.entryList({QStringLiteral("*.dbs")}, QDir::Files))
        files << folder.filePath(name);
    return files;
}

void BM_datasource_build_all(benchmark::State &state)
{
    useProgramFolder();
    for (auto _ : state) {
        FreeDataSource();
        InitSysIDAndProgID();
        benchmark::DoNotOptimize(RegisteredProgIDs().size());
    }
    FreeDataSource();
}
BENCHMARK(BM_datasource_build_all)->Unit(benchmark::kMicrosecond);

void BM_datasource_build_all_baseline(benchmark::State &state)
{
    const QStringList files = definitionFiles();
    for (auto _ : state) {
        for (const QString &file : files) {
            TZMemIniFile ini(file);
            benchmark::DoNotOptimize(ini.ReadSections().size());
        }
    }
}
BENCHMARK(BM_datasource_build_all_baseline)->Unit(benchmark::kMicrosecond);

std::vector<TZDataset *> listDatasets()
{
    useProgramFolder();
    InitSysIDAndProgID();
    std::vector<TZDataset *> datasets;
    for (const QString &name : RegisteredProgIDs())
        datasets.push_back(GetDataSource(name).Datasets.front().get());
    return datasets;
}

void BM_list_sql(benchmark::State &state)
{
    const std::vector<TZDataset *> datasets = listDatasets();
    for (auto _ : state) {
        for (TZDataset *dataset : datasets)
            benchmark::DoNotOptimize(dataset->GetListSql(lsThisMonth));
    }
    state.SetItemsProcessed(state.iterations() * qint64(datasets.size()));
    FreeDataSource();
}
BENCHMARK(BM_list_sql)->Unit(benchmark::kMicrosecond);

void BM_list_sql_baseline(benchmark::State &state)
{
    struct Parts
    {
        QStringList columns;
        QString rest;
    };
    std::vector<Parts> parts;
    for (TZDataset *dataset : listDatasets()) {
        const QString sql = dataset->GetListSql(lsThisMonth);
        const qsizetype from = sql.indexOf(QLatin1String("\r\n from "), 0, Qt::CaseInsensitive);
        const qsizetype start = sql.indexOf(QLatin1String("Select "), 0, Qt::CaseInsensitive) + 7;
        parts.push_back({sql.mid(start, from - start).split(QLatin1Char(',')), sql.mid(from)});
    }
    for (auto _ : state) {
        for (const Parts &p : parts)
            benchmark::DoNotOptimize(QStringLiteral(" Select ") + p.columns.join(QLatin1Char(',')) + p.rest);
    }
    state.SetItemsProcessed(state.iterations() * qint64(parts.size()));
    FreeDataSource();
}
BENCHMARK(BM_list_sql_baseline)->Unit(benchmark::kMicrosecond);

} // namespace
