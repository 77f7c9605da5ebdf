#include "ZEditorAdapter.h"

#include "controls/TZDBImage.h"
#include "controls/TZLookUpCombobox.h"
#include "controls/ZDateTimeTyping.h"
#include "data/ZDbValues.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTextEdit>
#include <QTimeEdit>

namespace ZEditorAdapter {

namespace {

constexpr char kRequired[] = "zRequired";
constexpr char kPickValues[] = "zPickValues";

QVariantList pickValues(const QWidget *editor)
{
    return editor ? editor->property(kPickValues).toList() : QVariantList();
}

QList<QRadioButton *> radios(const QGroupBox *group)
{
    return group->findChildren<QRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
}

// Date, time and date-time edits are one class; the shown sections tell them apart.
enum class Moment { None, Date, Time, DateTime };

Moment momentKind(const QWidget *editor)
{
    const auto *edit = qobject_cast<const QDateTimeEdit *>(editor);
    if (!edit)
        return Moment::None;
    const auto sections = edit->displayedSections();
    const bool date = sections & QDateTimeEdit::DateSections_Mask;
    const bool time = sections & QDateTimeEdit::TimeSections_Mask;
    return date && time ? Moment::DateTime : time ? Moment::Time : Moment::Date;
}

} // namespace

bool IsEditor(const QWidget *widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QAbstractSpinBox *>(widget->parentWidget())
        || qobject_cast<const QComboBox *>(widget->parentWidget()))
        return false;
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return !radios(group).isEmpty();
    return qobject_cast<const QLineEdit *>(widget) || IsMemo(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
           || qobject_cast<const QListWidget *>(widget) || qobject_cast<const QCheckBox *>(widget)
           || qobject_cast<const QComboBox *>(widget) || qobject_cast<const TZDBImage *>(widget);
}

bool IsMemo(const QWidget *editor)
{
    return qobject_cast<const QPlainTextEdit *>(editor) || qobject_cast<const QTextEdit *>(editor);
}

QVariant Value(const QWidget *editor)
{
    if (const auto *image = qobject_cast<const TZDBImage *>(editor))
        return image->Picture();
    if (const auto *lookUp = qobject_cast<const TZLookUpComboBase *>(editor))
        return lookUp->KeyValue();
    if (IsPickList(editor)) {
        const int index = static_cast<const QComboBox *>(editor)->currentIndex();
        const QVariantList values = pickValues(editor);
        return index >= 0 && index < values.size() ? values.at(index) : QVariant();
    }
    if (const auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(editor))
        return plain->toPlainText();
    if (const auto *rich = qobject_cast<const QTextEdit *>(editor))
        return rich->toPlainText();
    if (const auto *spin = qobject_cast<const QSpinBox *>(editor))
        return spin->value();
    if (const auto *decimal = qobject_cast<const QDoubleSpinBox *>(editor))
        return decimal->value();
    if (const auto *moment = qobject_cast<const QDateTimeEdit *>(editor)) {
        switch (momentKind(editor)) {
        case Moment::Date:
            return moment->date();
        case Moment::Time:
            return moment->time();
        default:
            return moment->dateTime();
        }
    }
    if (const auto *list = qobject_cast<const QListWidget *>(editor))
        return list->currentRow();
    if (const auto *check = qobject_cast<const QCheckBox *>(editor))
        return check->isChecked();
    if (const auto *combo = qobject_cast<const QComboBox *>(editor))
        return combo->currentText();
    if (const auto *group = qobject_cast<const QGroupBox *>(editor)) {
        const auto buttons = radios(group);
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons.at(i)->isChecked())
                return i;
        }
        return -1;
    }
    return {};
}

void SetValue(QWidget *editor, const QVariant &value)
{
    const QString text = value.isNull() ? QString() : value.toString();
    if (auto *image = qobject_cast<TZDBImage *>(editor))
        image->SetPicture(value.toByteArray());
    else if (auto *lookUp = qobject_cast<TZLookUpComboBase *>(editor))
        lookUp->SetKeyValue(text);
    else if (IsPickList(editor))
        static_cast<QComboBox *>(editor)->setCurrentIndex(
            value.isNull() ? -1 : int(pickValues(editor).indexOf(value.toInt())));
    else if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        plain->setPlainText(text);
    else if (auto *rich = qobject_cast<QTextEdit *>(editor))
        rich->setPlainText(text);
    else if (auto *spin = qobject_cast<QSpinBox *>(editor))
        spin->setValue(value.toInt());
    else if (auto *decimal = qobject_cast<QDoubleSpinBox *>(editor))
        decimal->setValue(value.toDouble());
    else if (auto *moment = qobject_cast<QDateTimeEdit *>(editor)) {
        if (value.typeId() == QMetaType::QTime)
            moment->setTime(value.toTime());
        else if (value.typeId() == QMetaType::QDate)
            moment->setDate(value.toDate());
        else if (value.isNull() || (momentKind(editor) == Moment::Date && ZIsEmptyDate(ZDbValueToDateTime(value))))
            moment->setDateTime(moment->minimumDateTime());
        else
            moment->setDateTime(value.toDateTime());
    } else if (auto *list = qobject_cast<QListWidget *>(editor))
        list->setCurrentRow(value.toInt());
    else if (auto *check = qobject_cast<QCheckBox *>(editor))
        check->setChecked(value.typeId() == QMetaType::QString ? text.trimmed() == QLatin1String("1") : value.toBool());
    else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const int index = combo->findText(text);
        if (index >= 0 || !combo->isEditable())
            combo->setCurrentIndex(index);
        else
            combo->setCurrentText(text);
    } else if (auto *group = qobject_cast<QGroupBox *>(editor)) {
        const auto buttons = radios(group);
        const int index = value.toInt();
        if (index >= 0 && index < buttons.size())
            buttons.at(index)->setChecked(true);
    }
}

