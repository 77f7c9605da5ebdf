#pragma once

#include "record/TfrmMasterData.h"

class QTabWidget;
class TAutoDesignUI;

/// "备忘录": the record window of the memo reminders (moxRemind rows of
/// Flag 1). The common fields stand at the top; a page control holds one
/// page per reminder type (once, daily, weekly, monthly, yearly) and shows
/// only the page of the record's type. The reminder time keeps whole
/// minutes; saving a reminder sent by mail tells which mail settings are
/// missing, and "邮件发送设定" opens them.
class TfrmMoxRemind final : public TfrmMasterData
{
    Q_OBJECT

public:
    explicit TfrmMoxRemind(QWidget *parent = nullptr);
    ~TfrmMoxRemind() override;

    QTabWidget *pgcType = nullptr;

    /// The index of the page shown (the record's RemindType, 0 without a
    /// record).
    int ShownPage() const;

protected:
    void AfterFormInit() override;
    void OpenBillDataset(const QString &key) override;
    void SetFrmState(int state) override;
    void FieldOnChange(TZDataField &field) override;
    void BeforeSave() override;

private:
    void buildLayout();
    void showTypePage();

    TAutoDesignUI *m_factory;
    bool m_adjusting = false;
};
