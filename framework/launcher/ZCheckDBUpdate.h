#pragma once

/// Runs the database update when the open database was last updated by an
/// older program (or never): opens the update window "TfrmUpdateDB" modally
/// in its automatic mode, and returns when it has closed.
void CheckDBUpdate();
