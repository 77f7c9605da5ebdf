#include "TfrmSelfWhere2.h"

#include "forms/ZMessageBox.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZGuard.h"
#include "ini/TZIniFile.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNameRole = Qt::UserRole;

QString searchLog()
{
    return GetLogPath() + QStringLiteral("Search.log");
}

QListWidgetItem *fieldItem(const QString &caption, const QString &fieldName)
{
    auto *item = new QListWidgetItem(caption);
    item->setData(kNameRole, fieldName);
    return item;
}

QString nameOf(const QListWidgetItem *item)
{
    return item->data(kNameRole).toString();
}

} // namespace

TfrmSelfWhere2::TfrmSelfWhere2(QWidget *parent)
    : QDialog(parent), m_left(new QListWidget(this)), m_right(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("快速查询字段"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_left->setObjectName(QStringLiteral("lstFields"));
    m_right->setObjectName(QStringLiteral("lstChosen"));
    m_left->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_right->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto *moves = new QVBoxLayout;
    moves->addStretch();
    const auto addMove = [this, moves](const char *name, const QString &caption, void (TfrmSelfWhere2::*action)()) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        button->setFixedWidth(48);
        connect(button, &QPushButton::clicked, this, [this, action] { ZGuard([this, action] { (this->*action)(); }); });
        moves->addWidget(button);
    };
    addMove("btnChoose", QStringLiteral(">"), &TfrmSelfWhere2::ChooseSelected);
    addMove("btnChooseAll", QStringLiteral(">>"), &TfrmSelfWhere2::ChooseAll);
    addMove("btnRemove", QStringLiteral("<"), &TfrmSelfWhere2::RemoveSelected);
    addMove("btnRemoveAll", QStringLiteral("<<"), &TfrmSelfWhere2::RemoveAll);
    moves->addStretch();
    connect(m_left, &QListWidget::itemDoubleClicked, this, [this] { ZGuard([this] { ChooseSelected(); }); });
    connect(m_right, &QListWidget::itemDoubleClicked, this, [this] { ZGuard([this] { RemoveSelected(); }); });

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("可选字段"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("快速查询字段"), this), 0, 2);
    lists->addWidget(m_left, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_right, 1, 2);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(460, 360);
}

TfrmSelfWhere2::~TfrmSelfWhere2() = default;

void TfrmSelfWhere2::Load(const QString &progID)
{
    m_progID = progID;
    m_left->clear();
    m_right->clear();
    TZDataSource &source = GetDataSource(progID);
    if (source.DatasetCount() == 0 || source.Datasets.front()->Tables.empty())
        return;
    // The fields a keyword can be found in: the visible ones but pictures.
    QHash<QString, const TZField *> offered; // folded field name → field
    for (const auto &field : source.Datasets.front()->Tables.front()->Fields) {
        if (!field->GetZFieldVisible() || field->FieldType == ftZBlob)
            continue;
        m_left->addItem(fieldItem(field->DisplayName, field->FieldName));
        offered.insert(field->FieldName.toLower(), field.get());
    }
    // A stored field the module no longer offers is dropped.
    for (const QString &name : StoredFields(progID)) {
        const TZField *field = offered.value(name.trimmed().toLower());
        if (field && !isChosen(field->FieldName))
            m_right->addItem(fieldItem(field->DisplayName, field->FieldName));
    }
}

QStringList TfrmSelfWhere2::ChosenFields() const
{
    QStringList names;
    for (int i = 0; i < m_right->count(); ++i)
        names << nameOf(m_right->item(i));
    return names;
}

bool TfrmSelfWhere2::isChosen(const QString &fieldName) const
{
    return ChosenFields().contains(fieldName, Qt::CaseInsensitive);
}

void TfrmSelfWhere2::choose(int leftRow)
{
    const QListWidgetItem *item = m_left->item(leftRow);
    if (isChosen(nameOf(item)))
        throw EZError(QStringLiteral("字段 [%1] 已被选择过").arg(item->text()));
    m_right->addItem(fieldItem(item->text(), nameOf(item)));
}

void TfrmSelfWhere2::ChooseSelected()
{
    for (int row = 0; row < m_left->count(); ++row) {
        if (m_left->item(row)->isSelected())
            choose(row);
    }
}

void TfrmSelfWhere2::ChooseAll()
{
    for (int row = 0; row < m_left->count(); ++row) {
        if (!isChosen(nameOf(m_left->item(row))))
            choose(row);
    }
}

void TfrmSelfWhere2::RemoveSelected()
{
    for (int row = m_right->count() - 1; row >= 0; --row) {
        if (m_right->item(row)->isSelected())
            delete m_right->takeItem(row);
    }
}

void TfrmSelfWhere2::RemoveAll()
{
    m_right->clear();
}

QStringList TfrmSelfWhere2::StoredFields(const QString &progID)
{
    const TZIniFile log(searchLog());
    return log.ReadString(QStringLiteral("Search"), progID, QString()).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

void TfrmSelfWhere2::StoreFields(const QString &progID, const QStringList &fields)
{
    TZIniFile log(searchLog());
    log.WriteString(QStringLiteral("Search"), progID, fields.join(QLatin1Char(',')));
}

bool TfrmSelfWhere2::GetSelfWhere(const QString &progID, QStringList &fields, QWidget *owner)
{
    Load(progID);
    if (ZExecBox(*this, owner) != QDialog::Accepted)
        return false;
    fields = ChosenFields();
    StoreFields(progID, fields);
    return true;
}

bool GetSearchFields(QWidget *owner, const QString &progID, QStringList &fields)
{
    TfrmSelfWhere2 chooser;
    return chooser.GetSelfWhere(progID, fields, owner);
}
