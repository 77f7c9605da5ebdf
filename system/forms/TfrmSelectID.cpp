#include "TfrmSelectID.h"

#include "common/ZGuard.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "controls/TPrintRange.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "ini/TZIniFile.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kDisplayLog = QStringLiteral("log/Display.log");

} // namespace

TfrmSelectID::TfrmSelectID(QWidget *parent)
    : TfrmZForm(parent),
      m_rows(std::make_unique<TOrvDataSet>()),
      m_grid(nullptr),
      m_filter(new QLineEdit(this)),
      m_take(new QPushButton(QStringLiteral("取回"), this)),
      m_add(new QPushButton(QStringLiteral("新增"), this))
{
    // Made here, not in the list above: the application's event filters of
    // framework windows already run while the grid is being made.
    m_grid = new TZDBGrid(this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_filter->setObjectName(QStringLiteral("edtFilter"));
    m_take->setObjectName(QStringLiteral("btnTakeBack"));
    m_add->setObjectName(QStringLiteral("btnAdd"));
    m_grid->SetReadOnly(true);
    m_grid->SetSortingAllowed(true);
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("过滤："), this));
    bar->addWidget(m_filter, 1);
    bar->addWidget(m_add);
    bar->addWidget(m_take);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid, 1);
    resize(560, 400);

    connect(m_filter, &QLineEdit::returnPressed, this, [this] { ZGuard([this] { ApplyFilter(); }); });
    connect(m_take, &QPushButton::clicked, this, [this] { ZGuard([this] { TakeBack(); }); });
    connect(m_add, &QPushButton::clicked, this, [this] { ZGuard([this] { AddNew(); }); });
    connect(m_grid, &TZDBGrid::rowDoubleClicked, this, [this] { ZGuard([this] { TakeBack(); }); });
    m_grid->View()->installEventFilter(this);
}

TfrmSelectID::~TfrmSelectID()
{
    m_grid->SetDataSet(nullptr);
}

void TfrmSelectID::FormReturnValue(const QString &name, const QString &value)
{
    if (name == kFormParamsName) {
        const TFormParams *params = ZFormParamsAt(value);
        if (!params)
            return;
        if (!ZTrim(params->Action).isEmpty())
            m_returnName = ZTrim(params->Action);
        open(params->ProgID, params->MultiSelect, params->Text);
        return;
    }
    // A print-range control asks through its own name; any other name is
    // the module, "2" asking for several records.
    if (name == QLatin1String("TagPrintRange")) {
        openForRange(value);
        return;
    }
    open(name, value == QLatin1String("2"), QString());
}

void TfrmSelectID::openForRange(const QString &address)
{
    // The address came through a message: only a control alive is followed.
    const TPrintRange *range = ZPrintRangeAt(address);
    if (!range || range->ProgID().isEmpty()) {
        close();
        return;
    }
    m_rangeAddress = address;
    open(range->ProgID(), !range->PlainTextEditor(), QString());
}

void TfrmSelectID::open(const QString &progID, bool multi, const QString &statement)
{
    std::shared_ptr<TZDataSource> source = GetDataSourcePtr(progID);
    m_progID = source->Name;
    m_multi = multi;
    setWindowTitle(source->DisplayName + (multi ? QStringLiteral(" - 多选") : QStringLiteral(" - 单选")));
    m_grid->View()->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    m_add->setVisible(GetHavePowerEx(m_progID, piAdd));
    m_rows->ProgID = m_progID;
    m_rows->ProgDSIndex = 0;
    const QString sql =
        ZTrim(statement).isEmpty() ? source->GetDataSetSQL(0, true) + source->GetSelectListWhere() : statement;
    DBConn().DBOpenDataSet(*m_rows, sql);
    m_grid->SetDataSet(m_rows.get());
    RefreshGridByDS(*m_grid);
    for (const char *hidden : {"UseForFilter", "Flag"}) {
        if (m_rows->FindField(QLatin1String(hidden)))
            m_grid->SetColumnVisible(QLatin1String(hidden), false);
    }
    restoreColumns();
    m_rows->First();
}

void TfrmSelectID::ApplyFilter()
{
    const QString text = ZTrim(m_filter->text());
    QTreeView *view = m_grid->View();
    const std::vector<TZRowData *> &rows = m_rows->visibleRows();
    for (int r = 0; r < int(rows.size()); ++r) {
        bool passes = text.isEmpty();
        for (int c = 0; !passes && c < m_rows->FieldCount(); ++c)
            passes = m_rows->displayText(r, c).contains(text, Qt::CaseSensitive);
        view->setRowHidden(r, QModelIndex(), !passes);
    }
}

