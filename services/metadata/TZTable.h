#pragma once

#include "metadata/TZField.h"
#include "metadata/TZSqlSwitches.h"

#include <QString>

#include <memory>
#include <vector>

class TZCustomIniFile;
class TZDataset;

/// One table of a dataset of a data source, with its fields in FieldIndex
/// order (the three system fields last unless fields carry higher indexes).
class TZTable
{
public:
    TZTable(TZDataset *owner, const TZCustomIniFile &file, const QString &section, const QString &name,
            const QString &propertys);

    TZDataset *Owner;
    const TZCustomIniFile &File;
    QString Section;
    QString Name;
    QString Propertys;
    int Flag = 0;
    QString KeyFields;
    QString TableWhere;
    std::vector<std::unique_ptr<TZField>> Fields;
    QString CustomerField;   ///< the first field related to comCustomer (set by ResolveRelations)
    QString FactoryField;    ///< … to comFactory
    QString DepartmentField; ///< … to comDepartment

    int FieldCount() const { return int(Fields.size()); }
    /// The first field whose AliasName or FieldName is the name (ignoring case).
    TZField *GetZField(const QString &name) const;
    QString PropValueByName(const QString &name) const;

    /// " And <alias>.Flag = n" (" And Flag = n" without an alias); empty when
    /// Flag is 0.
    QString GetFlagWhere(const QString &alias) const;

    /// Done once when the definition loads, for the first table of each
    /// dataset of a data source with relations, `alias` being the dataset's
    /// alias: sets the JoinAlias of every field with a RelativeDS (alias + its
    /// position), remembers the customer, supplier and department fields, and
    /// checks every RelativeFields item against its related data source,
    /// raising the statement builder's error on a broken one.
    void ResolveRelations(const QString &alias);

    /// The select list and the left joins of the table (see the statements).
    /// Reads the model only.
    struct SelectAndJoins
    {
        QString selectList;
        QString joins;
    };
    SelectAndJoins GetSelectAndJoinSQL(const QString &alias, const TZSqlSwitches &switches) const;

    /// An item of RelativeFields, "SourceField(Alias" or "SourceField".
    struct RelationItem
    {
        QString sourceName;
        QString alias;
    };
    static RelationItem SplitRelationItem(const QString &item);

    /// One left join clause: " left join <table> <joinAlias> on (<alias>.<field> = <joinAlias>.<key>[ And
    /// <joinAlias>.Flag = n])".
    static QString GetLeftJoinStr(const QString &table, const QString &joinAlias, const QString &alias,
                                  const QString &field, const QString &key, int flag);
};
