#pragma once

#include <QHash>
#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QMenu;
class QTreeView;
class TZClientDataSet;
class TZDataSetModel;
class TZGridDelegate;
class TZGridFooter;
class TZGridGroupModel;

/// The one grid of the program: every list, line grid, chooser and report
/// shows its dataset through it. A QTreeView over the dataset model
/// (TZDataSetModel) through the grouping model (TZGridGroupModel), a cell
/// delegate that picks each column's editor (TZGridDelegate), an optional
/// footer row of column sums and a header menu to show, hide and group
/// columns. The grid's object name is its component name (layout files key
/// their sections by it).
///
/// Columns are the dataset's fields, addressed by field name (ignoring
/// case); their settings (caption, visibility, read-only, required, group
/// index, width, footer sum) belong to the field name and survive a reload
/// of the dataset. The view's current row follows the dataset's cursor and
/// choosing a row moves the cursor.
///
/// Editing (when not read-only): Enter or Tab moves to the next editable
/// visible cell and opens its editor (Backtab to the previous one); from the
/// last cell of the last row it appends a row to the dataset (Append, then
/// Post, so the new row is in the grid) and goes to its first editable
/// cell. A value the field refuses is shown and its editor stays open.
class TZDBGrid : public QWidget
{
    Q_OBJECT

public:
    explicit TZDBGrid(QWidget *parent = nullptr);
    ~TZDBGrid() override;

    /// Shows a dataset (not owned; null shows nothing). A dataset destroyed
    /// before the grid leaves it empty.
    void SetDataSet(TZClientDataSet *dataSet);
    TZClientDataSet *DataSet() const { return m_dataSet; }
    QTreeView *View() const;
    /// The dataset model; null without a dataset.
    TZDataSetModel *Model() const { return m_model; }
    /// The model the view shows (grouping and column presentation).
    TZGridGroupModel *GroupModel() const { return m_groups; }
    TZGridDelegate *Delegate() const { return m_delegate; }

    // --- columns ---

    int ColumnCount() const;
    /// The column of a field; -1 when the dataset has no such field.
    int ColumnOf(const QString &field) const;
    /// The field of a column; empty for a column that does not exist.
    QString FieldOfColumn(int column) const;
    /// The fields in the order the view shows their columns.
    QStringList FieldsInViewOrder() const;

    /// The header text; an empty caption goes back to the field's label.
    void SetColumnCaption(const QString &field, const QString &caption);
    QString ColumnCaption(const QString &field) const;
    /// Shown or hidden by the user or the window. A grouping column is
    /// hidden whatever this says.
    void SetColumnVisible(const QString &field, bool visible);
    bool ColumnVisible(const QString &field) const;
    /// A column that is not available (a field the definitions hide) stays
    /// hidden whatever its visibility, and the header menu does not offer it.
    void SetColumnAvailable(const QString &field, bool available);
    bool ColumnAvailable(const QString &field) const;
    /// True when the column is in the view now (available, visible and not
    /// grouping).
    bool ColumnShown(const QString &field) const;
    void SetColumnReadOnly(const QString &field, bool readOnly);
    /// Read-only by the grid's column setting or by the dataset field.
    bool ColumnReadOnly(const QString &field) const;
    /// Qt::AlignLeft or Qt::AlignRight for the column's cells; 0 keeps the
    /// dataset model's (numbers right, texts left).
    void SetColumnAlignment(const QString &field, Qt::Alignment alignment);
    /// A required column's header is drawn navy (#000080) and bold.
    void SetColumnRequired(const QString &field, bool required);
    bool ColumnRequired(const QString &field) const;
    /// Groups the rows by the column's values; groups nest by increasing
    /// index. -1 ungroups. A grouping column is hidden.
    void SetColumnGroupIndex(const QString &field, int index);
    int ColumnGroupIndex(const QString &field) const;
    /// The width in pixels; a hidden column keeps the width it had.
    void SetColumnWidth(const QString &field, int width);
    int ColumnWidth(const QString &field) const;
    /// Fits the column to its header and contents; returns the new width.
    int FitColumnToContent(const QString &field);
    /// The column's position in the view, from 0 (hidden columns count).
    int ColumnPosition(const QString &field) const;
    void SetColumnPosition(const QString &field, int position);

    // --- behaviour ---

    /// A header click sorts the dataset by that column (its index fields),
    /// a second click the other way; off by default.
    void SetSortingAllowed(bool allowed);
    bool SortingAllowed() const { return m_sortingAllowed; }
    /// No cell can be edited (browse states, lists, choosers).
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return m_readOnly; }

    /// The footer row with the sums of every summable column (money, float
    /// and integer fields; ZIsSummableColumn).
    void SetFooterSums(bool on);
    bool FooterSums() const { return m_footerAll; }
    /// The sum of one column in the footer, whatever SetFooterSums says.
    void SetColumnFooterSum(const QString &field, bool on);
    /// The footer's text under a column; empty when it shows none.
    QString FooterText(const QString &field) const;
    /// Shows the footer sums through `format` (field name and sum, as
    /// ZColumnSum gives it); where it returns an empty text the sum shows
    /// as ZColumnSumText has it. For columns the owner shows in its own way.
    void SetFooterFormat(std::function<QString(const QString &field, const QVariant &sum)> format);
    bool FooterShown() const;

    /// Moves to the next (previous) editable visible cell and opens its
    /// editor, appending a row after the last cell of the last row; false
    /// when there is no cell to go to.
    bool MoveToNextCell(bool backwards = false);
    /// True while a cell editor is open.
    bool IsEditing() const;

    /// The header menu for a column (tests and windows may add to it); the
    /// caller owns it.
    QMenu *CreateHeaderMenu(int column);

signals:
    /// A data row was double-clicked; the dataset's cursor is on it.
    void rowDoubleClicked();
    /// The button of a button cell editor was clicked.
    void buttonClicked(const QString &field);

private:
    struct Column
    {
        QString caption;
        bool visible = true;
        bool available = true;
        bool readOnly = false;
        bool required = false;
        bool footer = false;
        int groupIndex = -1;
        Qt::Alignment alignment;
        int width = 0; // the last width shown; 0 when never set
    };

    Column &column(const QString &field) { return m_columns[field.toLower()]; }
    Column columnOf(const QString &field) const { return m_columns.value(field.toLower()); }
    void onRowEvent(int kind);
    void syncSortIndicator();
    void captureLayout();
    void applyLayout();
    void applyGrouping();
    void applyHidden(int logical);
    void followDataSet();
    void followView(const QModelIndex &current);
    void headerClicked(int logical);
    void refreshFooter();
    QList<int> editableColumns() const;

    QTreeView *m_view;
    TZGridGroupModel *m_groups;
    TZGridDelegate *m_delegate;
    TZGridFooter *m_footer;
    TZDataSetModel *m_model = nullptr;
    TZClientDataSet *m_dataSet = nullptr;
    int m_listener = 0;
    QHash<QString, Column> m_columns; // by lower-case field name
    QStringList m_order;              // fields in view order, kept across resets
    bool m_sortingAllowed = false;
    bool m_readOnly = false;
    bool m_footerAll = false;
    std::function<QString(const QString &, const QVariant &)> m_footerFormat;
    bool m_applying = false;
    bool m_following = false;
    int m_lastColumn = -1; // the column of the last current cell
};
