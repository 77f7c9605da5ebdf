#pragma once

#include "record/TfrmMasterDataAuto.h"

class QPushButton;

/// The record window of the password box (module moxPasswordBox). The
/// password is kept as entered but shown masked; "显示密码" shows the
/// record's password in a message box, and is disabled while the window
/// shows no record.
class TfrmPasswordBox : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmPasswordBox(QWidget *parent = nullptr);

    /// "显示密码".
    void ShowPassword();
    QPushButton *ShowPasswordButton() const { return m_showPassword; }

protected:
    void AfterFormInit() override;
    void SetFrmState(int state) override;

private:
    QPushButton *m_showPassword;
};
