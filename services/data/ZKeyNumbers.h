#pragma once

#include "common/ZCodeRule.h"

#include <QDate>
#include <QString>

/// What key numbering needs to know of a module's data source.
struct TZKeySource
{
    QString ProgID;               ///< the module; its "<ProgID>_CodeRule" parameter holds the date-code rule
    QString MasterKey;            ///< the key column of the master table
    bool HasBranchColumn = false; ///< keys begin with the current branch code
};

/// The next key of a table: empty for vtEmpty; for vtMaxID the key after the
/// greatest existing one (the reserved keys of comCustomer, comPerson and
/// comWareHouse never count; with a branch column only the branch's keys);
/// for vtDateCode the key after the greatest date-coded key of the period.
/// "000001" when the table holds none. `source` may be null.
QString GetFieldNewNo(const QString &table, const QString &field, const TZKeySource *source, const QDate &date,
                      TCodeRule rule, const QString &where = QString());

/// The greatest date-coded key of the period of `date` under the module's
/// rule (default "YYYYMMDD???"), or the zero key of the period (20110621000)
/// when there is none.
QString GetDateCodeMaxValue(const QString &table, const QString &field, const TZKeySource *source, const QDate &date,
                            const QString &where = QString());

/// Adds the missing comUser rows of the system users of comPerson.
void SyncPersonToUser();

/// Puts the administrator into an empty comPerson and creates the missing
/// comUser rows.
void InitUserTable();
