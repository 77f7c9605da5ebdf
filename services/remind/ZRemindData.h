#pragma once

#include <QString>

class TZDbConnection;

// The statements of data reminders ("提醒精灵"): saved conditions over a
// module's records (comRemindSet), each counting the records that currently
// meet it. The statements are built from the data source cache, so the
// builders run on the user-interface thread; the statements themselves run
// on any connection.

/// The active reminder definitions: the statement of the comRemindSet data
/// source followed by " And A.IsValid <> 0 ".
QString ZRemindSetListSql();

/// True when a condition names detail tables: it contains "B." or "B<n>."
/// for some n from 0 to 99.
bool ZRemindUsesDetail(const QString &where);

/// The records of a module that meet a condition (in the condition words of
/// the condition editor): the module's first dataset statement, with the
/// first detail dataset joined when the condition names detail tables, and
/// the translated condition after it. With the detail joined a master record
/// is listed once however many of its lines match.
QString ZRemindDataSql(const QString &progID, const QString &where);

/// The statement of one reminder definition, read with
/// "Select ProgID, RemindWhere From comRemindSet Where RemindID = %s" on the
/// session's connection; `progID` receives the module. Raises when the
/// definition does not exist.
QString ZRemindDataSqlOf(const QString &remindID, QString *progID = nullptr);
