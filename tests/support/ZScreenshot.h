#pragma once

#include <QString>

class QWidget;

/// Saves a picture of a shown window as <name>.png in the folder named by
/// ZKVA_SCREENSHOTS (build/screenshots under ctest); nothing when unset.
void ZSaveScreenshot(QWidget &window, const QString &name);
