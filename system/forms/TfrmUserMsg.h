#pragma once

#include "forms/TfrmZForm.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QTimer;

/// The small self-closing window of notices and errors ("提示信息"): texts of
/// one colour collect in it, a new colour starts it afresh, and it closes
/// itself 12 seconds after the last notice unless "保持" is ticked. It
/// stands in front of the window that was active when the notice came.
class TfrmUserMsg : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmUserMsg(QWidget *parent = nullptr);

    /// Appends a notice in a colour (a BGR colour value: 255 red, 16711680 blue).
    void ShowMsg(const QString &text, int colour);
    /// One second of the countdown (what the timer runs).
    void Tick();

    /// The launcher's parameters: the text and the colour as decimal text.
    void FormReturnValue(const QString &name, const QString &value) override;
    bool ShowInTaskBar() override { return true; }

    QString Text() const;
    int Countdown() const { return m_countdown; }
    bool Counting() const;
    QCheckBox *KeepBox() const { return m_keep; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    /// Keeps the window in front of the window the user works in.
    void standInFront();

    QPlainTextEdit *m_text;
    QCheckBox *m_keep;
    QTimer *m_timer;
    int m_colour = 0;
    int m_countdown = 12;
};
