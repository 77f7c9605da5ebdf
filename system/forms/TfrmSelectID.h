#pragma once

#include "forms/TfrmZForm.h"

#include <memory>

class QLineEdit;
class QPushButton;
class TOrvDataSet;
class TPrintRange;
class TZDataField;
class TZDBGrid;

/// The record selection window: the records of a module in a grid, a filter
/// box, "取回" (take back, also double click or Enter on a row) and "新增".
/// Single choice returns the current row's key to the opener under the
/// return name; multiple choice returns the selected rows' keys, each quoted
/// and joined by "[#]". The grid's column order and widths are kept per
/// module in log/Display.log.
class TfrmSelectID final : public TfrmZForm
{
    Q_OBJECT

public:
    explicit TfrmSelectID(QWidget *parent = nullptr);
    ~TfrmSelectID() override;

    /// "[FormParams]" with a form parameter record (module, return name in
    /// its action, multiple choice, an optional statement in its text), or a
    /// module name with "2" for multiple choice, or "TagPrintRange" with the
    /// address of a report condition control: the control's module, several
    /// records unless it is a plain text editor, and the keys go back into
    /// the control (an address that names no control alive is refused).
    void FormReturnValue(const QString &name, const QString &value) override;

    const QString &ProgID() const { return m_progID; }
    bool MultiSelect() const { return m_multi; }
    TOrvDataSet &Rows() const { return *m_rows; }
    TZDBGrid *Grid() const { return m_grid; }
    /// Shows only the rows one of whose texts contains the filter text.
    void ApplyFilter();
    /// Hands the chosen keys to the opener and closes.
    void TakeBack();
    /// Opens the module's editing window to add a record, and closes.
    void AddNew();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open(const QString &progID, bool multi, const QString &statement);
    void openForRange(const QString &address);
    QStringList selectedKeys(const TZDataField &key);
    void fillRange(TPrintRange &range, const TZDataField &key);
    void restoreColumns();
    void saveColumns();

    std::unique_ptr<TOrvDataSet> m_rows;
    TZDBGrid *m_grid;
    QLineEdit *m_filter;
    QPushButton *m_take;
    QPushButton *m_add;
    QString m_progID;
    QString m_rangeAddress; ///< the condition control chosen for, checked again on taking back
    QString m_returnName = QStringLiteral("ReturnID");
    bool m_multi = false;
    bool m_placed = false;
};
