#pragma once

#include <QEvent>
#include <QString>

// Messages between the framework's windows. Each is a QEvent of its own type
// with the message's number; "sent" messages are delivered at once with
// QCoreApplication::sendEvent, "posted" ones queued with postEvent. Texts
// travel inside the event, so the sender never has to keep them alive.

constexpr int ZWM_ADDMSG = 1925;          ///< a text and a colour to show to the user (to the main window)
constexpr int ZWM_FORMRETURNVALUE = 1926; ///< a name and a value returned to the parent window
constexpr int ZWM_PARENTHANDLE = 1928;    ///< the opener of a window
constexpr int ZWM_TRAYICON = 1934;        ///< notification-area icon
constexpr int ZWM_ENTERTONEXT =
    1936; ///< Enter-to-next switch (to a window); immediate reminder poll (to the main window)
constexpr int ZWM_FORMDESTROYED = 1937; ///< a window was destroyed (to the main window)
constexpr int ZWM_SELECTID = 1939;      ///< open the record-selection window
constexpr int ZWM_RELOADLIST = 1940;    ///< reload a list keeping the current row
constexpr int ZWM_RELOADBGIMAGE = 1942; ///< reload the background picture
constexpr int ZWM_REMINDDATACOUNT = 1943; ///< the number of records data reminders find (first parameter)
constexpr int ZWM_REMINDINTERVAL = 1944;  ///< the interval of the data reminder check changed (to the main window)

/// Colours of ZWM_ADDMSG texts.
constexpr int ZMSG_COLOR_ERROR = 255;     ///< red: an error
constexpr int ZMSG_COLOR_HINT = 16711680; ///< blue: a hint

/// A framework message: its number, up to two texts and two integers.
class TZMessageEvent final : public QEvent
{
public:
    TZMessageEvent(int message, QString text1 = QString(), QString text2 = QString(), qint64 param1 = 0,
                   qint64 param2 = 0);

    int message() const { return int(type()); }
    const QString &text1() const { return m_text1; }
    const QString &text2() const { return m_text2; }
    qint64 param1() const { return m_param1; }
    qint64 param2() const { return m_param2; }

private:
    QString m_text1;
    QString m_text2;
    qint64 m_param1;
    qint64 m_param2;
};
