#pragma once

#include <QString>

/// Rewrites a query for the file kinds: from the second "left join" on, a ")"
/// is put before each; when there were n ≥ 2, the "from" that the first join
/// belongs to (the last word "from" before it at the same parenthesis depth,
/// so a sub-select's joins nest inside the sub-select) becomes "from"
/// followed by n − 1 "("; every "GetDate()" becomes "Date()" (all ignoring
/// case). So select … from A left join B on … left join C on … becomes
/// select … from(A left join B on … )left join C on ….
QString TranToAccessSQL(const QString &sql);
