#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

/// Money on the file kinds is a four-decimal fixed-point value kept in a REAL
/// column (declared Money). Two rules keep it exact in the engine:
///
/// - every value written to a money column is stored rounded to four
///   decimals, by an AFTER INSERT and an AFTER UPDATE trigger per money
///   column, which the adapter adds to every CREATE TABLE and ALTER TABLE …
///   ADD of a money column (so the template built from the definitions and
///   tables created later carry them);
/// - Sum() adds four-decimal values as scaled 64-bit integers, so a sum of
///   many small amounts has no binary residue.

/// The statements (each ending with ";") that (re)create the two triggers of
/// a money column; they can be run again.
QString ZMoneyTriggersSql(const QString &table, const QString &column);

/// Whether a declared column type is money ("Money", "Currency", "[money]").
bool ZIsMoneyDeclaredType(const QString &declared);

/// Replaces the engine's sum (as aggregate and window function): integers
/// only give an integer (as before), no value gives null, and values that are
/// all four-decimal amounts are added exactly; other real values are added
/// as doubles.
void ZRegisterMoneySum(sqlite3 *db);
