#include "TfrmParamsBase.h"

#include "common/ZDates.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

namespace {

bool isLong(const QWidget *editor)
{
    return qobject_cast<const QPlainTextEdit *>(editor) || qobject_cast<const QTextEdit *>(editor);
}

QList<QRadioButton *> radios(const QGroupBox *group)
{
    return group->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
}

QString readValue(const QString &name, bool longValue)
{
    const QString table = longValue ? QStringLiteral("ComParamsEx") : QStringLiteral("ComParams");
    const QStringList row = DBConn().DBSelectValue(
        QStringLiteral(" Select ParamValue From %1 Where ParamName = %2").arg(table, ZQuotedStr(name)));
    return row.value(0);
}

void writeValue(const QString &name, const QString &value, bool longValue)
{
    const QString table = longValue ? QStringLiteral("ComParamsEx") : QStringLiteral("ComParams");
    TDBConn &db = DBConn();
    db.DBExcuteSql(QStringLiteral(" Delete From %1 Where ParamName = %2").arg(table, ZQuotedStr(name)));
    db.DBExcuteSql(QStringLiteral(" Insert Into %1(ParamName, ParamValue) Values(%2, %3)")
                       .arg(table, ZQuotedStr(name), ZQuotedStr(value)));
}

void showValue(QWidget *editor, const QString &value)
{
    const int number = ZTrim(value).toInt();
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(value);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        plain->setPlainText(value);
    else if (auto *rich = qobject_cast<QTextEdit *>(editor))
        rich->setPlainText(value);
    else if (auto *spin = qobject_cast<QSpinBox *>(editor))
        spin->setValue(number);
    else if (auto *date = qobject_cast<QDateEdit *>(editor))
        date->setDate(IntDateToDate(number));
    else if (auto *list = qobject_cast<QListWidget *>(editor))
        list->setCurrentRow(number);
    else if (auto *check = qobject_cast<QCheckBox *>(editor))
        check->setChecked(ZTrim(value) == QLatin1String("1"));
    else if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentText(value);
    else if (auto *group = qobject_cast<QGroupBox *>(editor)) {
        const auto buttons = radios(group);
        if (number >= 0 && number < buttons.size())
            buttons.at(number)->setChecked(true);
    }
}

QString valueOf(QWidget *editor)
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        return line->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(editor))
        return rich->toPlainText();
    if (auto *spin = qobject_cast<QSpinBox *>(editor))
        return QString::number(spin->value());
    if (auto *date = qobject_cast<QDateEdit *>(editor))
        return QString::number(DateToIntDate(date->date()));
    if (auto *list = qobject_cast<QListWidget *>(editor))
        return QString::number(list->currentRow());
    if (auto *check = qobject_cast<QCheckBox *>(editor))
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        return combo->currentText();
    if (auto *group = qobject_cast<QGroupBox *>(editor)) {
        const auto buttons = radios(group);
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons.at(i)->isChecked())
                return QString::number(i);
        }
        return QStringLiteral("-1");
    }
    return {};
}

bool isEditor(const QWidget *widget)
{
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
        return false;
    // The line editor inside a spin box or combo box belongs to it.
    if (qobject_cast<const QAbstractSpinBox *>(widget->parentWidget())
        || qobject_cast<const QComboBox *>(widget->parentWidget()))
        return false;
    if (auto *group = qobject_cast<const QGroupBox *>(widget))
        return !radios(group).isEmpty();
    return qobject_cast<const QLineEdit *>(widget) || isLong(widget) || qobject_cast<const QSpinBox *>(widget)
           || qobject_cast<const QDateEdit *>(widget) || qobject_cast<const QListWidget *>(widget)
           || qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QComboBox *>(widget);
}

} // namespace

TfrmParamsBase::TfrmParamsBase(QWidget *parent) : TfrmZForm(parent) {}

QList<QWidget *> TfrmParamsBase::ParamEditors() const
{
    QList<QWidget *> editors;
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (isEditor(widget))
            editors << widget;
    }
    return editors;
}

void TfrmParamsBase::LoadParams()
{
    if (!DBConn().ExistTable(QStringLiteral("comParams")))
        GetParamInfo().UpdateParamInfo(); // creates the table with its key
    for (QWidget *editor : ParamEditors())
        showValue(editor, readValue(editor->objectName(), isLong(editor)));
}

void TfrmParamsBase::SaveParams()
{
    if (!DBConn().ExistTable(QStringLiteral("comParams")))
        GetParamInfo().UpdateParamInfo();
    for (QWidget *editor : ParamEditors())
        writeValue(editor->objectName(), valueOf(editor), isLong(editor));
}
