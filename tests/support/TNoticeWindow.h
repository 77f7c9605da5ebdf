#pragma once

#include "common/ZWinMessages.h"

#include <QEvent>
#include <QStringList>
#include <QWidget>

/// Stands in for the main window (SetZMainWindow): collects the notices
/// posted to it (message 1925) as "text|colour".
class TNoticeWindow final : public QWidget
{
public:
    QStringList notices;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::Type(ZWM_ADDMSG)) {
            const auto *msg = static_cast<TZMessageEvent *>(e);
            notices << msg->text1() + QLatin1Char('|') + QString::number(msg->param1());
            return true;
        }
        return QWidget::event(e);
    }
};
