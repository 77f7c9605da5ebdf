#pragma once

/// The hourglass cursor around long operations. Calls nest: SetCursorBusy
/// raises FCursorBusyCount and shows the busy cursor once; SetCursorFree
/// lowers it (never below 0) and restores the cursor when it reaches 0.
/// Without a GUI application only the count changes.
void SetCursorBusy();
void SetCursorFree();

/// Sets the busy cursor for the lifetime of the object.
class TZBusyCursorScope
{
public:
    TZBusyCursorScope() { SetCursorBusy(); }
    ~TZBusyCursorScope() { SetCursorFree(); }
    TZBusyCursorScope(const TZBusyCursorScope &) = delete;
    TZBusyCursorScope &operator=(const TZBusyCursorScope &) = delete;
};
