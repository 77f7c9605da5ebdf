// The notice window: hints collect, an error starts afresh, every notice
// restarts the countdown, "保持" keeps it open, Esc closes it.
#include "TTempProgramFolder.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "forms/TfrmUserMsg.h"
#include "settings/ZSession.h"

#include <QCheckBox>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class UserMsg : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = new TfrmUserMsg;
        window->show();
    }
    void TearDown() override
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TTempProgramFolder folder;
    QPointer<TfrmUserMsg> window;
};

} // namespace

TEST_F(UserMsg, HintsCollectAndAnErrorStartsAfresh)
{
    window->FormReturnValue(s("已保存"), s("16711680"));
    window->ShowMsg(s("已复核"), 16711680);
    EXPECT_EQ(window->Text(), s("已保存\n已复核"));
    ZSaveScreenshot(*window, s("user_message_hints"));
    window->FormReturnValue(s("语法执行错误！"), s("255"));
    EXPECT_EQ(window->Text(), s("语法执行错误！"));

    FLastExecSql = s("Select * From moxRemind");
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->Text(), s("语法执行错误！\n\n最后执行的Sql语法：\nSelect * From moxRemind"));
    ZSaveScreenshot(*window, s("user_message_error"));
}

TEST_F(UserMsg, StandsInFrontOfTheWindowTheUserWorksIn)
{
    window->close();
    QWidget bill;
    bill.resize(400, 300);
    bill.show();
    bill.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bill));
    auto *notice = new TfrmUserMsg;
    window = notice;
    notice->FormReturnValue(s("不存在[品名编号]:苹果"), s("255"));
    notice->show();
    EXPECT_EQ(notice->parentWidget(), &bill);
    EXPECT_TRUE(notice->isWindow());
    EXPECT_EQ(notice->windowType(), Qt::Dialog);
    ASSERT_TRUE(notice->windowHandle());
    EXPECT_EQ(notice->windowHandle()->transientParent(), bill.windowHandle());
    // A second notice while it is up keeps it with its window.
    notice->FormReturnValue(s("再次"), s("255"));
    EXPECT_EQ(notice->parentWidget(), &bill);
    notice->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(UserMsg, CountsDownAndClosesUnlessKept)
{
    window->ShowMsg(s("提醒"), 16711680);
    EXPECT_TRUE(window->Counting());
    for (int i = 0; i < 5; ++i)
        window->Tick();
    EXPECT_EQ(window->windowTitle(), s("提示信息 (8)"));
    window->ShowMsg(s("再提醒"), 16711680); // a new notice starts again at 12
    EXPECT_EQ(window->Countdown(), 12);

    window->KeepBox()->setChecked(true);
    window->Tick();
    EXPECT_FALSE(window->Counting());
    EXPECT_EQ(window->windowTitle(), s("提示信息"));
    window->KeepBox()->setChecked(false); // unticking starts the countdown again
    EXPECT_TRUE(window->Counting());

    for (int i = 0; i < 12; ++i)
        window->Tick();
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->windowTitle(), s("提示信息 (1)"));
    window->Tick(); // the thirteenth tick shows 0 and closes
    EXPECT_EQ(window->windowTitle(), s("提示信息 (0)"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(UserMsg, EscapeCloses)
{
    window->ShowMsg(s("提醒"), 16711680);
    window->KeepBox()->setChecked(true);
    QTest::keyClick(window, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
