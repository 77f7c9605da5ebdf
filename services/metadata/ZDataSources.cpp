#include "ZDataSources.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "data/ZFreeAllSource.h"
#include "data/ZTableDefs.h"
#include "metadata/TDBSources.h"
#include "metadata/TDBTables.h"
#include "metadata/TZDataSource.h"

#include <map>
#include <memory>

namespace {

// Caches sorted by name ignoring case; the names keep their first spelling.
struct Cache
{
    std::map<QString, std::unique_ptr<TZDataSource>> sources; // case-folded name → source
    QStringList order;                                        // names in the order first built
};

Cache &normalCache()
{
    static Cache cache;
    return cache;
}

Cache &notRlsCache()
{
    static Cache cache;
    return cache;
}

void registerWithFreeAllSource()
{
    static const bool registered = [] {
        ZAddFreeAllSourceStep(fsDataSources, [] { FreeDataSource(); });
        SetDefinesMergeSource([] {
            QList<TZTableColumnDef> columns;
            for (const auto &[key, source] : normalCache().sources) {
                for (const auto &dataset : source->Datasets) {
                    for (const auto &table : dataset->Tables) {
                        for (const auto &field : table->Fields) {
                            const bool key = field->IsKeyField
                                             || field->FieldName.compare(source->MasterKey, Qt::CaseInsensitive) == 0;
                            columns.append({table->Name, field->FieldName, field->DisplayName,
                                            ZFieldTypeName(field->FieldType), field->Length, key, 0, QString()});
                        }
                    }
                }
            }
            return columns;
        });
        return true;
    }();
    Q_UNUSED(registered)
}

TZDataSource &fetch(Cache &cache, const QString &name, bool reload, bool notRls)
{
    registerWithFreeAllSource();
    const QString key = name.toCaseFolded();
    auto found = cache.sources.find(key);
    if (found != cache.sources.end() && !reload)
        return *found->second;
    auto built = std::make_unique<TZDataSource>(name, notRls); // may raise: the cache keeps what it had
    if (found != cache.sources.end()) {
        found->second = std::move(built);
        return *found->second;
    }
    cache.order << ZTrim(name);
    return *cache.sources.emplace(key, std::move(built)).first->second;
}

} // namespace

TZDataSource &GetDataSource(const QString &name, bool reload)
{
    return fetch(normalCache(), ZTrim(name), reload, false);
}

TZDataSource &GetDataSource_NotRls(const QString &name, bool reload)
{
    return fetch(notRlsCache(), name, reload, true);
}

void FreeDataSource()
{
    normalCache().sources.clear();
    normalCache().order.clear();
    notRlsCache().sources.clear();
    notRlsCache().order.clear();
}

void InitSysIDAndProgID()
{
    for (const QString &name : TDBSources().GetDBSourceList())
        GetDataSource(name);
}

bool IsExistProgID(const QString &name)
{
    return normalCache().sources.count(ZTrim(name).toCaseFolded()) > 0;
}

QStringList RegisteredProgIDs()
{
    return normalCache().order;
}

namespace {

const TZDataSource *sourceOfFlag(int flag)
{
    for (const auto &[key, source] : normalCache().sources) {
        for (int i = 0; i < 3 && i < source->DatasetCount(); ++i) {
            const auto &dataset = source->Datasets.at(std::size_t(i));
            if (!dataset->Tables.empty() && dataset->Tables.front()->Flag == flag)
                return source.get();
        }
    }
    throw EZError(QStringLiteral("找不到旗标为 %1 的资源定义！").arg(flag));
}

} // namespace

QString GetProgIDByFlag(int flag)
{
    return sourceOfFlag(flag)->Name;
}

QString GetProgNameByFlag(int flag)
{
    return sourceOfFlag(flag)->DisplayName;
}

QString GetNameByID(const QString &dsName, const QString &id)
{
    return GetDataSource(dsName).GetNameByID(id);
}

QString GetIDByName(const QString &dsName, const QString &name)
{
    return GetDataSource(dsName).GetIDByName(name);
}

QString DBSourceSelectSql(const QString &dsName, const QString &selectList, const QString &key)
{
    return QStringLiteral(" Select ") + selectList + QStringLiteral(" From (")
           + GetDataSource(dsName).GetOneBillSQL(0, key, true) + QStringLiteral(" ) As Z");
}
