#pragma once

#include <QString>
#include <QStringList>

class TZDataSource;

/// The data source of a module, built on first use and cached; with `reload`
/// the cached one is freed and built anew. A build that fails leaves no entry.
TZDataSource &GetDataSource(const QString &name, bool reload = false);

/// The same with relations switched off (the form used to read a related
/// module), in a cache of its own.
TZDataSource &GetDataSource_NotRls(const QString &name, bool reload = false);

/// Frees every cached data source of both caches.
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
