#pragma once

#include <QFrame>
#include <QPointer>
#include <QString>

class QLineEdit;
class TZClientDataSet;
class TZDBGrid;

/// The quick drop-down list of a module's records: a frame inside its owner
/// window, made once by the owner and shown under an editor while the user
/// types. The rows are a dataset the owner gives (not owned); typing filters
/// them, Enter or a double click on a row hands the owner the pair (key field
/// name, trimmed key), Escape hands it ("ReturnCancel", key field name).
///
/// The pair goes to the owner window's FormReturnValue (message 1926) when
/// the owner is a framework window, else out through `returned`.
///
/// Filtering: a dataset with a column UseForFilter (the pinyin initials of
/// its rows) is filtered by "UseForFilter like '%text%'"; any other dataset
/// keeps its rows, and the list shows those whose key or name contains the
/// text, or whose name's pinyin initials contain it (zs finds 张三).
class TfraSelectID final : public QFrame
{
    Q_OBJECT

public:
    explicit TfraSelectID(QWidget *owner);
    ~TfraSelectID() override;

    /// Binds the rows; when the module differs from the last one, takes its
    /// key and name fields and sets the columns up from its definitions
    /// (first column 180 wide, the next two 70, the frame 350).
    void InitSelect(TZClientDataSet *dataSet, const QString &progID);
    /// Filters by the text (all rows when it is blank), places the frame at
    /// (left, top) of the owner, 200 high, and shows it in front.
    void ShowSelectFast(int left, int top, const QString &text);
    /// Hands the owner the current row's key (when the list shows a row) and
    /// hides.
    void ReturnID();
    /// Hands the owner ("ReturnCancel", key field name) and hides.
    void ReturnCancel();

    /// Lets the frame serve a line editor of the owner: typing shows the
    /// list under it filtered by the editor's text, Down moves into the
    /// list, Enter takes the current row (the key goes into the editor too),
    /// Escape closes the list. One editor at a time.
    void AttachTo(QLineEdit *editor);

    const QString &ProgID() const { return m_progID; }
    const QString &KeyField() const { return m_keyField; }
    const QString &NameField() const { return m_nameField; }
    TZDBGrid *Grid() const { return m_grid; }
    /// How many rows the list shows now.
    int ShownCount() const;

signals:
    /// The pair handed back, for an owner that is not a framework window.
    void returned(const QString &name, const QString &value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void filterRows(const QString &text);
    /// Hides the rows of the view that neither key nor name matches.
    void hideUnmatched(const QString &text);
    /// Puts the cursor on the first shown row when it is on none.
    void moveToShownRow();
    bool rowShown(int row) const;
    void handBack(const QString &name, const QString &value);
    bool editorKey(int key);

    /// The bound rows, as the grid holds them (null once they are gone).
    TZClientDataSet *rows() const;

    TZDBGrid *m_grid;
    QPointer<QLineEdit> m_editor;
    QString m_progID;
    QString m_keyField;
    QString m_nameField;
};
