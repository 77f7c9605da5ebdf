#pragma once

#include "forms/TfrmZForm.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTimeEdit;

/// "系统设定": the reminder sound, the time of day of birthday reminders,
/// starting with the desktop session, and the mail settings of e-mail
/// reminders. The parameter "1" opens it on its mail page. "确定" saves
/// everything and re-times the existing birthday-tomorrow reminders.
class TfrmSystemSet final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmSystemSet(QWidget *parent = nullptr);
    ~TfrmSystemSet() override;

    QTabWidget *pgcSettings = nullptr;
    QLineEdit *edtSound = nullptr;
    QTimeEdit *edtBornTime = nullptr;
    QCheckBox *chkAutoRun = nullptr;
    QLineEdit *edtMailHost = nullptr;
    QSpinBox *edtMailPort = nullptr;
    QLineEdit *edtMailUser = nullptr;
    QLineEdit *edtMailPassword = nullptr;
    QLineEdit *edtMailFrom = nullptr;
    QCheckBox *chkBornMail = nullptr;
    QLineEdit *edtBornMail = nullptr;

    /// "选择文件": the chosen sound is stored at once and played once.
    void ChooseSound();
    /// "确定".
    void SaveSettings();

    void FormReturnValue(const QString &name, const QString &value) override;

private:
    void load();
};
