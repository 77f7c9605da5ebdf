#pragma once

#include "forms/TfrmZForm.h"

class QLineEdit;
class QPushButton;

/// "备份数据": backs the open data file up into the folder of the edit
/// (the parameter DBBackPath, else DBBack/ below the program folder) under
/// "ACS<n>_<yyyymmdd>_<hhmmss>.Bak", remembers the folder, and tells where
/// the backup went. Started with the parameter "AutoBackUp" it backs up at
/// once and closes without a message. A failed backup is told as a failure
/// and leaves no backup behind.
class TfrmACCESSBackUp final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmACCESSBackUp(QWidget *parent = nullptr);
    ~TfrmACCESSBackUp() override;

    QLineEdit *edtPath = nullptr;
    QPushButton *btnOK = nullptr;

    /// What OK does; returns the backup's full path.
    QString BackUp();
    /// The backup the last automatic run made; empty while one runs and
    /// after one that failed (so that a caller can refuse to go on).
    static QString LastAutoBackUp();
    bool AutoMode() const { return m_auto; }

    void FormReturnValue(const QString &name, const QString &value) override;
    bool IsAutoSizeAndPos() override { return false; }

protected:
    bool event(QEvent *event) override;

private:
    void chooseFolder();
    void okClicked();

    bool m_auto = false;
};
