// Definition files: every data source reads dozens of keys from sections of
// its definition. Ours: case-insensitive look-up in the in-memory INI. Raw
// baseline: a hash of exact "section/key" texts built from the same file.

#include "ini/TZMemIniFile.h"

#include <QHash>

#include <benchmark/benchmark.h>

namespace {

struct Definition
{
    TZMemIniFile ini;
    QHash<QString, QString> raw;

    Definition()
    {
        QString text;
        for (int i = 0; i < 300; ++i) {
            const QString section = QStringLiteral("<DSField>Master-moxIncomeFee-Field%1").arg(i);
            text += QLatin1Char('[') + section + QStringLiteral("]\n");
            for (const char *key : {"DataSource", "Dataset", "TableName", "FieldName", "FieldIndex", "Propertys"}) {
                const QString value = QStringLiteral("value of %1 %2").arg(QLatin1String(key)).arg(i);
                text += QLatin1String(key) + QLatin1Char('=') + value + QLatin1Char('\n');
                raw.insert(section + QLatin1Char('/') + QLatin1String(key), value);
            }
        }
        ini.SetText(text);
    }
};

const Definition &definition()
{
    static const Definition d;
    return d;
}

const QString kSection = QStringLiteral("<DSField>Master-moxIncomeFee-Field150");
const QString kKey = QStringLiteral("Propertys");

void BM_ini_read(benchmark::State &state)
{
    const Definition &d = definition();
    for (auto _ : state)
        benchmark::DoNotOptimize(d.ini.ReadString(kSection, kKey, QString()));
}
BENCHMARK(BM_ini_read);

void BM_ini_read_baseline(benchmark::State &state)
{
    const Definition &d = definition();
    for (auto _ : state)
        benchmark::DoNotOptimize(d.raw.value(kSection + QLatin1Char('/') + kKey));
}
BENCHMARK(BM_ini_read_baseline);

} // namespace
