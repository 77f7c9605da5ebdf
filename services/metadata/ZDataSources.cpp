#include "ZDataSources.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "data/ZFreeAllSource.h"
#include "data/ZTableDefs.h"
#include "metadata/TDBSources.h"
#include "metadata/TDBTables.h"
#include "metadata/TZDataSource.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Caches sorted by name ignoring case; the names keep their first spelling.
struct Cache
{
    std::map<QString, std::shared_ptr<TZDataSource>> sources; // case-folded name → source
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

struct ReloadListeners
{
    std::vector<std::pair<int, std::function<void(const QString &, bool)>>> list;
    int next = 1;
};

ReloadListeners &reloadListeners()
{
    static ReloadListeners listeners;
    return listeners;
}

void tellReloaded(const QString &name, bool notRls)
{
    // A listener may add or remove listeners: walk the tokens of the moment
    // and look each one up again before calling it.
    auto &list = reloadListeners().list;
    std::vector<int> tokens;
    tokens.reserve(list.size());
    for (const auto &entry : list)
        tokens.push_back(entry.first);
    for (const int token : tokens) {
        const auto found =
            std::find_if(list.begin(), list.end(), [token](const auto &entry) { return entry.first == token; });
        if (found == list.end())
            continue;
        const auto listener = found->second; // a copy: the listener may remove itself
        listener(name, notRls);
    }
}

std::shared_ptr<TZDataSource> fetch(Cache &cache, const QString &name, bool reload, bool notRls)
{
    registerWithFreeAllSource();
    const QString key = name.toCaseFolded();
    auto found = cache.sources.find(key);
    if (found != cache.sources.end() && !reload)
        return found->second;
    auto built = std::make_shared<TZDataSource>(name, notRls); // may raise: the cache keeps what it had
    found = cache.sources.find(key); // looked up again: the build may have added entries
    if (found == cache.sources.end()) {
        cache.order << ZTrim(name);
        cache.sources.emplace(key, built);
        return built;
    }
    // The replaced source lives on for its holders, and at least until the
    // listeners were told.
    const std::shared_ptr<TZDataSource> previous = std::exchange(found->second, built);
    tellReloaded(built->Name, notRls);
    return built;
}

} // namespace

TDataSourceReloadListener::TDataSourceReloadListener(std::function<void(const QString &name, bool notRls)> onReloaded)
    : m_token(reloadListeners().next++)
{
    reloadListeners().list.emplace_back(m_token, std::move(onReloaded));
}

TDataSourceReloadListener::~TDataSourceReloadListener()
{
    auto &list = reloadListeners().list;
    list.erase(std::remove_if(list.begin(), list.end(), [this](const auto &entry) { return entry.first == m_token; }),
               list.end());
}

std::shared_ptr<TZDataSource> GetDataSourcePtr(const QString &name, bool reload)
{
    return fetch(normalCache(), ZTrim(name), reload, false);
}

TZDataSource &GetDataSource(const QString &name, bool reload)
{
    return *GetDataSourcePtr(name, reload);
}

std::shared_ptr<TZDataSource> GetDataSourcePtr_NotRls(const QString &name, bool reload)
{
    return fetch(notRlsCache(), name, reload, true);
}

TZDataSource &GetDataSource_NotRls(const QString &name, bool reload)
{
    return *GetDataSourcePtr_NotRls(name, reload);
}

void FreeDataSource()
{
    // Taken out first: the sources are freed after both caches are empty.
    auto normal = std::exchange(normalCache().sources, {});
    auto notRls = std::exchange(notRlsCache().sources, {});
    normalCache().order.clear();
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
