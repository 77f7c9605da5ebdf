#include "TfrmSelectDS.h"

#include "common/ZGuard.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kProgIDRole = Qt::UserRole;

} // namespace

TfrmSelectDS::TfrmSelectDS(QWidget *parent) : TfrmZForm(parent), m_list(new QTreeWidget(this))
{
    setWindowTitle(QStringLiteral("选择单据"));
    m_list->setObjectName(QStringLiteral("lstDataSource"));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({QStringLiteral("分类"), QStringLiteral("单据"), QStringLiteral("代码")});
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(420, 460);

    connect(ok, &QPushButton::clicked, this, [this] { ZGuard([this] { TakeBack(); }); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { ZGuard([this] { TakeBack(); }); });
    fill();
}

void TfrmSelectDS::fill()
{
    struct TEntry
    {
        QString group;
        int menuIndex;
        QString caption;
        QString progID;
    };
    std::vector<TEntry> entries;
    for (const QString &name : RegisteredProgIDs()) {
        const TZDataSource &source = GetDataSource(name);
        if (source.IsReport || source.FuncType != 0 || source.MasterKey.isEmpty())
            continue;
        entries.push_back({source.Module, source.MenuIndex, source.DisplayName, source.Name});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry &a, const TEntry &b) {
        return a.group != b.group ? a.group < b.group : a.menuIndex < b.menuIndex;
    });
    for (const TEntry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_list, {entry.group, entry.caption, entry.progID});
        item->setData(0, kProgIDRole, entry.progID);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

QStringList TfrmSelectDS::ProgIDs() const
{
    QStringList names;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        names << m_list->topLevelItem(i)->data(0, kProgIDRole).toString();
    return names;
}

QString TfrmSelectDS::SelectedProgID() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, kProgIDRole).toString() : QString();
}

void TfrmSelectDS::SetSelectedProgID(const QString &progID)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_list->topLevelItem(i);
        if (item->data(0, kProgIDRole).toString().compare(progID, Qt::CaseInsensitive) == 0)
            m_list->setCurrentItem(item);
    }
}

void TfrmSelectDS::TakeBack()
{
    const QString progID = SelectedProgID();
    if (progID.isEmpty())
        return;
    SendMsgToParentForm(QStringLiteral("SelectDS"), progID);
    close();
}
