#pragma once

#include "metadata/TZTable.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

class TZCustomIniFile;
class TZDataSource;

/// The list periods of list windows.
enum TDataArea { lsToday, lsThisWeek, lsThisMonth, lsThisYear, lsTop50, lsTop100, lsTop500, lsAll };

/// One dataset of a data source (index 0 the master, then the details).
class TZDataset
{
public:
    TZDataset(TZDataSource *owner, const TZCustomIniFile &file, const QString &section, const QString &name,
              const QString &propertys);

    TZDataSource *Owner;
    const TZCustomIniFile &File;
    QString Section;
    QString Name;
    QString DataSourceName;
    QString Propertys;
    bool AllowNotRow = false;
    bool CanDuplicate = false;
    QString CurrIDField;
    int DatasetIndex = 0;
    QString KeyField; ///< the first item of the first table's KeyFields
    std::vector<std::unique_ptr<TZTable>> Tables;
    std::vector<std::unique_ptr<TZField>> RelationFields; ///< a slot stays empty when its source field is missing

    /// The field of that name or alias: tables in order, then the relation
    /// fields; cached once found.
    TZField *GetZField(const QString &name);
    /// The first table of that name, or null.
    TZTable *GetZTable(const QString &name) const;
    QString PropValueByName(const QString &name) const;

    /// "A" for the master dataset, "B" for the first detail, …
    QString Alias() const;

    // --- statements ---
    // Each takes its switches as a value and reads the model only. The forms
    // with `joinRelations` use the default switches otherwise; the Ex forms
    // spell all five switches out.
    QString GetDataSetSQL(const TZSqlSwitches &switches) const;
    QString GetDataSetSQL(bool joinRelations) const;
    QString GetDataSetSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                            bool distinct) const;
    QString GetEmptyBillSQL(const TZSqlSwitches &switches) const;
    QString GetEmptyBillSQL(bool joinRelations) const;
    QString GetEmptyBillSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                              bool distinct) const;
    QString GetOneBillSQL(const QString &key, const TZSqlSwitches &switches);
    QString GetOneBillSQL(const QString &key, bool joinRelations);
    QString GetOneBillSQLEx(const QString &key, bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                            bool distinct);
    QString GetListSql(TDataArea area);
    QString GetFlagWhere() const;
    QString GetMakerIDWhere();

private:
    void buildRelationFields();
    QHash<QString, TZField *> m_cache;
    /// The relation-less data sources the relation fields were copied from:
    /// the copies point into them (owner table, definition file).
    std::vector<std::shared_ptr<TZDataSource>> m_relatedSources;
};
