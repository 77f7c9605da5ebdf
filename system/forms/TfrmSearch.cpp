#include "TfrmSearch.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZGridLog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kDefaultWidth = 100;

} // namespace

TfrmSearch::TfrmSearch(QWidget *parent)
    : TfrmZForm(parent),
      m_rows(std::make_unique<TOrvDataSet>()),
      m_add(new QPushButton(QStringLiteral("新增"), this)),
      m_exit(new QPushButton(QStringLiteral("退出"), this))
{
    // Made here, not in the list above: the application's event filters of
    // framework windows already run while the grid is being made.
    m_grid = new TZDBGrid(this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_add->setObjectName(QStringLiteral("btnAdd"));
    m_exit->setObjectName(QStringLiteral("btnExit"));
    m_grid->SetReadOnly(true);
    m_grid->SetSortingAllowed(true);
    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    bar->addWidget(m_add);
    bar->addWidget(m_exit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid, 1);
    resize(640, 420);

    connect(m_add, &QPushButton::clicked, this, [this] { ZGuard([this] { AddNew(); }); });
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_grid->View(), &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        ZGuard([this, &index] {
            if (moveToRow(index))
                ReturnCurrentKey();
        });
    });
    connect(m_grid->View(), &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        ZGuard([this, &index] {
            if (!moveToRow(index))
                return;
            ReturnCurrentKey();
            close();
        });
    });
}

TfrmSearch::~TfrmSearch()
{
    m_grid->SetDataSet(nullptr);
}

void TfrmSearch::FormReturnValue(const QString &name, const QString &value)
{
    Q_UNUSED(value);
    open(ZTrim(name));
}

void TfrmSearch::open(const QString &progID)
{
    // The same module again: the rows and the layout stay as they are.
    if (!m_progID.isEmpty() && progID.compare(m_progID, Qt::CaseInsensitive) == 0)
        return;
    const std::shared_ptr<TZDataSource> source = GetDataSourcePtr(progID);
    if (!m_progID.isEmpty())
        saveLayout();
    m_progID = source->Name;
    setWindowTitle(source->DisplayName);
    m_add->setVisible(GetHavePowerEx(m_progID, piAdd));
    m_rows->ProgID = m_progID;
    m_rows->ProgDSIndex = 0;
    DBConn().DBOpenDataSet(*m_rows, source->GetDataSetSQL(0, true));
    m_grid->SetDataSet(m_rows.get());
    RefreshGridByDS(*m_grid);
    if (m_rows->FindField(QStringLiteral("Flag")))
        m_grid->SetColumnVisible(QStringLiteral("Flag"), false);
    restoreLayout();
    m_rows->First();
}

QString TfrmSearch::logTag() const
{
    return QStringLiteral("Tag") + m_progID;
}

void TfrmSearch::restoreLayout()
{
    const QString windowClass = QString::fromLatin1(metaObject()->className());
    const QStringList fields = m_rows->FieldNames();
    const QStringList widths = GetGirdWidthLog(windowClass, logTag());
    for (int i = 0; i < fields.size(); ++i) {
        const int width = ZTrim(widths.value(i)).toInt();
        m_grid->SetColumnWidth(fields.at(i), width > 0 ? width : kDefaultWidth);
    }
    const QList<int> groups = GetGridGroupLog(windowClass, logTag(), fields);
    for (int i = 0; i < fields.size(); ++i)
        m_grid->SetColumnGroupIndex(fields.at(i), groups.value(i, -1));
}

void TfrmSearch::saveLayout()
{
    if (m_progID.isEmpty() || !m_rows->Active())
        return;
    const QString windowClass = QString::fromLatin1(metaObject()->className());
    QList<int> widths;
    QList<QPair<QString, int>> groups;
    for (const QString &field : m_rows->FieldNames()) {
        widths << m_grid->ColumnWidth(field);
        groups << qMakePair(field, m_grid->ColumnGroupIndex(field));
    }
    SaveGirdWidthLog(windowClass, logTag(), widths);
    SaveGridGroupLog(windowClass, logTag(), groups);
}

bool TfrmSearch::moveToRow(const QModelIndex &index)
{
    const int row = m_grid->GroupModel()->SourceRow(index);
    if (row < 0 || !m_rows->Active())
        return false;
    if (m_rows->currentIndex() != row)
        m_rows->SetRecNo(row + 1);
    return m_rows->currentIndex() == row;
}

void TfrmSearch::ReturnCurrentKey()
{
    if (m_progID.isEmpty() || !m_rows->Active() || m_rows->IsEmpty())
        return;
    const TZDataField *key = m_rows->FindField(GetDataSourcePtr(m_progID)->MasterKey);
    const QString value = key ? ZTrim(key->AsString()) : QString();
    if (!value.isEmpty())
        SendMsgToParentForm(QStringLiteral("ReturnSearchID"), value);
}

void TfrmSearch::AddNew()
{
    const QString progID = m_progID;
    close();
    if (!progID.isEmpty())
        WakeUpBillFormByProg(progID, QString(), QStringLiteral("AddNew"));
}

void TfrmSearch::closeEvent(QCloseEvent *event)
{
    ZGuard([this] { saveLayout(); });
    TfrmZForm::closeEvent(event);
}
