#include "TfraSelectID.h"

#include "common/ZGuard.h"
#include "common/ZPinyin.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "controls/ZGridColumns.h"
#include "data/TZClientDataSet.h"
#include "forms/TfrmZForm.h"
#include "layout/TGridCtrl.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kFilterField = QStringLiteral("UseForFilter");
constexpr int kFrameWidth = 350;
constexpr int kFrameHeight = 200;

} // namespace

TfraSelectID::TfraSelectID(QWidget *owner) : QFrame(owner), m_grid(new TZDBGrid(this))
{
    setObjectName(QStringLiteral("fraSelectID"));
    setFrameShape(QFrame::Box);
    m_grid->setObjectName(QStringLiteral("cxGridSelect"));
    // The columns are set here for each module, not kept by the owner.
    m_grid->setProperty(kZOwnGridLayout, true);
    m_grid->SetReadOnly(true);
    m_grid->View()->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_grid);
    resize(kFrameWidth, kFrameHeight);
    hide();
    connect(m_grid, &TZDBGrid::rowDoubleClicked, this, [this] { ZGuard([this] { ReturnID(); }); });
    m_grid->View()->installEventFilter(this);
}

TfraSelectID::~TfraSelectID()
{
    m_grid->SetDataSet(nullptr);
}

TZClientDataSet *TfraSelectID::rows() const
{
    return m_grid->DataSet();
}

void TfraSelectID::InitSelect(TZClientDataSet *dataSet, const QString &progID)
{
    m_grid->SetDataSet(dataSet);
    if (ZTrim(progID).compare(m_progID, Qt::CaseInsensitive) == 0 || !dataSet)
        return;
    const std::shared_ptr<TZDataSource> source = GetDataSourcePtr(ZTrim(progID));
    m_progID = source->Name;
    m_keyField = source->MasterKey;
    m_nameField = source->SubKey;
    RefreshGridByDS(*m_grid);
    for (const QString &hidden : {kFilterField, QStringLiteral("Flag")}) {
        if (dataSet->FindField(hidden))
            m_grid->SetColumnVisible(hidden, false);
    }
    int shown = 0;
    for (const QString &field : m_grid->FieldsInViewOrder()) {
        if (!m_grid->ColumnShown(field))
            continue;
        m_grid->SetColumnWidth(field, shown == 0 ? 180 : 70);
        if (++shown == 3)
            break;
    }
    resize(kFrameWidth, height());
}

void TfraSelectID::ShowSelectFast(int left, int top, const QString &text)
{
    if (rows() && rows()->Active())
        filterRows(ZTrim(text));
    setGeometry(left, top, kFrameWidth, kFrameHeight);
    show();
    raise();
}

void TfraSelectID::filterRows(const QString &text)
{
    TZClientDataSet &data = *rows();
    if (data.FindField(kFilterField)) {
        if (text.isEmpty()) {
            data.SetFiltered(false);
        } else {
            data.SetFilter(kFilterField + QStringLiteral(" like ")
                           + ZQuotedStr(QLatin1Char('%') + text + QLatin1Char('%')));
            data.SetFiltered(true);
        }
        data.First();
        return;
    }
    hideUnmatched(text);
    moveToShownRow();
}

void TfraSelectID::hideUnmatched(const QString &text)
{
    TZClientDataSet &data = *rows();
    const TZDataField *key = data.FindField(m_keyField);
    const TZDataField *name = data.FindField(m_nameField);
    // Letters alone may be pinyin initials; a text with Chinese in it is
    // looked for as it is.
    const bool initials = GetPinyinInitials(text) == text;
    const QString typed = text.toUpper();
    const int count = int(data.visibleRows().size());
    for (int r = 0; r < count; ++r) {
        bool passes = text.isEmpty();
        for (const TZDataField *field : {key, name}) {
            if (passes || !field)
                continue;
            const QString value = data.displayText(r, field->Index());
            passes = value.contains(text, Qt::CaseInsensitive)
                     || (initials && field == name && PinyinInitialsContain(value, typed));
        }
        const QModelIndex index = m_grid->GroupModel()->IndexOfSourceRow(r, 0);
        if (index.isValid())
            m_grid->View()->setRowHidden(index.row(), index.parent(), !passes);
    }
}

