#pragma once

#include <QDate>
#include <QString>
#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QToolButton;

/// The kinds of report condition, in the order the definition files name
/// them: a range of keys, one key, a range of dates, one date, a check box.
enum TWhereCtrlType { ctRangeID, ctID, ctRangeDate, ctDate, ctCheck };

/// The kind a report definition names ("ctRangeDate", "ctDate", "ctID",
/// "ctCheck"); any other name is a range of keys.
TWhereCtrlType ZWhereCtrlTypeOf(const QString &name);

/// One condition of a report, 40 pixels high: its caption and the value
/// editors of its kind. A range of keys has two texts, each with a "..."
/// button that asks its window for the record chooser (message 1939 with the
/// control's address); the chooser fills the key list and ticks the list
/// switch, or, for a plain text editor, puts one key into the text. GetWhere
/// turns the values into a statement fragment.
///
/// Every control alive is known by its address, so an address handed
/// through a message that names none (stale or made up) is refused.
class TPrintRange final : public QWidget
{
    Q_OBJECT

public:
    TPrintRange(TWhereCtrlType kind, const QString &fieldName, const QString &caption, QWidget *parent = nullptr);
    ~TPrintRange() override;

    TWhereCtrlType Kind() const { return m_kind; }
    const QString &WhereField() const { return m_field; }
    QString Caption() const;
    /// The module whose keys the "..." buttons choose; without one the
    /// buttons are hidden.
    const QString &ProgID() const { return m_progID; }
    void SetProgID(const QString &progID);

    /// True when a chosen key goes into the text (single choice) rather
    /// than into the key list (multiple choice). A one-key condition is a
    /// plain text editor from the start.
    bool PlainTextEditor() const { return m_plain; }
    void SetPlainTextEditor(bool plain) { m_plain = plain; }

    QString BeginValue() const;
    QString EndValue() const;
    void SetBeginValue(const QString &value);
    void SetEndValue(const QString &value);
    QDate BeginDate() const;
    QDate EndDate() const;
    void SetBeginDate(const QDate &date);
    void SetEndDate(const QDate &date);
    bool Checked() const;
    void SetChecked(bool checked);

    /// The chosen keys, each quoted, joined by ",".
    QString KeyList() const;
    void SetKeyList(const QString &keys);
    bool ListOn() const;
    void SetListOn(bool on);

    /// A chosen key for the text the last "..." button belongs to (the
    /// begin text when none was pressed).
    void SetPickedKey(const QString &key);

    /// The fragment this condition adds to a statement, for `column` or,
    /// when that is empty, the control's own field; nothing for "---".
    QString GetWhere(const QString &column = QString()) const;

    /// Asks the window for the record chooser on the begin (0) or end (1)
    /// text, as the "..." buttons do.
    void PickKeys(int target);

private:
    QLineEdit *addText(const QString &name);
    QToolButton *addPickButton(const QString &name, int target);

    TWhereCtrlType m_kind;
    QString m_field;
    QString m_progID;
    bool m_plain = false;
    int m_target = 0;
    QLabel *m_caption = nullptr;
    QLineEdit *m_begin = nullptr;
    QLineEdit *m_end = nullptr;
    QToolButton *m_pickBegin = nullptr;
    QToolButton *m_pickEnd = nullptr;
    QDateEdit *m_beginDate = nullptr;
    QDateEdit *m_endDate = nullptr;
    QCheckBox *m_check = nullptr;
    QCheckBox *m_listSwitch = nullptr;
    QLineEdit *m_list = nullptr;
};

/// The decimal address of a control, as message 1939 carries it.
QString ZPrintRangeAddress(const TPrintRange &control);

/// The control at a decimal address; null for a text that names no control
/// alive.
TPrintRange *ZPrintRangeAt(const QString &address);
