// The reminder behaviour of the main window: the poll on every tick, the
// pending indicator "提醒(%d)" with its menu, its blink (label and tray
// icon) and its click, and the sound of a poll that found something.
#include "TfrmMOXMain.h"

#include "ZMainLook.h"
#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "media/TZPlayMusicCtrl.h"
#include "remind/TfrmRemindPiece.h"
#include "remind/ZRemindPoll.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

namespace {

// The label's blue phase: blue on a light pill, so that it shows on the
// coloured header too. The normal phase is the label's own look.
const char *const kBlueLabel = "color: #0000ff; background: #ffffff;";

// The pending list's menu holds the list (checked by key and caption).
bool menuMatches(const QMenu &menu, const QList<TZPendingRemind> &pending)
{
    const QList<QAction *> items = menu.actions();
    if (items.size() != pending.size())
        return false;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i)->data().toString() != pending.at(i).Key.Normalized()
            || items.at(i)->text() != pending.at(i).Caption)
            return false;
    }
    return true;
}

// The tray icon's dark phase.
QIcon blankIcon()
{
    QPixmap blank(32, 32);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

void stopBlinking(TfrmMOXMain &main)
{
    // Nothing to undo (the usual case on every tick): the tray icon is not
    // sent again.
    if (!main.BlinkTimer()->isActive() && !main.RemindIndicator()->property("blinkOn").toBool())
        return;
    main.BlinkTimer()->stop();
    main.RemindIndicator()->setStyleSheet(QString());
    main.RemindIndicator()->setProperty("blinkOn", false);
    if (QSystemTrayIcon *tray = main.TrayIcon())
        tray->setIcon(ZProgramIcon());
}

// Opens the window of a pending reminder, which then leaves the pending list
// (the poll sees it shown, not pending); a window that cannot be opened
// leaves the reminder pending.
void openPending(TZPendingRemind entry)
{
    ShowRemindPiece(entry.Key.Flag, entry.Key.RemindID, entry.Caption);
    ZRemindStore().TakePending(entry.Key);
}

// Brings the count, the menu and the blinking in line with the pending
// list.
void refreshIndicator(TfrmMOXMain &main, QMenu &menu)
{
    const QList<TZPendingRemind> &pending = ZRemindStore().Pending();
    main.RemindIndicator()->setText(QStringLiteral("提醒(%1)").arg(pending.size()));
    if (!menuMatches(menu, pending)) {
        // Let go later: the item chosen may be the one running this.
        for (QAction *old : menu.actions()) {
            menu.removeAction(old);
            old->deleteLater();
        }
        for (const TZPendingRemind &entry : pending) {
            QAction *item = menu.addAction(entry.Caption);
            item->setData(entry.Key.Normalized());
            QObject::connect(item, &QAction::triggered, &main,
                             [main = QPointer<TfrmMOXMain>(&main), menu = QPointer<QMenu>(&menu), entry] {
                                 ZGuard([&] {
                                     openPending(entry);
                                     if (main && menu)
                                         refreshIndicator(*main, *menu);
                                 });
                             });
        }
    }
    if (pending.isEmpty())
        stopBlinking(main);
    else if (!main.BlinkTimer()->isActive())
        main.BlinkTimer()->start();
}

} // namespace

void TfrmMOXMain::PollReminders()
{
    const TZRemindPollResult polled = ZPollReminders();
    if (!polled.SoundFile.isEmpty())
        ZMusicPlayer().PlayOneTime(this, polled.SoundFile);
    refreshIndicator(*this, *pmRemind);
    if (!polled.Error.isEmpty())
        throw EZError(polled.Error);
}

void TfrmMOXMain::BlinkRemind()
{
    if (ZRemindStore().PendingCount() == 0) {
        stopBlinking(*this);
        return;
    }
    const bool blue = !lblRemind->property("blinkOn").toBool();
    lblRemind->setProperty("blinkOn", blue);
    lblRemind->setStyleSheet(blue ? QLatin1String(kBlueLabel) : QString());
    if (m_tray)
        m_tray->setIcon(blue ? blankIcon() : ZProgramIcon());
}

void TfrmMOXMain::ClickRemindIndicator()
{
    refreshIndicator(*this, *pmRemind);
    const QList<TZPendingRemind> &pending = ZRemindStore().Pending();
    if (pending.size() == 1) {
        openPending(pending.first()); // a copy: the entry leaves the list
        refreshIndicator(*this, *pmRemind);
    } else if (pending.size() > 1) {
        pmRemind->popup(QCursor::pos());
    }
}

int TfrmMOXMain::PendingRemindCount() const
{
    return ZRemindStore().PendingCount();
}

QMenu *TfrmMOXMain::PendingRemindMenu() const
{
    return pmRemind;
}
