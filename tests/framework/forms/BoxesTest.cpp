// The framework's message and input boxes, shown for real and answered the
// way a person would: by clicking, typing or closing the window.
#include "TTempProgramFolder.h"
#include "TestText.h"
#include "ZScreenshot.h"
#include "common/ZAppTitle.h"
#include "common/ZQuestionBox.h"

#include "forms/TfrmZForm.h"
#include "forms/ZInputBox.h"
#include "forms/ZMessageBox.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Boxes : public ::testing::Test
{
protected:
    void TearDown() override { SetZBoxAnswerer(nullptr); }

    /// Answers the next box with `act`, after noting its buttons left to right.
    void answer(std::function<void(QDialog &)> act)
    {
        SetZBoxAnswerer([this, act](QDialog &box) {
            auto buttons = box.findChildren<QPushButton *>();
            std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
            shown.clear();
            gaps.clear();
            for (int i = 0; i < buttons.size(); ++i) {
                shown << buttons.at(i)->objectName() + QLatin1Char('=') + buttons.at(i)->text();
                if (i > 0)
                    gaps << buttons.at(i)->x() - buttons.at(i - 1)->geometry().right() - 1;
            }
            title = box.windowTitle();
            act(box);
        });
    }

    static void click(QDialog &box, const char *name)
    {
        QTest::mouseClick(box.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
    }

    QStringList shown;
    QList<int> gaps;
    QString title;
};

} // namespace

TEST_F(Boxes, ButtonsStandInTheirOrderWithTheGivenCaptions)
{
    answer([](QDialog &box) {
        ZSaveScreenshot(box, s("message_box_exit"));
        click(box, "btnYes");
    });
    EXPECT_EQ(ZMessageBox(s("掌上助理"), s("退出后所有的事项均无法自动提醒，您确认要退出吗？"),
                          {zbCancel, zbNo, zbYes, zbOK}, s("最小化到托盘,备份后退出,直接退出,返回")),
              zbYes);
    EXPECT_EQ(shown,
              QStringList({s("btnOK=最小化到托盘"), s("btnYes=备份后退出"), s("btnNo=直接退出"), s("btnCancel=返回")}));
    EXPECT_EQ(gaps, QList<int>({4, 4, 4}));
    EXPECT_EQ(title, s("掌上助理"));

    // Yes and No captioned A and B; closing from the title bar is Cancel.
    answer([](QDialog &box) { box.close(); });
    EXPECT_EQ(ZMessageBox(s("问"), s("继续？"), {zbYes, zbNo}, s("A,B")), zbCancel);
    EXPECT_EQ(shown, QStringList({s("btnYes=A"), s("btnNo=B")}));

    // Missing or empty caption items keep the standard ones; Escape is Cancel.
    answer([](QDialog &box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(ZMessageBox(s("问"), s("保存？"), {zbYes, zbNo, zbCancel}, s(",不保存")), zbCancel);
    EXPECT_EQ(shown, QStringList({s("btnYes=是"), s("btnNo=不保存"), s("btnCancel=取消")}));

    answer([](QDialog &box) { click(box, "btnOK"); });
    ZShowMessage(s("密码已设置成功!"));
    EXPECT_EQ(title, s("提示"));
    EXPECT_EQ(shown, QStringList({s("btnOK=确定")}));
}

TEST_F(Boxes, InputBoxTakesTextMasksPasswordsAndCancels)
{
    QString value = s("旧密码");
    answer([](QDialog &box) {
        auto *edit = box.findChild<QLineEdit *>(s("edtValue"));
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->text(), s("旧密码"));
        edit->clear();
        QTest::keyClicks(edit, s("abc"));
        ZSaveScreenshot(box, s("input_box_password"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_TRUE(ZInputQueryNew(s("设置"), s("设置登陆密码"), value, true));
    EXPECT_EQ(value, s("abc"));

    answer([](QDialog &box) {
        box.findChild<QLineEdit *>(s("edtValue"))->setText(s("不要"));
        click(box, "btnCancel");
    });
    EXPECT_FALSE(ZInputQueryNew(QString(), s("请在确认一次密码"), value, true));
    EXPECT_EQ(value, s("abc"));
    EXPECT_EQ(title, ZApplicationTitle());

    answer([](QDialog &box) {
        auto *edit = box.findChild<QLineEdit *>(s("edtValue"));
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(edit->text(), s("select * from moxRemind"));
        click(box, "btnOK");
    });
    ZInputBoxNew(s("语句"), s("最后执行的语句"), s("select * from moxRemind"));
}

// The layers below the windows ask their Yes/No questions in the framework's
// box: only Yes answers yes.
TEST_F(Boxes, QuestionsFromBelowTheWindowsAreAskedInTheFrameworksBox)
{
    answer([](QDialog &box) { click(box, "btnYes"); });
    EXPECT_TRUE(ZAskYesNo(nullptr, s("提示"), s("王五 在数据库中不存在是否保存到数据库中?")));
    EXPECT_EQ(title, s("提示"));
    EXPECT_EQ(shown, QStringList({s("btnYes=是"), s("btnNo=否")}));
    answer([](QDialog &box) { click(box, "btnNo"); });
    EXPECT_FALSE(ZAskYesNo(nullptr, s("提示"), s("?")));
    answer([](QDialog &box) { box.close(); });
    EXPECT_FALSE(ZAskYesNo(nullptr, s("提示"), s("?")));
}

TEST_F(Boxes, ABoxShownAsItsWindowOpensIsCentredWhereTheWindowStands)
{
    TTempProgramFolder folder;
    TfrmZForm window;
    window.resize(500, 600);
    window.show(); // its place comes from the event loop
    QPoint boxCentre;
    answer([&](QDialog &box) {
        boxCentre = box.frameGeometry().center();
        click(box, "btnOK");
    });
    ZShowMessage(s("资料库结构更新，点击确认按钮，系统自动升级"));
    QCoreApplication::processEvents();
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 4);
    EXPECT_LE((boxCentre - window.frameGeometry().center()).manhattanLength(), 4)
        << boxCentre.x() << "," << boxCentre.y();
}
