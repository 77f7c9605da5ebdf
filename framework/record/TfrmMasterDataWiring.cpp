// Wiring the window's editors from the metadata: double-click selection of
// related keys, pick lists, the marking of labels of required fields.

#include "TfrmMasterData.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "controls/TZFieldLink.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

TZFieldLink *linkOf(const QObject *editor)
{
    return editor ? editor->findChild<TZFieldLink *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

constexpr const char *kSelectProperty = "zSelectID";

} // namespace

void TfrmMasterData::AfterFormInit()
{
    for (QObject *component : findChildren<QObject *>())
        ScanCtrls(component);
}

void TfrmMasterData::ScanCtrls(QObject *component)
{
    if (auto *editor = qobject_cast<QWidget *>(component); editor && linkOf(editor)) {
        // Fields the user cannot type into stay locked in every state.
        if (TZField *definition = fieldOfEditor(editor)) {
            const bool locked = definition->GetReadOnly() || definition->IsRelationField || !definition->Permitted;
            editor->setProperty("zFieldReadOnly", locked);
        }
        SetIDSelectCtrlDblEvent(editor);
    }
    SetCtrlPickList(component);
}

TZField *TfrmMasterData::fieldOfEditor(const QWidget *editor) const
{
    const TZFieldLink *link = linkOf(editor);
    if (!link)
        return nullptr;
    for (const auto &dataSet : m_datasets) {
        if (link->DataSet() != dataSet.get())
            continue;
        if (const TZDataField *field = dataSet->FindField(link->FieldName()))
            return dataSet->ZFieldOf(*field);
        if (dataSet->ProgDSIndex < DataSource().DatasetCount())
            return DataSource().Datasets[std::size_t(dataSet->ProgDSIndex)]->GetZField(link->FieldName());
    }
    return nullptr;
}

void TfrmMasterData::SetIDSelectCtrlDblEvent(QWidget *editor)
{
    const TZField *definition = fieldOfEditor(editor);
    if (!definition || ZTrim(definition->RelativeDS).isEmpty() || definition->SaveType != stID)
        return;
    editor->setProperty(kSelectProperty, true);
    editor->installEventFilter(this);
    // The typing part of a combo box gets the double clicks.
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    editor->setToolTip(QStringLiteral("双击选择") + definition->GetRelativeSource().DisplayName);
}

bool TfrmMasterData::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        QObject *editor = watched;
        if (!editor->property(kSelectProperty).toBool() && editor->parent())
            editor = editor->parent();
        if (editor->property(kSelectProperty).toBool()) {
            auto *widget = qobject_cast<QWidget *>(editor);
            if (widget)
                widget->setFocus(Qt::MouseFocusReason);
            // The double-clicked editor is the active one, whether or not
            // the platform has given the window the focus yet.
            m_activeEditor = widget;
            ZGuard([this] { DoSelectID(); });
            m_activeEditor = nullptr;
            return true;
        }
    }
    return TfrmZForm::eventFilter(watched, event);
}

QWidget *TfrmMasterData::activeEditor() const
{
    QWidget *focused = m_activeEditor ? m_activeEditor.data() : QApplication::focusWidget();
    if (focused && !linkOf(focused) && linkOf(focused->parentWidget()))
        focused = focused->parentWidget();
    return focused;
}

QString TfrmMasterData::GetActCtrlRelativeDS()
{
    if (!Editing())
        return {};
    const TZField *definition = fieldOfEditor(activeEditor());
    if (!definition || definition->GetReadOnly() || definition->IsRelationField)
        return {};
    return ZTrim(definition->RelativeDS);
}

void TfrmMasterData::DoSelectID()
{
    // The checks of a field that may choose are DoSelectIDFor's.
    const TZFieldLink *link = linkOf(activeEditor());
    auto *target = link ? dynamic_cast<TOrvDataSet *>(link->DataSet()) : nullptr;
    if (!target)
        return;
    DoSelectIDFor(*target, link->FieldName());
}

void TfrmMasterData::DoSelectIDFor(TOrvDataSet &dataSet, const QString &fieldName)
{
    if (!Editing() || m_selecting || IsExistFormClass(QStringLiteral("TfrmSelectID")))
        return;
    const TZDataField *field = dataSet.FindField(fieldName);
    const TZField *definition = field ? dataSet.ZFieldOf(*field) : nullptr;
    if (!definition || ZTrim(definition->RelativeDS).isEmpty() || definition->GetReadOnly()
        || definition->IsRelationField)
        return;
    // The chosen key comes back under the field's name (FormReturnValue).
    TFormParams params;
    params.Action = fieldName;
    params.ProgID = ZTrim(definition->RelativeDS);
    m_selectTarget = &dataSet;
    m_selecting = true;
    struct TReset
    {
        bool &flag;
        ~TReset() { flag = false; }
    } reset{m_selecting};
    WakeUpForm(QStringLiteral("TfrmSelectID"), wtShow, kFormParamsName, ZFormParamsAddress(params));
}

void TfrmMasterData::SetCtrlPickList(QObject *component)
{
    if (auto *label = qobject_cast<QLabel *>(component)) {
        FreshLabelNotNullColor(label);
        return;
    }
    auto *combo = qobject_cast<QComboBox *>(component);
    if (!combo || !linkOf(combo) || combo->inherits("TZLookUpComboBase"))
        return;
    TZField *definition = fieldOfEditor(combo);
    if (!definition)
        return;
    if ((definition->FieldType == ftZInteger || definition->FieldType == ftZSmallint)
        && !definition->PickList.isEmpty()) {
        if (combo->count() == 0)
            combo->addItems(definition->GetPickListTextForCbxList().split(QLatin1Char('\n')));
        combo->setEditable(false);
        combo->setMaxVisibleItems(16);
    } else if (definition->FieldType == ftZString && !ZTrim(definition->RelativeDS).isEmpty()) {
        if (combo->count() == 0)
            combo->addItems(definition->GetRelativeSource().GetNameList());
        combo->setEditable(true);
        combo->setMaxVisibleItems(16);
        definition->ShowDataList = true;
    }
}

void TfrmMasterData::FreshLabelNotNullColor(QLabel *label)
{
    label->setAttribute(Qt::WA_TranslucentBackground);
    const TZField *definition = fieldOfEditor(label->buddy());
    if (!definition)
        return;
    if (!definition->GetZFieldVisible()) {
        label->hide();
        return;
    }
    const bool required =
        definition->FieldName.compare(DataSource().MasterKey, Qt::CaseInsensitive) == 0 || !definition->AllowEmpty;
    QFont font = label->font();
    font.setBold(required);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     required ? QColor(0x00, 0x00, 0x80) : QApplication::palette().color(QPalette::WindowText));
    label->setPalette(palette);
    label->setProperty("zRequiredLabel", required);
    if (!definition->DisplayName.isEmpty())
        label->setText(definition->DisplayName);
}
