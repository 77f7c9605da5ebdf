#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TZDataSource;

// Ownership. The two caches hold each data source through a shared pointer.
// A reload builds the new one first and then puts it in the cache; the old
// one is freed when its last holder lets go. A reference returned by
// GetDataSource is valid only until the next reload of that name or
// FreeDataSource; whoever may outlive one (the dataset of a window, a field
// editor, a data source whose relation fields are copies of another's) keeps
// the shared pointer of GetDataSourcePtr instead. Every TZDataset, TZTable
// and TZField handed out by a data source stays valid while a shared pointer
// to that data source is held.

/// The data source of a module, built on first use and cached; with `reload`
/// it is built anew and replaces the cached one, and the reload listeners are
/// told. A build that fails raises and leaves the cache as it was.
std::shared_ptr<TZDataSource> GetDataSourcePtr(const QString &name, bool reload = false);
/// The same as a reference, valid until the next reload of the name.
TZDataSource &GetDataSource(const QString &name, bool reload = false);

/// The same with relations switched off (the form used to read a related
/// module), in a cache of its own; the name is not trimmed.
std::shared_ptr<TZDataSource> GetDataSourcePtr_NotRls(const QString &name, bool reload = false);
TZDataSource &GetDataSource_NotRls(const QString &name, bool reload = false);

/// While it lives, `onReloaded(name, notRls)` is called after every reload
/// that replaced a cached data source (`name` trimmed, spelled as the reload
/// asked for it: compare ignoring case; `notRls` for the relation-less
/// cache), after the new one is in the cache, so that windows can read their
/// definitions again. Listeners may add and remove listeners while being
/// told; one that raises stops the telling and the error reaches whoever
/// asked for the reload.
class TDataSourceReloadListener
{
public:
    explicit TDataSourceReloadListener(std::function<void(const QString &name, bool notRls)> onReloaded);
    ~TDataSourceReloadListener();
    TDataSourceReloadListener(const TDataSourceReloadListener &) = delete;
    TDataSourceReloadListener &operator=(const TDataSourceReloadListener &) = delete;

private:
    int m_token;
};

/// Empties both caches; a data source still held elsewhere lives on until
/// its last holder lets go. Nobody is told.
void FreeDataSource();

/// Builds every data source whose definition lies in DBSource/ of the
/// program folder.
void InitSysIDAndProgID();

/// True when the normal cache holds the module.
bool IsExistProgID(const QString &name);

/// The names of the cached modules in the order they were first built.
QStringList RegisteredProgIDs();

/// The module (or its caption) whose first, second or third dataset has a
/// first table of that Flag, walking the cache in name order; raises
/// "找不到旗标为 %d 的资源定义！" when none does.
QString GetProgIDByFlag(int flag);
QString GetProgNameByFlag(int flag);

/// GetDataSource(dsName) followed by the translation of the same name.
QString GetNameByID(const QString &dsName, const QString &id);
QString GetIDByName(const QString &dsName, const QString &name);

/// " Select <list> From (<one-record statement of dataset 0> ) As Z".
QString DBSourceSelectSql(const QString &dsName, const QString &selectList, const QString &key);
