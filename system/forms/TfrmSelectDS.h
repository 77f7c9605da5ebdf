#pragma once

#include "forms/TfrmZForm.h"

class QTreeWidget;

/// Chooses a module for a data reminder: every module of the data source
/// cache that has records (reports left out), by menu group and caption.
/// "确定" or a double click hands the module's ProgID to the opener under the
/// name "SelectDS" and closes; "取消" closes without an answer.
class TfrmSelectDS final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmSelectDS(QWidget *parent = nullptr);

    /// The modules offered, in the list's order.
    QStringList ProgIDs() const;
    /// The chosen module; empty when none is chosen.
    QString SelectedProgID() const;
    /// Marks a module as chosen (when it is offered).
    void SetSelectedProgID(const QString &progID);
    /// Hands the chosen module to the opener and closes; nothing without a
    /// choice.
    void TakeBack();

private:
    void fill();

    QTreeWidget *m_list;
};
