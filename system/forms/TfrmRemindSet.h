#pragma once

#include "record/TfrmMasterDataAuto.h"

class QPushButton;

/// The record window of data reminder definitions (module comRemindSet,
/// caption "提醒设定"): the generated editors, and two buttons beside the
/// module and the condition. "选择单据" opens the module chooser
/// (TfrmSelectDS), whose answer "SelectDS" is written into ProgID; "条件设定"
/// opens the condition editor on the chosen module ("请先选择单据" without
/// one) and writes the accepted condition into RemindWhere. Both buttons
/// work only while a record is being added, edited or copied. The module
/// shows by its caption.
class TfrmRemindSet final : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmRemindSet(QWidget *parent = nullptr);

    /// "选择单据": the chooser, modal; its answer comes back through
    /// FormReturnValue.
    void SelectDataSource();
    /// "条件设定".
    void SetCondition();

    void FormReturnValue(const QString &name, const QString &value) override;

    QPushButton *SelectButton() const { return m_select; }
    QPushButton *ConditionButton() const { return m_condition; }

protected:
    void AfterFormInit() override;
    void SetFrmState(int state) override;

private:
    void placeBeside(const char *editorName, QPushButton *button);
    void writeField(const QString &name, const QString &value);

    QPushButton *m_select;
    QPushButton *m_condition;
};
