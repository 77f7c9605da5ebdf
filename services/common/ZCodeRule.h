#pragma once

#include <QString>

/// How a module numbers new keys.
enum TCodeRule {
    vtMaxID,    ///< next number after the greatest existing key
    vtDateCode, ///< date prefix plus a running number
    vtEmpty     ///< no automatic key
};

/// "vtMaxID" or "0" → vtMaxID, "vtDateCode" or "1" → vtDateCode, "vtEmpty" or
/// "2" → vtEmpty (names ignoring case); anything else → vtMaxID.
TCodeRule GetCodeRule(const QString &text);
