// The start-up sequence of the program: one running copy, the start-up
// window while the session opens data file 1, the login dialog, then the main
// window; a login that is not completed frees everything and ends.

#include "ZStartup.h"

#include "ZProductInfo.h"
#include "ZSingleInstance.h"
#include "login/TfrmLoading.h"
#include "login/TfrmMoxLogin.h"
#include "main/TfrmMOXMain.h"

#include "common/ZAppTitle.h"
#include "common/ZErrors.h"
#include "common/ZFatal.h"
#include "settings/ZRegistry.h"
#include "settings/ZSession.h"
#include "data/TParamInfo.h"
#include "data/ZFreeAllSource.h"
#include "forms/ZMessageBox.h"
#include "forms/ZSkins.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

#include <cstdio>

namespace {

// With ZKVA_BOX_AUTOANSWER set (by the program's own tests), every framework
// box writes its text to the standard error and is answered with its first
// button, so that a started program never waits for a person.
void answerBoxesForTests()
{
    if (!qEnvironmentVariableIsSet("ZKVA_BOX_AUTOANSWER"))
        return;
    SetZBoxAnswerer([](QDialog &box) {
        if (auto *text = box.findChild<QLabel *>(QStringLiteral("lblText")))
            std::fprintf(stderr, "%s\n", text->text().toUtf8().constData());
        const auto buttons = box.findChildren<QPushButton *>();
        if (!buttons.isEmpty())
            buttons.first()->click();
        else
            box.reject();
    });
}

// Qt's own texts (standard buttons, file dialogs) in Chinese, from the
// translations Qt ships; without them installed the texts stay English.
void loadQtTranslations()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

int ZRunProgram()
{
    SetZApplicationTitle(ZProductTitle());
    loadQtTranslations();
    answerBoxesForTests();
    // Fatal errors show in the framework's box, in front of whatever window
    // is up (the start-up window and the login dialog stay on top).
    SetZFatalHandler([](const QString &text) {
        ZMessageBox(ZApplicationTitle(), text, {zbOK});
        QCoreApplication::exit(1);
    });
    FWebSite = ZProductWebSite();
    // The appearance chosen in the main window takes effect at start.
    ZApplySkin(ReadRegKey(QStringLiteral("SkinIndex")).toInt());

    const TZSingleInstance instance(QStringLiteral("ZKVA"));
    if (!instance.Acquired()) {
        ZShowMessage(QStringLiteral("%1已经在运行中!").arg(ZProductTitle()));
        return 0;
    }
    // The identity follows the executable's name; a renamed copy of the
    // program is still this program.
    FSYSID = GetSysID();
    if (FSYSID < 0)
        FSYSID = 1003;
    FSYSCode = QStringLiteral("ZKVA");

    // The start-up window closes (and deletes) itself once the main window
    // exists; whatever remains of it goes when start-up ends another way.
    QPointer<TfrmLoading> loading = new TfrmLoading;
    loading->show();
    QCoreApplication::processEvents();

    UserInfo.UserID = QStringLiteral("Admin");
    UserInfo.PersonID = QStringLiteral("Admin");
    FRecordACCESSSql = false;
    FSystemType = stAlone;
    InDevelopmentEnv = false;

    // The first use of the session opens data file 1, creating it from the
    // template when it is missing; a failure there ends the program.
    try {
        GetParamValue(QStringLiteral("MyName"));
    } catch (const EZAbort &) {
        delete loading;
        FreeAllSource();
        return 1;
    } catch (const EZError &e) {
        delete loading;
        try {
            ZFatalError(e.message());
        } catch (const EZAbort &) {}
        FreeAllSource();
        return 1;
    }

    loading->hide();
    bool loggedIn = false;
    {
        TfrmMoxLogin login;
        loggedIn = login.exec() == QDialog::Accepted;
    }
    if (!loggedIn) {
        delete loading;
        FreeAllSource();
        return 0;
    }
    loading->show();
    QCoreApplication::processEvents();
    int result = 0;
    {
        // The main window loads the packages. The program lives on in the
        // tray while its windows are closed, and ends when the main window
        // closes for good.
        QApplication::setQuitOnLastWindowClosed(false);
        TfrmMOXMain window;
        QObject::connect(&window, &TfrmMOXMain::ProgramEnds, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        window.show();
        result = QApplication::exec();
    }
    delete loading;
    FreeAllSource();
    return result;
}
