#pragma once

#include <QString>

#include <functional>

class QWidget;

// File dialogs of the framework. Filters are written as pairs of a caption
// and a mask joined by "|": "帐套备份文件(*.bak)|*.bak|所有类型(*.*)|*.*".

/// Asks for a file to open. `fileName` is the initial name on entry (it may
/// hold a mask such as "<folder>/DBBack/*.bak") and the chosen file on exit.
/// Returns false when the user cancels. The dialog belongs to `owner`, or
/// to the window a dialog belongs to now (ZDialogOwner) when null.
bool zOpenDialog(const QString &filter, QString &fileName, QWidget *owner = nullptr);

/// Asks for a file to save, the same way. Without `confirmOverwrite` the
/// dialog does not ask about an existing file (the caller asks itself).
bool zSaveDialog(const QString &filter, QString &fileName, QWidget *owner = nullptr, bool confirmOverwrite = true);

/// The Qt form of a filter: "帐套备份文件(*.bak) (*.bak);;所有类型(*.*) (*.*)".
QString ZQtFileFilter(const QString &filter);

/// Answers the file dialogs instead of a person (for tests): when set, no
/// dialog opens and the answer is the chosen file, or "" to cancel.
using TZFileDialogAnswerer = std::function<QString(bool save, const QString &filter, const QString &initialName)>;
void SetZFileDialogAnswerer(TZFileDialogAnswerer answerer);
