#include "TZFieldLink.h"

#include "common/ZGuard.h"

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
        switch (event.kind) {
        case TZRowEvent::Destroyed:
            m_dataSet = nullptr;
            break;
        case TZRowEvent::Changed:
        case TZRowEvent::Inserted:
        case TZRowEvent::Removed:
        case TZRowEvent::Reset:
        case TZRowEvent::CurrentChanged:
        case TZRowEvent::FieldChanged:
            if (!m_busy)
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
    if (m_dataSet)
        m_dataSet->RemoveRowListener(m_listener);
}

void TZFieldLink::Read()
{
    if (!m_editor)
        return;
    m_busy = true;
    QVariant value;
    const bool hasRow = m_dataSet && m_dataSet->Active()
                        && (m_dataSet->State() == dsInsert || m_dataSet->State() == dsEdit || !m_dataSet->IsEmpty());
    TZDataField *field = hasRow ? m_dataSet->FindField(m_fieldName) : nullptr;
    if (field) {
        // Texts show the field's text (its display rules); the other kinds
        // take the typed value.
        value = ZEditorAdapter::ShowsText(m_editor) && ZEditorAdapter::Value(m_editor).typeId() == QMetaType::QString
                    ? QVariant(field->Text())
                    : field->Value();
    }
    ZEditorAdapter::SetValue(m_editor, value);
    // What the editor shows now, in its own terms: only a change from this
    // is the user's entry (a null shown as 0 or an empty date is no entry).
    m_shown = ZEditorAdapter::Value(m_editor);
    m_busy = false;
}

void TZFieldLink::Write()
{
    if (!m_editor || !m_dataSet || !m_dataSet->Active())
        return;
    const QVariant value = ZEditorAdapter::Value(m_editor);
    if (value == m_shown)
        return;
    TZDataField &field = m_dataSet->FieldByName(m_fieldName);
    m_busy = true;
    try {
        if (m_dataSet->State() == dsBrowse)
            m_dataSet->Edit();
        if (value.typeId() == QMetaType::QString && ZEditorAdapter::ShowsText(m_editor))
            field.SetText(value.toString());
        else
            field.SetValue(value);
    } catch (...) {
        m_busy = false;
        throw;
    }
    m_busy = false;
    m_shown = value;
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

TZFieldLink *TZFieldLink::LinkOf(const QWidget *editor)
{
    return editor ? editor->findChild<TZFieldLink *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TZFieldLink::SetReadOnly(bool readOnly)
{
    ZEditorAdapter::SetReadOnly(m_editor, readOnly);
}

void TZFieldLink::SetRequired(bool required)
{
    ZEditorAdapter::SetRequired(m_editor, required);
}
