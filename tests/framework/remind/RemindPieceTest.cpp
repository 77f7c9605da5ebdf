// The window of a due reminder, driven as the user drives it: what it shows,
// "知道了" and "延迟" with their effect on the snooze list, one window per
// reminder, and the poll leaving a shown reminder alone.

#include "../../services/remind/RemindTestSupport.h"
#include "ZScreenshot.h"

#include "remind/TfrmRemindPiece.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RemindPiece : public TRemindTest
{
protected:
    void TearDown() override
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            delete form;
        TRemindTest::TearDown();
    }

    // Clicks "确定" and lets the closed window go.
    static void confirm(TfrmRemindPiece *piece)
    {
        QPointer<TfrmRemindPiece> alive(piece);
        QTest::mouseClick(piece->btnOK, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull());
    }

    static void mouse(QWidget *target, QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(local), QPointF(target->mapToGlobal(local)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
};

} // namespace

TEST_F(RemindPiece, ShowsTheReminderAndKnowDropsItsSnooze)
{
    addReminder(1, s("R1"), s("项目例会"), 1, s("08:30"), QDate(2027, 1, 1),
                s("RemindContent = '  带上上周的会议纪要和本周计划。\n  '"));
    ZRemindStore().Snooze({1, s("R1")}, s("项目例会"), at(7, 9, 0));
    clock->set(at(7, 8, 30, 12));
    TfrmRemindPiece *piece = ShowRemindPiece(1, s("r1"));
    ASSERT_TRUE(piece->isVisible());
    EXPECT_EQ(piece->windowTitle(), s("提醒窗口"));
    EXPECT_EQ(piece->lblTime->text(), s("2026-12-07 08:30:12"));
    EXPECT_EQ(piece->lblTitle->text(), s("项目例会"));
    EXPECT_EQ(piece->memContent->toPlainText(), s("带上上周的会议纪要和本周计划。"));
    EXPECT_TRUE(piece->rbKnow->isChecked());
    EXPECT_EQ(piece->seDelay->value(), 5);
    EXPECT_EQ(piece->seDelay->minimum(), 1);
    EXPECT_EQ(piece->seDelay->maximum(), 120);
    EXPECT_TRUE(piece->btnOK->isDefault());
    ZSaveScreenshot(*piece, s("remind_piece"));
    confirm(piece);
    EXPECT_TRUE(ZRemindStore().Snoozed().isEmpty());
}

TEST_F(RemindPiece, DelayKeepsOneSnoozeEntryWithTheLaterTime)
{
    addReminder(1, s("R2"), s("交电费"), 1, s("08:00"), QDate(2027, 1, 1));
    clock->set(at(7, 8, 0, 41));
    TfrmRemindPiece *piece = ShowRemindPiece(1, s("R2"));
    // No content: the title is the body.
    EXPECT_EQ(piece->memContent->toPlainText(), s("交电费"));
    // Changing the minutes chooses "延迟".
    QTest::keyClick(piece->seDelay, Qt::Key_Up);
    EXPECT_TRUE(piece->rbDelay->isChecked());
    confirm(piece);
    ASSERT_EQ(ZRemindStore().Snoozed().size(), 1);
    EXPECT_EQ(ZRemindStore().Snoozed().first().Due, at(7, 8, 6));
    EXPECT_EQ(ZRemindStore().Snoozed().first().Title, s("交电费"));

    clock->set(at(7, 8, 6, 3));
    piece = ShowRemindPiece(1, s("R2"));
    piece->seDelay->selectAll();
    QTest::keyClicks(piece->seDelay, s("20"));
    confirm(piece);
    ASSERT_EQ(ZRemindStore().Snoozed().size(), 1);
    EXPECT_EQ(ZRemindStore().Snoozed().first().Due, at(7, 8, 26));
}

TEST_F(RemindPiece, OneWindowPerReminderAndNoListingWhileShown)
{
    addReminder(1, s("0007"), s("备忘"), 1, s("08:30"), QDate(2027, 1, 1));
    addReminder(3, s("0007"), s("今天生日"), 1, s("08:30"), QDate(2027, 1, 1));
    TfrmRemindPiece *memo = ShowRemindPiece(1, s("0007"));
    EXPECT_EQ(ShowRemindPiece(1, s("0007")), memo);
    TfrmRemindPiece *birthday = ShowRemindPiece(3, s("0007"));
    EXPECT_NE(birthday, memo);
    EXPECT_EQ(birthday->lblTitle->text(), s("今天生日"));
    EXPECT_NE(birthday->pos(), memo->pos()); // cascaded
    // Both are shown: neither is listed.
    pollAt(at(7, 8, 30));
    EXPECT_EQ(pending(), s(""));
    confirm(memo);
    ZRemindPoller().Reset();
    pollAt(at(8, 8, 30));
    EXPECT_EQ(pending(), s("备忘"));
}

TEST_F(RemindPiece, DraggedByItsPanels)
{
    addReminder(1, s("R3"), s("拖动"), 1, s("08:30"), QDate(2027, 1, 1));
    TfrmRemindPiece *piece = ShowRemindPiece(1, s("R3"));
    piece->move(100, 100);
    const QPoint start = piece->pos();
    mouse(piece->lblTitle, QEvent::MouseButtonPress, QPoint(4, 4), Qt::LeftButton);
    mouse(piece->lblTitle, QEvent::MouseMove, QPoint(44, 34), Qt::LeftButton);
    mouse(piece->lblTitle, QEvent::MouseButtonRelease, QPoint(44, 34), Qt::NoButton);
    EXPECT_EQ(piece->pos(), start + QPoint(40, 30));
    // The choices still take their clicks.
    QTest::mouseClick(piece->rbDelay, Qt::LeftButton);
    EXPECT_TRUE(piece->rbDelay->isChecked());
}

TEST_F(RemindPiece, ReminderDeletedMeanwhileShowsItsCaption)
{
    TfrmRemindPiece *piece = ShowRemindPiece(1, s("GONE"), s("已删除的提醒"));
    EXPECT_EQ(piece->lblTitle->text(), s("已删除的提醒"));
    EXPECT_EQ(piece->memContent->toPlainText(), s("已删除的提醒"));
    confirm(piece);
}
