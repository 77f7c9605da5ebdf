#pragma once

#include "forms/TfrmZForm.h"
#include "remind/TZRemindStore.h"

#include <QPoint>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

/// The small window of one due timed reminder ("提醒窗口"): when it opened,
/// the title, the content (or the title when there is none), and the choice
/// between "知道了" (done: the reminder leaves the snooze list) and "延迟"
/// (put off by 1 to 120 minutes: one snooze entry per reminder). It stands
/// in front of the other windows without taking the keyboard, and is moved
/// by dragging any of its panels. One window per reminder; several may be
/// open at once.
class TfrmRemindPiece final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmRemindPiece(const TZRemindKey &key, const QString &fallbackTitle = QString(),
                             QWidget *parent = nullptr);
    ~TfrmRemindPiece() override;

    const TZRemindKey &Key() const { return m_key; }
    QString Title() const { return m_title; }

    QRadioButton *rbKnow = nullptr;
    QRadioButton *rbDelay = nullptr;
    QSpinBox *seDelay = nullptr;
    QPushButton *btnOK = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblTitle = nullptr;
    QPlainTextEdit *memContent = nullptr;

    // Placed by the window itself, not kept per user.
    bool IsGetFormPositionAndSize() override { return false; }
    bool IsAutoSizeAndPos() override { return false; }
    void SaveFormSizeAndPosition() override {}
    bool NeedGridLogCtrl() override { return false; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void load(const QString &fallbackTitle);
    void confirm();
    void placeOnScreen();

    TZRemindKey m_key;
    QString m_title;
    QList<QWidget *> m_dragHandles; ///< the panels and labels that move the window
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_placed = false;
};

/// Shows the window of the reminder `remindID` of kind `flag`, or brings its
/// open window to the front. `fallbackTitle` heads the window when the
/// reminder is no longer in the table.
TfrmRemindPiece *ShowRemindPiece(int flag, const QString &remindID, const QString &fallbackTitle = QString());
