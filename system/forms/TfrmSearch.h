#pragma once

#include "forms/TfrmZForm.h"

#include <memory>

class QPushButton;
class TOrvDataSet;
class TZDBGrid;

/// The search window: browses the records of a module; a click on a row
/// moves the window that opened it to that record ("ReturnSearchID" with the
/// key), a double click does the same and closes, "新增" opens the module's
/// editing window to add a record. Opened through the launcher with the
/// module's ProgID as the parameter name; opened again for the same module
/// it keeps its rows and layout. Column widths and grouping are kept per
/// module in the user's grid log (under the class name and "Tag" + ProgID).
class TfrmSearch final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmSearch(QWidget *parent = nullptr);
    ~TfrmSearch() override;

    /// The name is the module to browse.
    void FormReturnValue(const QString &name, const QString &value) override;
    QString GetProgID() override { return m_progID; }
    /// Widths and grouping live in the grid log, not in the window's own
    /// grid layout file.
    bool NeedGridLogCtrl() override { return false; }

    TOrvDataSet &Rows() const { return *m_rows; }
    TZDBGrid *Grid() const { return m_grid; }
    /// Sends the current row's trimmed key to the opener as
    /// "ReturnSearchID" (nothing for a row without a key).
    void ReturnCurrentKey();
    /// Closes and opens the module's editing window with "AddNew".
    void AddNew();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void open(const QString &progID);
    void restoreLayout();
    void saveLayout();
    /// The key under which the grid log keeps the module's layout.
    QString logTag() const;
    /// Moves the cursor to the row of a view index; false for a group row.
    bool moveToRow(const QModelIndex &index);

    std::unique_ptr<TOrvDataSet> m_rows;
    TZDBGrid *m_grid = nullptr;
    QPushButton *m_add;
    QPushButton *m_exit;
    QString m_progID;
};
