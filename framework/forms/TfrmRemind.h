#pragma once

#include "forms/TfrmZForm.h"

#include <QDateTime>

class QLabel;
class QTimer;

/// The sliding notice of a change to a record: a small top-most window that
/// rises at the right edge of the screen, just above the task bar, in steps
/// of 5 pixels every 5 ms, and closes when its display time is over. Its
/// five labels name the module, the record, what was done, by whom and
/// when. A click opens the record ("F3"), unless the notice is of a deletion
/// (the user text holds "删除").
class TfrmRemind final : public TfrmZForm
{
    Q_OBJECT

public:
    static constexpr int SlideStep = 5;       ///< pixels per step
    static constexpr int SlideInterval = 5;   ///< ms between steps
    static constexpr int ShowTime = 10000;    ///< ms the notice stays once shown

    explicit TfrmRemind(QWidget *parent = nullptr);

    /// Fills the labels and starts the slide. `keyValues` holds the record's
    /// keys separated by ","; `dateValue` is the moment as a number of days
    /// (since 30 December 1899, four decimals, as money texts are written).
    void ShowRemain(const QString &progID, const QString &keyValues, const QString &dateValue,
                    const QString &actionText, const QString &userText);

    const QString &ProgID() const { return m_progID; }
    const QString &ProgName() const { return m_progName; }
    const QString &KeyValues() const { return m_keyValues; }
    const QDateTime &DateValue() const { return m_date; }
    QLabel *Label(int index) const { return m_labels[index]; }

    /// The key a click opens: the key value, or the second of the key
    /// values when they hold a ","; empty when a click opens nothing
    /// (a deletion, no module or no key).
    QString ClickKey() const;
    /// A click: opens the record when ClickKey names one, and closes.
    void Click();

    /// One step of the slide: 5 pixels up, until the window stands on the
    /// available area's bottom edge; then the display timer starts. True
    /// while the window still has to rise.
    bool SlideUp();
    /// The top the window rises to.
    int TargetTop() const;

    bool IsGetFormPositionAndSize() override { return false; }
    bool IsAutoSizeAndPos() override { return false; }
    bool NeedDBConn() override { return false; }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_labels[5];
    QTimer *m_slide;
    QTimer *m_display;
    QString m_progID;
    QString m_progName;
    QString m_keyValues;
    QString m_action;
    QString m_user;
    QDateTime m_date;
};

/// A new notice window, filled and sliding.
TfrmRemind *ShowRemain(const QString &progID, const QString &keyValues, const QString &dateValue,
                       const QString &actionText, const QString &userText);
