#pragma once

struct sqlite3;

/// Texts on the file kinds compare ignoring case for every letter, in
/// expressions as well as on bare columns:
///
/// - the collation NOCASE is replaced on every connection by one that
///   compares case-folded texts (Unicode simple case folding), so 'Émile'
///   equals 'émile'; for texts whose letters are all ASCII it orders and
///   compares exactly as SQLite's own NOCASE, so the schema (columns declared
///   COLLATE NOCASE) stays readable by any SQLite tool;
/// - LIKE matches ignoring case for every letter (% and _ as usual, with an
///   optional ESCAPE character).
///
/// The adapter carries the collation to text literals compared with
/// expressions (ZAdaptSqlForSqlite), where SQLite would otherwise compare
/// with BINARY.
void ZRegisterTextRules(sqlite3 *db);

/// The comparison of the collation: negative, zero or positive as `a`
/// orders before, with or after `b` (UTF-8 texts of the given lengths).
int ZCompareIgnoringCase(const char *a, int lengthA, const char *b, int lengthB);
