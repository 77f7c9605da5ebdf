#pragma once

#include "forms/TfrmZForm.h"

#include <memory>

class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class TOrvDataSet;
class TZDBGrid;

/// The data reminder window ("提醒精灵"): on the left the active reminder
/// definitions, each as "<id> <title>(<records>)"; on the right the records
/// the chosen one finds, in its module's columns and formats, with the
/// column widths kept per module under "<ProgID>_TfrmRemindBox". "刷新数据"
/// counts again, "打开单据" (or a double click) opens the chosen record,
/// "提醒设定" opens the definitions' list, and the interval box sets how many
/// minutes pass between background checks (CheckRemindInterval, telling the
/// main window with ZWM_REMINDINTERVAL).
class TfrmRemindBox final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmRemindBox(QWidget *parent = nullptr);
    ~TfrmRemindBox() override;

    /// "刷新数据": the tree again, every definition counted, then the records
    /// of the chosen definition (the first when the chosen one is gone).
    void RefreshData();
    /// Shows the records of a definition.
    void ShowRemind(const QString &remindID);
    /// "打开单据": the module's record window for the current row ("F3");
    /// "没有单据数据" when there is no row.
    void OpenRecord();
    /// "提醒设定": the list of the definitions.
    void OpenRemindSet();
    /// The interval box changed: stored, and the main window told.
    void SetInterval(int minutes);

    QTreeWidget *Tree() const { return m_tree; }
    TZDBGrid *Grid() const { return m_grid; }
    TOrvDataSet &Rows() const { return *m_rows; }
    QSpinBox *IntervalBox() const { return m_interval; }
    const QString &CurrentRemindID() const { return m_remindID; }
    const QString &CurrentProgID() const { return m_progID; }
    /// The key the column widths of a module are kept under.
    QString GridLogKey(const QString &progID) const;

    bool AutoCreatGridCtrl() override { return false; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void saveColumns();
    void restoreColumns();

    QTreeWidget *m_tree;
    TZDBGrid *m_grid = nullptr;
    QSpinBox *m_interval;
    std::unique_ptr<TOrvDataSet> m_rows;
    QString m_remindID;
    QString m_progID;
    bool m_shown = false;
};
