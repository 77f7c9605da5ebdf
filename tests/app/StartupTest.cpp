// The start-up sequence run as a person meets it: the login dialog appears,
// is answered, and the main window opens on the chosen data file; Exit with
// "直接退出" ends the run.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "ZStartup.h"
#include "data/TDBConn.h"
#include "forms/ZMessageBox.h"
#include "login/TfrmLoading.h"
#include "login/TfrmMoxLogin.h"
#include "main/TfrmMOXMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Startup : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyPackages();
        // Data files made from this template are current: no database update.
        ZMarkDataFileCurrent(path(QStringLiteral("DBAcs.orv")));
    }

    /// Runs the program, logging in to data file `fileNo` when the dialog
    /// shows, and exiting from the main window once it is up; returns its
    /// caption.
    QString runAndLogIn(int fileNo)
    {
        QString caption;
        bool exiting = false;
        QTimer driver;
        driver.setInterval(10);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            bool startingUp = false;
            for (QWidget *window : QApplication::topLevelWidgets())
                startingUp = startingUp || (window->isVisible() && qobject_cast<TfrmLoading *>(window));
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (!window->isVisible())
                    continue;
                if (auto *loading = qobject_cast<TfrmLoading *>(window)) {
                    ZSaveScreenshot(*loading, s("startup_window"));
                } else if (auto *login = qobject_cast<TfrmMoxLogin *>(window)) {
                    login->findChild<QComboBox *>(s("cbxDataFile"))->setCurrentIndex(fileNo - 1);
                    ZSaveScreenshot(*login, s("startup_login"));
                    login->findChild<QPushButton *>(s("btnLogin"))->click();
                } else if (auto *main = qobject_cast<TfrmMOXMain *>(window)) {
                    caption = main->windowTitle();
                    dataFileSeen = QFile::exists(path(s("DBFiles/DBAcs%1.orv").arg(fileNo)));
                    // Exit, once the start-up window has gone, answering
                    // "直接退出".
                    if (!exiting && !startingUp) {
                        exiting = true;
                        SetZBoxAnswerer([](QDialog &box) {
                            // Any other box (a window left open) fails the test, not the run.
                            if (auto *no = box.findChild<QPushButton *>(s("btnNo")))
                                no->click();
                            else
                                box.reject();
                        });
                        main->findChild<QAction *>(s("actExit"))->trigger();
                    }
                }
            }
        });
        driver.start();
        exitCode = ZRunProgram();
        SetZBoxAnswerer(nullptr);
        return caption;
    }

    int exitCode = -1;
    bool dataFileSeen = false;
};

} // namespace

TEST_F(Startup, LoginOpensTheMainWindowOnTheChosenDataFile)
{
    EXPECT_EQ(runAndLogIn(1), s("个人助理(第1帐套)"));
    EXPECT_TRUE(dataFileSeen);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(Startup, TheFifthDataFileIsMadeWhenChosen)
{
    EXPECT_EQ(runAndLogIn(5), s("个人助理(第5帐套)"));
    EXPECT_TRUE(dataFileSeen);
}
