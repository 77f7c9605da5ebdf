#include "TZFieldLink.h"

#include "ZGuard.h"

#include "common/ZErrors.h"
#include "controls/ZEditorAdapter.h"
#include "data/TZClientDataSet.h"

#include <QTimer>
#include <QWidget>

TZFieldLink::TZFieldLink(QWidget *editor, TZClientDataSet &dataSet, QString fieldName)
    : QObject(editor), m_editor(editor), m_dataSet(&dataSet), m_fieldName(std::move(fieldName))
{
    ZEditorAdapter::OnEdited(editor, this, [this] { edited(); });
    m_listener = m_dataSet->AddRowListener([this](const TZRowEvent &event) {
        if (m_busy)
            return;
        switch (event.kind) {
        case TZRowEvent::Changed:
        case TZRowEvent::Removed:
        case TZRowEvent::Reset:
        case TZRowEvent::CurrentChanged:
            Read();
            break;
        default:
            break;
        }
    });
    Read();
}

TZFieldLink::~TZFieldLink()
{
    m_dataSet->RemoveRowListener(m_listener);
}

void TZFieldLink::Read()
{
    if (!m_editor)
        return;
    m_busy = true;
    QVariant value;
    if (m_dataSet->Active() && !m_dataSet->IsEmpty()) {
        TZDataField &field = m_dataSet->FieldByName(m_fieldName);
        const QVariant shown = ZEditorAdapter::Value(m_editor);
        // Texts show the field's text (its display rules); the other kinds
        // take the typed value.
        value = shown.typeId() == QMetaType::QString ? QVariant(field.Text()) : field.Value();
    }
    ZEditorAdapter::SetValue(m_editor, value);
    m_busy = false;
}

void TZFieldLink::Write()
{
    if (!m_editor || !m_dataSet->Active())
        return;
    TZDataField &field = m_dataSet->FieldByName(m_fieldName);
    const QVariant value = ZEditorAdapter::Value(m_editor);
    const bool same = value.typeId() == QMetaType::QString ? value.toString() == field.Text() : value == field.Value();
    if (same)
        return;
    m_busy = true;
    try {
        if (m_dataSet->State() == dsBrowse)
            m_dataSet->Edit();
        if (value.typeId() == QMetaType::QString)
            field.SetText(value.toString());
        else
            field.SetValue(value);
    } catch (...) {
        m_busy = false;
        throw;
    }
    m_busy = false;
}

void TZFieldLink::edited()
{
    if (m_busy || !m_editor || ZEditorAdapter::IsReadOnly(m_editor))
        return;
    if (!ZGuard([this] { Write(); })) {
        // The typed text stays for the user to correct, and the focus goes
        // back to it once the focus change under way has finished.
        QPointer<QWidget> editor = m_editor;
        QTimer::singleShot(0, this, [editor] {
            if (!editor)
                return;
            editor->activateWindow();
            editor->setFocus(Qt::OtherFocusReason);
        });
    }
}

void TZFieldLink::SetReadOnly(bool readOnly)
{
    ZEditorAdapter::SetReadOnly(m_editor, readOnly);
}

void TZFieldLink::SetRequired(bool required)
{
    ZEditorAdapter::SetRequired(m_editor, required);
}
