// The reminder behaviour of the main window: for now the indicator stays at
// "提醒(0)" and nothing is polled.
#include "TfrmMOXMain.h"

#include <QMenu>

void TfrmMOXMain::PollReminders() {}

void TfrmMOXMain::BlinkRemind() {}

void TfrmMOXMain::ClickRemindIndicator() {}

int TfrmMOXMain::PendingRemindCount() const
{
    return 0;
}

QMenu *TfrmMOXMain::PendingRemindMenu() const
{
    return pmRemind;
}
