#include "ZFatal.h"
#include "common/ZAppTitle.h"

#include "common/ZErrors.h"
#include "common/ZDialogOwner.h"

#include <QApplication>
#include <QMessageBox>

namespace {

TZFatalHandler &handler()
{
    static TZFatalHandler installed;
    return installed;
}

void defaultHandler(const QString &text)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox box(QMessageBox::Critical, ZApplicationTitle(), text, QMessageBox::Ok);
        ZPlaceDialog(&box);
        box.exec();
    } else {
        qCritical("%s", qPrintable(text));
    }
    QCoreApplication::exit(1);
}

} // namespace

void ZFatalError(const QString &text)
{
    if (handler())
        handler()(text);
    else
        defaultHandler(text);
    throw EZAbort();
}

void SetZFatalHandler(TZFatalHandler newHandler)
{
    handler() = std::move(newHandler);
}
