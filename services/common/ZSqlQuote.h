#pragma once

#include <QString>

/// The one way a value enters the text of a statement: in single quotes,
/// every single quote inside doubled. O'Brien becomes 'O''Brien'.
QString ZQuotedStr(const QString &value);
