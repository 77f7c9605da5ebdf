// A reminder met as a person meets it, through the program's own start-up:
// log in, the reminder falls due while the main window is up, the indicator
// counts it, a click opens its window, "延迟" by one minute puts it off, and
// a minute later it is due again; "知道了" lets it go. The clock runs from
// moments the test sets, so the run takes seconds, not minutes.
#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "ZStartup.h"
#include "data/TDBConn.h"
#include "forms/TfrmZForm.h"
#include "forms/ZMessageBox.h"
#include "login/TfrmMoxLogin.h"
#include "main/TfrmMOXMain.h"
#include "remind/TZRemindStore.h"
#include "remind/TfrmRemindPiece.h"
#include "remind/ZRemindPoll.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class RemindScenario : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyPackages();
        // Data files made from this template are current: no database update.
        ZMarkDataFileCurrent(path(QStringLiteral("DBAcs.orv")));
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
    }

    void TearDown() override
    {
        SetZBoxAnswerer(nullptr);
        TDataFileTest::TearDown();
    }

    static TfrmMOXMain *mainWindow()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *main = qobject_cast<TfrmMOXMain *>(window); main && main->isVisible())
                return main;
        }
        return nullptr;
    }

    static TfrmRemindPiece *openPiece()
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (auto *piece = qobject_cast<TfrmRemindPiece *>(form); piece && !piece->Closed() && piece->isVisible())
                return piece;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(RemindScenario, AReminderFiresIsPutOffAMinuteAndFiresAgain)
{
    // A memo reminder of 08:30 every day, written to data file 1 before the
    // program starts.
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, RemindType, RemindTime, "
                           "EndDate, IsDisabled) values(1, 'R001', '项目例会', '带上周报', 1, '1899-12-30 08:30:00', "
                           "'2027-12-31 00:00:00', 0)"));
    TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(8, 29, 57)), true);

    // Each step waits for what the person would see, then acts.
    enum TStep { stLogin, stFirstDue, stSnoozed, stSecondDue, stDone, stExit };
    TStep step = stLogin;
    QStringList seen;
    bool exiting = false;
    // Once the indicator counts the reminder, a click opens its window.
    const auto openDue = [&seen](TfrmMOXMain &main) -> TfrmRemindPiece * {
        if (main.RemindIndicator()->text() != s("提醒(1)"))
            return nullptr;
        seen << main.RemindIndicator()->text();
        main.ClickRemindIndicator();
        TfrmRemindPiece *piece = openPiece();
        if (piece)
            seen << piece->lblTitle->text();
        return piece;
    };
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (step == stLogin) {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (auto *login = qobject_cast<TfrmMoxLogin *>(window); login && login->isVisible()) {
                    login->findChild<QComboBox *>(s("cbxDataFile"))->setCurrentIndex(0);
                    login->findChild<QPushButton *>(s("btnLogin"))->click();
                    step = stFirstDue;
                    return;
                }
            }
            return;
        }
        TfrmMOXMain *main = mainWindow();
        if (!main)
            return;
        switch (step) {
        case stFirstDue:
            // At 08:30:00 the indicator counts the reminder; a click opens it.
            if (TfrmRemindPiece *piece = openDue(*main)) {
                ZSaveScreenshot(*piece, s("scenario_remind_piece"));
                piece->seDelay->setValue(1);
                seen << (piece->rbDelay->isChecked() ? s("延迟") : s("知道了"));
                piece->btnOK->click();
                step = stSnoozed;
            }
            return;
        case stSnoozed:
            // Put off to 08:31; the test moves the clock to just before it.
            if (openPiece() || main->RemindIndicator()->text() != s("提醒(0)"))
                return;
            seen << main->RemindIndicator()->text();
            clock.set(QDateTime(QDate(2026, 12, 7), QTime(8, 30, 58)), true);
            step = stSecondDue;
            return;
        case stSecondDue:
            if (TfrmRemindPiece *piece = openDue(*main)) {
                piece->rbKnow->setChecked(true);
                piece->btnOK->click();
                step = stDone;
            }
            return;
        case stDone:
            if (openPiece())
                return;
            seen << main->RemindIndicator()->text();
            step = stExit;
            return;
        case stExit:
            if (!exiting) {
                exiting = true;
                SetZBoxAnswerer([](QDialog &box) { box.findChild<QPushButton *>(s("btnNo"))->click(); });
                main->findChild<QAction *>(s("actExit"))->trigger();
            }
            return;
        case stLogin:
            return;
        }
    });
    driver.start();
    // Should a step never come, the run still ends, with what was seen.
    QTimer::singleShot(60000, [&] {
        if (TfrmMOXMain *main = mainWindow(); main && !exiting) {
            step = stExit;
        }
    });
    const int exitCode = ZRunProgram();

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen, (QStringList{s("提醒(1)"), s("项目例会"), s("延迟"), s("提醒(0)"), s("提醒(1)"), s("项目例会"),
                                 s("提醒(0)")}));
    EXPECT_TRUE(ZRemindStore().Snoozed().isEmpty());
}
