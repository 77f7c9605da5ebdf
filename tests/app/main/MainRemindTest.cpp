// The main window's reminder indicator: the poll fills it, it blinks (label
// and tray icon) while reminders are pending, a click opens the only one or
// drops the list down, and choosing an entry opens its window.
#include "MainWindowFixture.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "data/TDBConn.h"
#include "main/TfrmMOXMain.h"
#include "remind/TfrmRemindPiece.h"
#include "remind/ZRemindPoll.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MainRemind : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        clock = std::make_unique<TTestClock>(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 10)));
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
    }

    static void addDaily(const QString &id, const QString &title)
    {
        DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindType, RemindTime, EndDate) "
                               "values(1, '%1', '%2', 1, '1899-12-30 08:30:00', '2027-01-01 00:00:00')")
                                 .arg(id, title));
    }

    // The window's poll at 08:30:00 of a day of December 2026 (a new run).
    void pollOn(TfrmMOXMain &main, int day)
    {
        ZRemindPoller().Reset();
        clock->set(QDateTime(QDate(2026, 12, day), QTime(8, 30)));
        main.PollReminders();
    }

    static QStringList menuCaptions(const TfrmMOXMain &main)
    {
        QStringList captions;
        for (const QAction *item : main.PendingRemindMenu()->actions())
            captions << item->text();
        return captions;
    }

    static QList<TfrmRemindPiece *> pieces()
    {
        QList<TfrmRemindPiece *> open;
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (auto *piece = qobject_cast<TfrmRemindPiece *>(form); piece && !piece->Closed())
                open << piece;
        }
        return open;
    }

    // Whether the tray icon shows anything at its centre.
    static bool trayIconShows(const TfrmMOXMain &main)
    {
        return main.TrayIcon()->icon().pixmap(32).toImage().pixelColor(16, 16).alpha() > 0;
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        clock.reset();
    }

    std::unique_ptr<TTestClock> clock;
};

} // namespace

TEST_F(MainRemind, PendingRemindersBlinkAndOpenFromTheMenu)
{
    addDaily(s("A1"), s("晨会"));
    addDaily(s("A2"), s("取快递"));
    TfrmMOXMain &main = showWindow();
    EXPECT_EQ(main.RemindIndicator()->text(), s("提醒(0)"));
    EXPECT_FALSE(main.BlinkTimer()->isActive());

    pollOn(main, 7);
    EXPECT_EQ(main.RemindIndicator()->text(), s("提醒(2)"));
    EXPECT_EQ(main.PendingRemindCount(), 2);
    EXPECT_EQ(menuCaptions(main), (QStringList{s("晨会"), s("取快递")}));
    EXPECT_TRUE(main.BlinkTimer()->isActive());
    // The label and the tray icon alternate.
    main.BlinkRemind();
    ZSaveScreenshot(main, s("main_remind_pending"));
    EXPECT_TRUE(main.RemindIndicator()->styleSheet().contains(s("#0000ff")));
    EXPECT_FALSE(trayIconShows(main));
    main.BlinkRemind();
    EXPECT_TRUE(main.RemindIndicator()->styleSheet().isEmpty());
    EXPECT_TRUE(trayIconShows(main));

    // Two pending: the click drops the list down; an entry chosen opens its
    // window and leaves the list.
    main.ClickRemindIndicator();
    EXPECT_TRUE(pieces().isEmpty());
    main.PendingRemindMenu()->close();
    main.PendingRemindMenu()->actions().at(1)->trigger();
    ASSERT_EQ(pieces().size(), 1);
    EXPECT_EQ(pieces().first()->lblTitle->text(), s("取快递"));
    EXPECT_EQ(main.RemindIndicator()->text(), s("提醒(1)"));
    EXPECT_EQ(menuCaptions(main), QStringList{s("晨会")});

    // One pending: the click opens it; nothing is left to blink.
    main.BlinkRemind();
    main.ClickRemindIndicator();
    EXPECT_EQ(pieces().size(), 2);
    EXPECT_EQ(main.RemindIndicator()->text(), s("提醒(0)"));
    EXPECT_FALSE(main.BlinkTimer()->isActive());
    EXPECT_TRUE(main.RemindIndicator()->styleSheet().isEmpty());
    EXPECT_TRUE(trayIconShows(main));
    EXPECT_TRUE(menuCaptions(main).isEmpty());

    // Shown reminders are not listed again the next day.
    pollOn(main, 8);
    EXPECT_EQ(main.RemindIndicator()->text(), s("提醒(0)"));
}
