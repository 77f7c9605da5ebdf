// The program entry. For now it fixes the session identity and opens a
// minimal window that shows the program folder and loads the run-time
// packages; start-up, login and the main window build on this.

#include "ZProductInfo.h"

#include "common/ZErrors.h"
#include "common/ZFatal.h"
#include "common/ZFiles.h"
#include "common/ZMainWindow.h"
#include "common/ZSession.h"
#include "common/ZVersion.h"
#include "data/TParamInfo.h"
#include "data/ZFreeAllSource.h"
#include "forms/TZApplication.h"
#include "launcher/ZPackages.h"

#include <QApplication>
#include <QLabel>
#include <QLibrary>
#include <QMainWindow>
#include <QVBoxLayout>

namespace {

QString loadPackages()
{
    QStringList lines;
    for (const QString &package : ZRuntimePackages()) {
        QLibrary library(ZPackageFile(package));
        library.setLoadHints(QLibrary::ExportExternalSymbolsHint);
        QString state;
        if (!library.load())
            state = QStringLiteral("加载失败：") + library.errorString();
        else if (!library.resolve(ZPackageNameSymbol))
            state = QStringLiteral("不是本程序的程序包");
        else
            state = QStringLiteral("已加载");
        lines << package + QStringLiteral("：") + state;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int main(int argc, char *argv[])
{
    TZApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ZProductTitle());
    FWebSite = ZProductWebSite();
    FSYSID = GetSysID();
    FSYSCode = QStringLiteral("ZKVA");
    UserInfo.UserID = QStringLiteral("Admin");
    UserInfo.PersonID = QStringLiteral("Admin");
    FRecordACCESSSql = false;
    FSystemType = stAlone;
    InDevelopmentEnv = false;

    // The first use of the session opens data file 1, creating it from the
    // template when it is missing; a failure there ends the program.
    QString owner;
    try {
        owner = GetParamValue(QStringLiteral("MyName"));
    } catch (const EZAbort &) {
        FreeAllSource();
        return 1;
    } catch (const EZError &e) {
        try {
            ZFatalError(e.message());
        } catch (const EZAbort &) {}
        FreeAllSource();
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(ZProductTitle());
    auto *central = new QWidget(&window);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(new QLabel(GetAppVersion(), central));
    layout->addWidget(new QLabel(QStringLiteral("程序目录：") + GetCurrPath(), central));
    layout->addWidget(new QLabel(QStringLiteral("用户姓名：") + owner, central));
    layout->addWidget(new QLabel(loadPackages(), central));
    layout->addStretch();
    window.setCentralWidget(central);
    window.resize(480, 240);
    SetZMainWindow(&window);
    window.show();
    const int result = QApplication::exec();
    SetZMainWindow(nullptr);
    FreeAllSource();
    return result;
}
