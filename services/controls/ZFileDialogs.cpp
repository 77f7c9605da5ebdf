#include "ZFileDialogs.h"

#include "common/ZDialogOwner.h"
#include "common/ZFiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

TZFileDialogAnswerer &answerer()
{
    static TZFileDialogAnswerer installed;
    return installed;
}

bool runDialog(bool save, const QString &filter, QString &fileName, QWidget *owner, bool confirmOverwrite = true)
{
    if (answerer()) {
        const QString answer = answerer()(save, filter, fileName);
        if (answer.isEmpty())
            return false;
        fileName = answer;
        return true;
    }
    QString initial = ZNormalizePath(fileName);
    if (initial.contains(QLatin1Char('*')))
        initial = QFileInfo(initial).absolutePath();
    QWidget *parent = owner ? owner->window() : ZDialogOwner();
    const QFileDialog::Options options = confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString chosen =
        save ? QFileDialog::getSaveFileName(parent, QString(), initial, ZQtFileFilter(filter), nullptr, options)
             : QFileDialog::getOpenFileName(parent, QString(), initial, ZQtFileFilter(filter));
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

} // namespace

QString ZQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts.at(i + 1);
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already shows its masks ("EXCEL(*.xlsx)") is
        // not given them twice; the dialog reads the masks from it.
        const QString description = parts.at(i).trimmed();
        if (description.endsWith(QLatin1Char('(') + masks + QLatin1Char(')')))
            filters << description;
        else
            filters << parts.at(i) + QStringLiteral(" (") + masks + QLatin1Char(')');
    }
    if (parts.size() % 2 == 1 && !parts.constLast().isEmpty())
        filters << parts.constLast();
    return filters.join(QStringLiteral(";;"));
}

bool zOpenDialog(const QString &filter, QString &fileName, QWidget *owner)
{
    return runDialog(false, filter, fileName, owner);
}

bool zSaveDialog(const QString &filter, QString &fileName, QWidget *owner, bool confirmOverwrite)
{
    return runDialog(true, filter, fileName, owner, confirmOverwrite);
}

void SetZFileDialogAnswerer(TZFileDialogAnswerer newAnswerer)
{
    answerer() = std::move(newAnswerer);
}
