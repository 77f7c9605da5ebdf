// The main window for now: its caption names the open data file, its
// commands go through the launcher, and notices open the notice window.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZMainWindow.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/TfrmZForm.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "main/TfrmMOXMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using MainWindow = TDataFileTest;

TEST_F(MainWindow, CaptionCommandsAndNotices)
{
    QStringList messages;
    SetZBoxAnswerer([&messages](QDialog &box) {
        messages << box.findChild<QLabel *>(QStringLiteral("lblText"))->text();
        box.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    copyShipped(s("DBSource"));
    DBConn().ChangeAccessFile(3);
    SaveParamValue(s("MyName"), s("张三"));
    GetParamInfo().UpdateParamInfo();
    {
        TfrmMOXMain window;
        window.show();
        EXPECT_TRUE(window.windowTitle().endsWith(s("(第3帐套)")));
        EXPECT_EQ(window.findChild<QLabel *>(s("lblGreeting"))->text(), s("张三,欢迎您！"));
        ZSaveScreenshot(window, s("main_window_standin"));

        // The system package holds the list and notice windows.
        QFile::copy(s(ZKVA_PROGRAM_DIR "/dpkZSys.so"), path(s("dpkZSys.so")));
        if (!FormClassCtrl().BplIsLoad(s("dpkZSys.so")))
            FormClassCtrl().LoadBpl(s("dpkZSys.so"));

        // A module command opens the module's list.
        window.RunCommand(1);
        QWidget *diaries = GetIsExistForm(s("TfrmListFormPub"));
        ASSERT_NE(diaries, nullptr);
        EXPECT_EQ(diaries->windowTitle(), s("写日记【清单】"));
        EXPECT_TRUE(messages.isEmpty());
        // Adding goes to the diary's own window, which is not built yet: the
        // launcher says so.
        diaries->findChild<QAction *>(s("actAdd"))->trigger();
        EXPECT_EQ(messages, QStringList({s("找不到TfrmMoxDiary窗体类所在的程序包，请先注册程序包！")}));

        // A notice opens the notice window of the system package.
        PostMsgToMainWindow(s("已保存"), 16711680);
        QCoreApplication::sendPostedEvents(&window);
        QWidget *notice = GetIsExistForm(s("TfrmUserMsg"));
        ASSERT_NE(notice, nullptr);
        EXPECT_EQ(notice->findChild<QPlainTextEdit *>()->toPlainText(), s("已保存"));
        notice->close();

        // Another module gets a list window of its own; opening the first
        // again brings its window back.
        window.RunCommand(2);
        QWidget *targets = nullptr;
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (form != diaries && form->inherits("TfrmListFormPub"))
                targets = form;
        }
        ASSERT_NE(targets, nullptr);
        EXPECT_EQ(targets->windowTitle(), s("目标管理【清单】"));
        window.RunCommand(1);
        int lists = 0;
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            lists += form->inherits("TfrmListFormPub") && !form->Closed() ? 1 : 0;
        EXPECT_EQ(lists, 2);
        targets->close();
        diaries->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetZBoxAnswerer(nullptr);
}