bool TfraSelectID::rowShown(int row) const
{
    const QModelIndex index = m_grid->GroupModel()->IndexOfSourceRow(row, 0);
    return index.isValid() && !m_grid->View()->isRowHidden(index.row(), index.parent());
}

void TfraSelectID::moveToShownRow()
{
    TZClientDataSet &data = *rows();
    if (data.currentIndex() >= 0 && rowShown(data.currentIndex()))
        return;
    const int count = int(data.visibleRows().size());
    for (int r = 0; r < count; ++r) {
        if (rowShown(r)) {
            data.SetRecNo(r + 1);
            return;
        }
    }
}

int TfraSelectID::ShownCount() const
{
    TZClientDataSet *data = rows();
    if (!data || !data->Active())
        return 0;
    int shown = 0;
    const int count = int(data->visibleRows().size());
    for (int r = 0; r < count; ++r)
        shown += rowShown(r) ? 1 : 0;
    return shown;
}

void TfraSelectID::ReturnID()
{
    TZClientDataSet *data = rows();
    hide();
    if (!data || !data->Active() || data->IsEmpty() || !rowShown(data->currentIndex()))
        return;
    const TZDataField *key = data->FindField(m_keyField);
    if (!key)
        return;
    const QString value = ZTrim(key->AsString());
    if (m_editor) {
        m_editor->setText(value);
        m_editor->setFocus(Qt::OtherFocusReason);
    }
    handBack(m_keyField, value);
}

void TfraSelectID::ReturnCancel()
{
    hide();
    if (m_editor)
        m_editor->setFocus(Qt::OtherFocusReason);
    handBack(QStringLiteral("ReturnCancel"), m_keyField);
}

void TfraSelectID::handBack(const QString &name, const QString &value)
{
    if (auto *owner = qobject_cast<TfrmZForm *>(window())) {
        TZMessageEvent message(ZWM_FORMRETURNVALUE, name, value);
        QCoreApplication::sendEvent(owner, &message);
    } else {
        emit returned(name, value);
    }
}

void TfraSelectID::AttachTo(QLineEdit *editor)
{
    if (m_editor == editor)
        return;
    if (m_editor) {
        m_editor->removeEventFilter(this);
        disconnect(m_editor, nullptr, this, nullptr);
    }
    m_editor = editor;
    if (!editor)
        return;
    editor->installEventFilter(this);
    connect(editor, &QLineEdit::textEdited, this, [this](const QString &text) {
        ZGuard([this, &text] {
            if (!m_editor || !rows())
                return;
            const QPoint below = parentWidget()->mapFromGlobal(m_editor->mapToGlobal(QPoint(0, m_editor->height())));
            ShowSelectFast(below.x(), below.y(), text);
        });
    });
}

bool TfraSelectID::editorKey(int key)
{
    if (!isVisible())
        return false;
    switch (key) {
    case Qt::Key_Down:
        moveToShownRow();
        m_grid->View()->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ReturnID();
        return true;
    case Qt::Key_Escape:
        ReturnCancel();
        return true;
    default:
        return false;
    }
}

bool TfraSelectID::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_editor) {
        bool used = false;
        ZGuard([&] { used = editorKey(static_cast<QKeyEvent *>(event)->key()); });
        if (used)
            return true;
    }
    if (watched == m_grid->View()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ZGuard([this] { ReturnID(); });
                return true;
            }
            if (key == Qt::Key_Escape) {
                ZGuard([this] { ReturnCancel(); });
                return true;
            }
        } else if (event->type() == QEvent::FocusOut
                   && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            // Leaving the list closes it (a header menu does not).
            hide();
        }
    }
    return QFrame::eventFilter(watched, event);
}
