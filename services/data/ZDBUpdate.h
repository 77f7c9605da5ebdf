#pragma once

#include "data/ZTableDefs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

/// The choices of one database update.
struct TZDBUpdateOptions
{
    /// Carry the rows of each rebuilt table over (else tables are recreated
    /// empty).
    bool KeepOldData = true;
    /// Server kind: shrink and back the database up first.
    bool BackUp = true;
    /// Server kind: mark every row of the synchronised tables as held only
    /// by this branch.
    bool ResetSync = false;
    /// Set OrgID of every table that has one (but dssOrg) to the branch code.
    bool UpdateOrgID = false;
    QString OrgCode = QStringLiteral("ZB");
    QString OrgName = QStringLiteral("总部");
};

/// The database update: rebuilds the chosen tables of the session's database
/// from the table definitions, carrying their rows over, then registers the
/// window classes, loads the default rows into a database never updated
/// before, and records the program's version in LastUpdateVersion, which
/// only a complete run writes. Each table is rebuilt in one transaction
/// (RebuildTable), so a failure or a crash leaves every table either as it
/// was or rebuilt.
class TZDBUpdate
{
public:
    TZDBUpdate(QList<TZTableColumnDef> defs, QList<TZIndexDef> indexes);

    /// Each line for the message list.
    std::function<void(const QString &)> OnMessage;
    /// Runs between tables (the window processes its pending events, so
    /// that Cancel can be pressed).
    std::function<void()> OnBetweenTables;
    /// File kinds: backs the data file up before any table is touched.
    std::function<void()> OnBackUp;
    /// Registers the packages' window classes (the after-update step).
    std::function<void()> OnRegisterForms;

    /// The folder of the default-value files (below the program folder).
    QString DefaultValueFolder = QStringLiteral("DefaultValue");

    /// Replaces the definitions (read again after the backup).
    void SetDefinitions(QList<TZTableColumnDef> defs, QList<TZIndexDef> indexes);

    /// Stops the run before its next table.
    void Cancel() { m_cancelled = true; }
    bool Cancelled() const { return m_cancelled; }

    /// Server kind: the branch code must be two letters A-Z, the branch name
    /// given, and every table of the definitions must have a key. Raises
    /// EZError with the system's text.
    void CheckServerOptions(const TZDBUpdateOptions &options) const;

    /// Runs the update of `tables` (in that order). Every line goes to
    /// OnMessage; an error stops the run and its text is the last line.
    /// Returns true when every table was done and LastUpdateVersion written.
    bool Execute(const QStringList &tables, const TZDBUpdateOptions &options);

private:
    bool needsRebuild(const QString &table);
    void tell(const QString &text) const;

    QList<TZTableColumnDef> m_defs;
    QList<TZIndexDef> m_indexes;
    bool m_cancelled = false;
};

/// The after-update step: registers the window classes (`registerForms`)
/// and says so, adds the default rows and parameters of the networked
/// systems (not of this program's system 1003), and reloads the parameter
/// cache.
void AfterUpdateDB(const TZDBUpdateOptions &options, const std::function<void()> &registerForms,
                   const std::function<void(const QString &)> &onMessage);
