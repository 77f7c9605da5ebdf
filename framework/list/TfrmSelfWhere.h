#pragma once

#include "data/ZFieldType.h"

#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTimeEdit;

/// The condition editor of a module: the user writes a condition in the
/// condition words ("[A.日期] 大于 20110101 并且 …") from a field list, an
/// operator list, a value editor that suits the field's type and buttons
/// that insert words, functions and current values at the caret. "语法检查"
/// runs the condition once; OK accepts only a condition that runs.
class TfrmSelfWhere : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSelfWhere(const QString &progID, QWidget *parent = nullptr);
    ~TfrmSelfWhere() override;

    const QString &ProgID() const { return m_progID; }
    QString Text() const;
    void SetText(const QString &text);

    /// Runs the editor modally in front of `owner`; true when closed with OK.
    bool Execute(QWidget *owner);
    /// Runs the editor; on OK the translated tail and whether the condition
    /// names detail fields ("B.").
    bool GetSelfWhere(QWidget *owner, QString &sqlWhere, bool &useDetail);

    /// "添加": the chosen field, operator and value as "[%s] %s %s".
    void AddCondition();
    /// "语法检查": runs the condition and says whether it ran.
    void CheckSyntax();
    /// OK: the same check without the success message; a condition that does
    /// not run is refused and the editor stays open.
    void accept() override;

    /// The chosen field's reference text ("A.日期") and type; empty when none.
    QString FieldText() const;
    TZFieldType FieldType() const;
    /// The value as the chosen field and operator write it.
    QString ValueText() const;

private:
    void buildFieldList();
    void buildButtons(QGridLayout &grid);
    QPushButton *addButton(QGridLayout &grid, const char *name, const QString &caption, int row, int column,
                           const std::function<void()> &action, int columnSpan = 1);
    void fieldChanged();
    void insertText(const QString &text);
    void insertFunction(const QString &format, bool date);

    QString m_progID;
    QComboBox *m_field;
    QComboBox *m_operator;
    QStackedWidget *m_values;
    QLineEdit *m_textValue;
    QDateEdit *m_dateValue;
    QTimeEdit *m_timeValue;
    QComboBox *m_yesNoValue;
    QPlainTextEdit *m_text;
};

/// Runs the condition editor for a module with the text stored under
/// formClass + "-" + progID. On OK the text is stored again, `sqlWhere`
/// receives its translation (" And (…)", empty for no condition) and
/// `useDetail` whether it names detail fields. True when closed with OK.
bool GetSelfWhere(QWidget *owner, const QString &formClass, const QString &progID, QString &sqlWhere,
                  bool &useDetail);

/// Edits a given condition text of a module (a non-empty `text` is loaded
/// into the editor); on OK `text` receives the edited text (not SQL). True
/// when closed with OK.
bool GetWhereText(QWidget *owner, const QString &progID, QString &text);