void SetReadOnly(QWidget *editor, bool readOnly)
{
    if (auto *image = qobject_cast<TZDBImage *>(editor))
        image->SetReadOnly(readOnly);
    else if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setReadOnly(readOnly);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        plain->setReadOnly(readOnly);
    else if (auto *rich = qobject_cast<QTextEdit *>(editor))
        rich->setReadOnly(readOnly);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(editor))
        spin->setReadOnly(readOnly);
    else if (auto *combo = qobject_cast<QComboBox *>(editor); combo && combo->isEditable())
        combo->lineEdit()->setReadOnly(readOnly);
    else if (editor)
        editor->setEnabled(!readOnly);
}

bool IsReadOnly(const QWidget *editor)
{
    if (const auto *image = qobject_cast<const TZDBImage *>(editor))
        return image->ReadOnly();
    if (const auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->isReadOnly();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(editor))
        return plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(editor))
        return rich->isReadOnly();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(editor))
        return spin->isReadOnly();
    if (const auto *combo = qobject_cast<const QComboBox *>(editor); combo && combo->isEditable())
        return combo->lineEdit()->isReadOnly();
    return editor && !editor->isEnabled();
}

void SetRequired(QWidget *editor, bool required)
{
    if (!editor || IsRequired(editor) == required)
        return;
    editor->setProperty(kRequired, required);
    QPalette palette = editor->palette();
    if (required)
        palette.setColor(QPalette::Base, QColor(0xFF, 0xF8, 0xDC)); // a light tint of "must fill"
    else
        palette.setColor(QPalette::Base, editor->style()->standardPalette().color(QPalette::Base));
    editor->setPalette(palette);
}

bool IsRequired(const QWidget *editor)
{
    return editor && editor->property(kRequired).toBool();
}

void SetPickList(QComboBox *combo, const QStringList &texts, const QList<int> &values)
{
    if (!combo)
        return;
    QVariantList kept;
    for (int value : values)
        kept << value;
    combo->clear();
    combo->addItems(texts);
    combo->setProperty(kPickValues, kept);
    combo->setCurrentIndex(-1);
}

bool IsPickList(const QWidget *editor)
{
    return qobject_cast<const QComboBox *>(editor) && editor->property(kPickValues).isValid();
}

bool ShowsText(const QWidget *editor)
{
    return !qobject_cast<const TZLookUpComboBase *>(editor) && !IsPickList(editor);
}

void OnEdited(QWidget *editor, QObject *context, std::function<void()> edited)
{
    if (auto *image = qobject_cast<TZDBImage *>(editor))
        QObject::connect(image, &TZDBImage::PictureChanged, context, edited);
    else if (auto *lookUp = qobject_cast<TZLookUpComboBase *>(editor)) {
        QObject::connect(lookUp->lineEdit(), &QLineEdit::editingFinished, context, edited);
        QObject::connect(lookUp, &QComboBox::activated, context, edited);
    } else if (auto *line = qobject_cast<QLineEdit *>(editor))
        QObject::connect(line, &QLineEdit::editingFinished, context, edited);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor))
        QObject::connect(plain, &QPlainTextEdit::textChanged, context, edited);
    else if (auto *rich = qobject_cast<QTextEdit *>(editor))
        QObject::connect(rich, &QTextEdit::textChanged, context, edited);
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(editor)) {
        QObject::connect(spin, &QAbstractSpinBox::editingFinished, context, edited);
        ZSelectSectionOnClick(qobject_cast<QDateTimeEdit *>(spin));
    } else if (auto *list = qobject_cast<QListWidget *>(editor))
        QObject::connect(list, &QListWidget::currentRowChanged, context, edited);
    else if (auto *check = qobject_cast<QCheckBox *>(editor))
        QObject::connect(check, &QCheckBox::toggled, context, edited);
    else if (auto *combo = qobject_cast<QComboBox *>(editor))
        QObject::connect(combo, &QComboBox::currentTextChanged, context, edited);
    else if (auto *group = qobject_cast<QGroupBox *>(editor)) {
        for (QRadioButton *radio : radios(group))
            QObject::connect(radio, &QRadioButton::toggled, context, [radio, edited] {
                if (radio->isChecked())
                    edited();
            });
    }
}

} // namespace ZEditorAdapter
