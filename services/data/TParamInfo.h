#pragma once

#include <QHash>
#include <QList>
#include <QString>

/// A system parameter as cached: name and value, both trimmed when loaded.
struct TParamItem
{
    QString ParamName;
    QString ParamValue;
};

/// The cache of the short parameters (comParams) of the open data file.
/// Names are looked up ignoring case; the first row of a name wins.
class TParamInfo
{
public:
    /// Empties the cache and reloads it from comParams, creating the table
    /// (with its key) when the data file has none.
    void UpdateParamInfo();

    /// The cached item, or null.
    const TParamItem *GetParamItem(const QString &name) const;

    /// Sets the cached value of a name that is cached (saving does this).
    void SetCachedValue(const QString &name, const QString &value);

private:
    QList<TParamItem> m_items;
    QHash<QString, int> m_byName;  // case-folded name → item
    QHash<QString, int> m_byExact; // the name as stored → item (no folding needed)
};

/// The parameter cache, created (and loaded) on first use.
TParamInfo &GetParamInfo();
void FreeParamInfo();

/// The value of a parameter: short ones from the cache (the default when the
/// name is not cached or its value is empty), long ones (`isLong`) from
/// comParamsEx each time (the default when the table or the value is missing).
QString GetParamValue(const QString &name, const QString &defaultValue = QString(), bool isLong = false);

/// Writes a parameter to comParams (or comParamsEx when `isLong`) at once:
/// the row of the name is updated or appended; a cached name takes the new
/// value; a new name is picked up at the next reload. Nothing happens when
/// the table is missing.
void SaveParamValue(const QString &name, const QString &value, bool isLong = false);

QString GetLongParamValue(const QString &name, const QString &defaultValue = QString());
void SaveLongParamValue(const QString &name, const QString &value);

/// The current branch code: the parameter CurrOrgID.
QString GetCurrOrgID();
QString GetCurrOrgCode();

/// Builds the one-row table comParamsColumns for report printing: the print
/// date, its year, month and day, and one column per parameter.
void TransParamTable();
