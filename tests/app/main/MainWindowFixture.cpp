#include "MainWindowFixture.h"

#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "forms/TfrmZForm.h"
#include "forms/ZMessageBox.h"
#include "main/TfrmMOXMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

void MainWindowFixture::SetUp()
{
    TDataFileTest::SetUp();
    for (const char *folder : {"DBSource", "RptSql", "Report"})
        copyShipped(QLatin1String(folder));
    copyPackages();
    // Data files made from this template are current: no database update.
    ZMarkDataFileCurrent(path(QStringLiteral("DBAcs.orv")));
    SetZBoxAnswerer([this](QDialog &box) {
        captions << box.windowTitle();
        const auto *text = box.findChild<QLabel *>(s("lblText"));
        const auto *prompt = box.findChild<QLabel *>(s("lblPrompt"));
        texts << (text ? text->text() : prompt ? prompt->text() : QString());
        if (auto *edit = box.findChild<QLineEdit *>(s("edtValue"))) {
            masked << (edit->echoMode() == QLineEdit::Password);
            if (!inputs.isEmpty())
                edit->setText(inputs.takeFirst());
        }
        if (!shotName.isEmpty())
            ZSaveScreenshot(box, std::exchange(shotName, QString()));
        const QString button = answers.isEmpty() ? s("btnOK") : answers.takeFirst();
        if (auto *pressed = box.findChild<QPushButton *>(button))
            pressed->click();
        else
            box.reject();
    });
}

void MainWindowFixture::TearDown()
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form != window.get() && !form->Closed())
            form->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetZBoxAnswerer(nullptr);
    SetZFileDialogAnswerer(nullptr);
    TDataFileTest::TearDown();
}

TfrmMOXMain &MainWindowFixture::showWindow(int fileNo)
{
    if (DBConn().DataFileNo != fileNo)
        DBConn().ChangeAccessFile(fileNo);
    window = std::make_unique<TfrmMOXMain>();
    window->show();
    QCoreApplication::sendPostedEvents();
    return *window;
}