void TfrmSelectID::TakeBack()
{
    if (m_progID.isEmpty())
        return;
    const std::shared_ptr<TZDataSource> source = GetDataSourcePtr(m_progID);
    const TZDataField *key = m_rows->FindField(source->MasterKey);
    if (!key)
        return;
    if (!m_rangeAddress.isEmpty()) {
        if (TPrintRange *range = ZPrintRangeAt(m_rangeAddress); range && !m_rows->IsEmpty())
            fillRange(*range, *key);
    } else if (m_multi) {
        const QStringList keys = selectedKeys(*key);
        if (!keys.isEmpty())
            SendMsgToParentForm(m_returnName, keys.join(QStringLiteral("[#]")));
    } else if (!m_rows->IsEmpty()) {
        SendMsgToParentForm(m_returnName, ZTrim(key->AsString()));
    }
    close();
}

QStringList TfrmSelectID::selectedKeys(const TZDataField &key)
{
    QStringList keys;
    const std::vector<TZRowData *> &rows = m_rows->visibleRows();
    for (const QModelIndex &index : m_grid->View()->selectionModel()->selectedRows()) {
        if (index.row() >= 0 && index.row() < int(rows.size()) && !m_grid->View()->isRowHidden(index.row(), {}))
            keys << ZQuotedStr(ZTrim(m_rows->displayText(index.row(), key.Index())));
    }
    return keys;
}

void TfrmSelectID::fillRange(TPrintRange &range, const TZDataField &key)
{
    // A plain text takes the current row's key; a list control the chosen
    // keys, its list switch on exactly when there are some.
    if (range.PlainTextEditor()) {
        range.SetPickedKey(ZTrim(key.AsString()));
        return;
    }
    const QString keys = selectedKeys(key).join(QLatin1Char(','));
    range.SetKeyList(keys);
    range.SetListOn(!keys.isEmpty());
}

void TfrmSelectID::AddNew()
{
    const std::shared_ptr<TZDataSource> source = GetDataSourcePtr(m_progID);
    TFormParams params;
    params.Action = QStringLiteral("AddNew");
    params.ProgID = m_progID;
    params.WakeUpByProgID = true;
    const QString formClass =
        ZTrim(source->FormClassName).isEmpty() ? QStringLiteral("TfrmMasterDataBase") : ZTrim(source->FormClassName);
    close();
    WakeUpForm(formClass, wtShow, kFormParamsName, ZFormParamsAddress(params));
}

void TfrmSelectID::restoreColumns()
{
    TZIniFile log(kDisplayLog);
    const QStringList order = log.ReadString(QStringLiteral("DisplayPosition"), m_progID, QString())
                                  .split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QStringList widths =
        log.ReadString(QStringLiteral("DisplayWidth"), m_progID, QString()).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < order.size(); ++i) {
        const QString field = ZTrim(order.at(i));
        if (m_grid->ColumnOf(field) < 0)
            continue;
        m_grid->SetColumnPosition(field, i);
        if (i < widths.size() && widths.at(i).toInt() > 0)
            m_grid->SetColumnWidth(field, widths.at(i).toInt());
    }
}

void TfrmSelectID::saveColumns()
{
    if (m_progID.isEmpty())
        return;
    const QStringList fields = m_grid->FieldsInViewOrder();
    QStringList widths;
    for (const QString &field : fields)
        widths << QString::number(m_grid->ColumnWidth(field));
    TZIniFile log(kDisplayLog);
    log.WriteString(QStringLiteral("DisplayPosition"), m_progID, fields.join(QLatin1Char(',')));
    log.WriteString(QStringLiteral("DisplayWidth"), m_progID, widths.join(QLatin1Char(',')));
}

void TfrmSelectID::showEvent(QShowEvent *event)
{
    TfrmZForm::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // A chooser belongs to the window it chooses for: it opens centred on
    // it, on the screen.
    QWidget *owner = ParentForm();
    if (!owner)
        owner = QApplication::activeWindow();
    if (!owner || owner == this)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(owner->frameGeometry().center());
    if (const QScreen *screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
    }
    move(frame.topLeft());
}

bool TfrmSelectID::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a row takes it back.
    if (m_grid && watched == m_grid->View() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ZGuard([this] { TakeBack(); });
            return true;
        }
    }
    return TfrmZForm::eventFilter(watched, event);
}

void TfrmSelectID::closeEvent(QCloseEvent *event)
{
    ZGuard([this] { saveColumns(); });
    TfrmZForm::closeEvent(event);
}
