#pragma once

#include <QHash>
#include <QStringList>
#include <QStyledItemDelegate>

class TZDBGrid;

/// The cell editor a grid column uses, chosen from its field's metadata
/// (RefreshGridByDS) or set by a window.
struct TZCellEditor
{
    enum Kind {
        Default,   ///< a line edit with the value's text
        Date,      ///< a date edit with a calendar pop-up
        Time,      ///< a time edit
        Button,    ///< a line edit with a "…" button (the grid's buttonClicked)
        ComboList, ///< a combo box of the related module's combo-box list, 16 rows
        LookUp,    ///< an editable combo box of the related module's "key name" texts
        Check,     ///< a check box
        PickList   ///< a combo box of the pick-list texts (the field stores the number)
    };
    Kind kind = Default;
    QString relativeDS; ///< ComboList and LookUp: the related module
    QStringList items;  ///< PickList: the texts
};

/// The cell delegate of TZDBGrid: makes each column's editor (TZCellEditor)
/// and writes what the user entered through the dataset field (its text
/// rules, checks and events apply), posting the row at once. A value the
/// field refuses is shown the framework's way (ZGuard) and the editor stays
/// open with the typed text; the row keeps its old value. Enter and Tab
/// commit and ask the grid for the next cell (Backtab for the previous one).
class TZGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TZGridDelegate(TZDBGrid &grid);

    /// The editor of the column bound to `field` (names ignore case).
    void SetColumnEditor(const QString &field, const TZCellEditor &editor);
    TZCellEditor ColumnEditor(const QString &field) const;
    void ClearColumnEditors() { m_editors.clear(); }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

signals:
    void buttonClicked(const QString &field);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    /// Writes the editor's value into its row; raises the field's error.
    /// Nothing is written when the user changed nothing.
    void write(QWidget *editor) const;
    /// write() through the error guard; false when the field refused.
    bool tryWrite(QWidget *editor) const;

    TZDBGrid &m_grid;
    QHash<QString, TZCellEditor> m_editors; // by lower-case field name
};
