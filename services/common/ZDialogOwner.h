#pragma once

class QWidget;

/// The window a new box or dialog belongs to: the modal dialog running now,
/// else the active window, else the front-most visible window of the program
/// (a window that stays on top first); null when none is shown.
QWidget *ZDialogOwner();

/// Places a box or dialog in front of and centred on `owner` (ZDialogOwner()
/// when null): it becomes a transient window of the owner, and stays on top
/// whenever its owner does, so a top-most window never covers the program's
/// own boxes. A dialog without an owner (no window of the program is up)
/// stays on top, so other programs' windows never hide it. Call before
/// showing it.
void ZPlaceDialog(QWidget *dialog, QWidget *owner = nullptr);
