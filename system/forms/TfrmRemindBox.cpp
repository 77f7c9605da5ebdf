#include "TfrmRemindBox.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZMainWindow.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "remind/ZRemindData.h"
#include "settings/ZGridLog.h"
#include "settings/ZRegistry.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRemindIDRole = Qt::UserRole;
constexpr int kDefaultInterval = 5;

QPushButton *makeButton(QWidget *owner, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, owner);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TfrmRemindBox::TfrmRemindBox(QWidget *parent)
    : TfrmZForm(parent), m_tree(new QTreeWidget(this)), m_interval(new QSpinBox(this)),
      m_rows(std::make_unique<TOrvDataSet>())
{
    setWindowTitle(QStringLiteral("提醒精灵"));
    m_grid = new TZDBGrid(this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_grid->SetReadOnly(true);
    m_grid->SetSortingAllowed(true);
    m_tree->setObjectName(QStringLiteral("tvRemind"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_interval->setObjectName(QStringLiteral("edtInterval"));
    m_interval->setRange(1, 1440);

    QPushButton *refresh = makeButton(this, "btnRefresh", QStringLiteral("刷新数据"));
    QPushButton *open = makeButton(this, "btnOpen", QStringLiteral("打开单据"));
    QPushButton *settings = makeButton(this, "btnRemindSet", QStringLiteral("提醒设定"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(refresh);
    bar->addWidget(open);
    bar->addWidget(settings);
    bar->addStretch(1);
    bar->addWidget(new QLabel(QStringLiteral("间隔"), this));
    bar->addWidget(m_interval);
    bar->addWidget(new QLabel(QStringLiteral("分钟检查提醒"), this));

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_tree);
    split->addWidget(m_grid);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 520});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    resize(780, 460);

    bool ok = false;
    const int stored = ZTrim(ReadRegKey(QStringLiteral("CheckRemindInterval"))).toInt(&ok);
    m_interval->setValue(ok && stored > 0 ? stored : kDefaultInterval);

    connect(refresh, &QPushButton::clicked, this, [this] { ZGuard([this] { RefreshData(); }); });
    connect(open, &QPushButton::clicked, this, [this] { ZGuard([this] { OpenRecord(); }); });
    connect(settings, &QPushButton::clicked, this, [this] { ZGuard([this] { OpenRemindSet(); }); });
    connect(m_grid, &TZDBGrid::rowDoubleClicked, this, [this] { ZGuard([this] { OpenRecord(); }); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            ZGuard([this, item] { ShowRemind(item->data(0, kRemindIDRole).toString()); });
    });
    connect(m_interval, &QSpinBox::valueChanged, this, [this](int minutes) {
        ZGuard([this, minutes] { SetInterval(minutes); });
    });
}

TfrmRemindBox::~TfrmRemindBox()
{
    m_grid->SetDataSet(nullptr);
}

void TfrmRemindBox::showEvent(QShowEvent *event)
{
    TfrmZForm::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    ZGuard([this] { RefreshData(); });
}

void TfrmRemindBox::closeEvent(QCloseEvent *event)
{
    saveColumns();
    TfrmZForm::closeEvent(event);
}

QString TfrmRemindBox::GridLogKey(const QString &progID) const
{
    return progID + QLatin1Char('_') + QLatin1String(metaObject()->className());
}

void TfrmRemindBox::RefreshData()
{
    const QString chosen = m_remindID;
    const std::unique_ptr<TZClientDataSet> definitions = DBConn().DBOpenDataSet(ZRemindSetListSql());
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    // A definition that cannot be counted (its module gone, its condition
    // broken) keeps its place; the first such error is shown at the end.
    QString failure;
    QTreeWidgetItem *first = nullptr;
    QTreeWidgetItem *match = nullptr;
    for (definitions->First(); !definitions->Eof(); definitions->Next()) {
        const QString id = ZTrim(definitions->FieldByName(QStringLiteral("RemindID")).AsString());
        const QString title = ZTrim(definitions->FieldByName(QStringLiteral("RemindTitle")).AsString());
        int count = 0;
        try {
            count = DBConn().GetRecordCount(ZRemindDataSqlOf(id));
        } catch (const EZError &error) {
            if (failure.isEmpty())
                failure = error.message();
        }
        auto *item = new QTreeWidgetItem(m_tree, {QStringLiteral("%1 %2(%3)").arg(id, title).arg(count)});
        item->setData(0, kRemindIDRole, id);
        if (!first)
            first = item;
        if (!chosen.isEmpty() && id.compare(chosen, Qt::CaseInsensitive) == 0)
            match = item;
    }
    QTreeWidgetItem *current = match ? match : first;
    if (current) {
        m_tree->setCurrentItem(current);
        ShowRemind(current->data(0, kRemindIDRole).toString());
    } else {
        saveColumns();
        m_remindID.clear();
        m_progID.clear();
        m_grid->SetDataSet(nullptr);
        m_rows->Close();
    }
    if (!failure.isEmpty())
        throw EZError(failure);
}

void TfrmRemindBox::ShowRemind(const QString &remindID)
{
    QString progID;
    const QString sql = ZRemindDataSqlOf(remindID, &progID);
    saveColumns();
    m_grid->SetDataSet(nullptr);
    m_remindID = remindID;
    m_progID = GetDataSource(progID).Name;
    m_rows->ProgID = m_progID;
    m_rows->ProgDSIndex = 0;
    DBConn().DBOpenDataSet(*m_rows, sql);
    m_grid->SetDataSet(m_rows.get());
    RefreshGridByDS(*m_grid);
    if (m_rows->FindField(QStringLiteral("Flag")))
        m_grid->SetColumnVisible(QStringLiteral("Flag"), false);
    restoreColumns();
    m_rows->First();
}

void TfrmRemindBox::saveColumns()
{
    if (m_progID.isEmpty() || m_grid->DataSet() != m_rows.get())
        return;
    QList<int> widths;
    const QStringList fields = m_grid->FieldsInViewOrder();
    for (const QString &field : fields)
        widths << m_grid->ColumnWidth(field);
    SaveGirdWidthLog(GridLogKey(m_progID), QString(), widths);
}

void TfrmRemindBox::restoreColumns()
{
    const QStringList widths = GetGirdWidthLog(GridLogKey(m_progID), QString());
    const QStringList fields = m_grid->FieldsInViewOrder();
    for (int i = 0; i < fields.size(); ++i) {
        bool ok = false;
        const int width = widths.value(i).toInt(&ok);
        if (ok && width > 0)
            m_grid->SetColumnWidth(fields.at(i), width);
        else
            m_grid->SetColumnWidth(fields.at(i), std::min(m_grid->FitColumnToContent(fields.at(i)), 240));
    }
}

void TfrmRemindBox::OpenRecord()
{
    if (m_progID.isEmpty() || !m_rows->Active() || m_rows->IsEmpty())
        throw EZError(QStringLiteral("没有单据数据"));
    const TZDataField *key = m_rows->FindField(GetDataSource(m_progID).MasterKey);
    const QString keyValue = key ? ZTrim(key->AsString()) : QString();
    if (keyValue.isEmpty())
        throw EZError(QStringLiteral("没有单据数据"));
    WakeUpBillFormByProg(m_progID, keyValue, QStringLiteral("F3"));
}

void TfrmRemindBox::OpenRemindSet()
{
    WakeUpListFormByProg(QStringLiteral("comRemindSet"));
}

void TfrmRemindBox::SetInterval(int minutes)
{
    WriteRegKey(QStringLiteral("CheckRemindInterval"), QString::number(minutes));
    if (QWidget *main = ZMainWindow())
        QCoreApplication::postEvent(main, new TZMessageEvent(ZWM_REMINDINTERVAL, QString(), QString(), minutes));
}
