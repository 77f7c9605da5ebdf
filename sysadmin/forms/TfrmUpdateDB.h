#pragma once

#include "data/ZDBUpdate.h"
#include "forms/TfrmZForm.h"

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The database update window: its options and table list, the message list
/// of the run, "升级" and Cancel. The run itself is TZDBUpdate; the window
/// adds the confirmation, the automatic backup of the data file (the backup
/// window in automatic mode), the busy cursor and Cancel between tables.
///
/// Parameters: "AutoUpdate" shows only the message list, tells
/// "资料库结构更新，点击确认按钮，系统自动升级" and updates every table;
/// "FromCreateDB" with a database name selects every table and that
/// database. A complete run tells "升级完成！" and closes the window; after
/// an error or Cancel it stays open with its messages.
class TfrmUpdateDB final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmUpdateDB(QWidget *parent = nullptr);
    ~TfrmUpdateDB() override;

    QWidget *pnlOptions = nullptr;
    QCheckBox *chkAll = nullptr;
    QCheckBox *chkKeepOld = nullptr;
    QCheckBox *chkBackUp = nullptr;
    QCheckBox *chkResetSync = nullptr;
    QCheckBox *chkUpdateOrg = nullptr;
    QComboBox *cbxDatabase = nullptr;
    QLineEdit *edtOrgCode = nullptr;
    QLineEdit *edtOrgName = nullptr;
    QListWidget *lstTables = nullptr;
    QListWidget *lstMessages = nullptr;
    QPushButton *btnUpdate = nullptr;
    QPushButton *btnCancel = nullptr;

    /// What "升级" does; true when the run was complete.
    bool DoUpdate();
    bool AutoMode() const { return m_auto; }
    bool Running() const { return m_running; }
    /// The tables checked in the list, in its order.
    QStringList SelectedTables() const;

    void FormReturnValue(const QString &name, const QString &value) override;
    bool IsAutoSizeAndPos() override { return false; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadDefinitions();
    void fillTables();
    void addMessage(const QString &text);
    /// Runs a window entry point, listing an error as "错误：" + its text.
    void guarded(const std::function<void()> &body);
    void cancelClicked();

    std::unique_ptr<TZDBUpdate> m_update;
    bool m_auto = false;
    bool m_running = false;
};
