#pragma once

#include "metadata/TZField.h"

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
    QString CustomerField;   ///< the first field related to comCustomer (set while statements are built)
    QString FactoryField;    ///< … to comFactory
    QString DepartmentField; ///< … to comDepartment

    int FieldCount() const { return int(Fields.size()); }
    /// The first field whose AliasName or FieldName is the name (ignoring case).
    TZField *GetZField(const QString &name) const;
    QString PropValueByName(const QString &name) const;

    /// " And <alias>.Flag = n" (" And Flag = n" without an alias); empty when
    /// Flag is 0.
    QString GetFlagWhere(const QString &alias) const;

    /// The select list and the left joins of the table (see the statements).
    struct SelectAndJoins
    {
        QString selectList;
        QString joins;
    };
    SelectAndJoins GetSelectAndJoinSQL(const QString &alias, bool joinRelations);

    /// One left join clause: " left join <table> <joinAlias> on (<alias>.<field> = <joinAlias>.<key>[ And
    /// <joinAlias>.Flag = n])".
    static QString GetLeftJoinStr(const QString &table, const QString &joinAlias, const QString &alias,
                                  const QString &field, const QString &key, int flag);
};
