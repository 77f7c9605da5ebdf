#include "ZScreenshot.h"

#include <QDir>
#include <QWidget>

void ZSaveScreenshot(QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZKVA_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
