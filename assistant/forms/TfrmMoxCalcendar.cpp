#include "TfrmMoxCalcendar.h"

#include "common/ZClock.h"
#include "common/ZGuard.h"
#include "controls/TZCalcendar.h"
#include "data/TZDataField.h"
#include "forms/ZMessageBox.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const std::array<const char16_t *, 3> kGroupCaptions{u"行程安排(%1)", u"备忘录(%1)", u"日记本(%1)"};
const std::array<const char *, 3> kModules{"moxTask", "moxRemind", "moxDiary"};

// The roles of an entry: its module and its record key.
constexpr int kProgIDRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

QString groupCaption(int kind, int count)
{
    return QString::fromUtf16(kGroupCaptions.at(size_t(kind))).arg(count);
}

} // namespace

TfrmMoxCalcendar::TfrmMoxCalcendar(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("行事历"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);

    auto *bar = new QHBoxLayout;
    edtYear = new QSpinBox(this);
    edtYear->setObjectName(QStringLiteral("edtYear"));
    edtYear->setRange(1900, 3000);
    edtYear->setSuffix(QStringLiteral(" 年"));
    cbxMonth = new QComboBox(this);
    cbxMonth->setObjectName(QStringLiteral("cbxMonth"));
    for (int month = 1; month <= 12; ++month)
        cbxMonth->addItem(QStringLiteral("%1月").arg(month), month);
    const auto button = [this, bar](const QString &name, const QString &caption) {
        auto *result = new QPushButton(caption, this);
        result->setObjectName(name);
        bar->addWidget(result);
        return result;
    };
    bar->addWidget(edtYear);
    bar->addWidget(cbxMonth);
    QPushButton *previous = button(QStringLiteral("btnPrior"), QStringLiteral("上月"));
    QPushButton *next = button(QStringLiteral("btnNext"), QStringLiteral("下月"));
    QPushButton *today = button(QStringLiteral("btnToday"), QStringLiteral("今天"));
    QPushButton *refresh = button(QStringLiteral("btnRefresh"), QStringLiteral("刷新"));
    bar->addStretch();
    QPushButton *addTask = button(QStringLiteral("btnAddTask"), QStringLiteral("+ 行程"));
    QPushButton *addRemind = button(QStringLiteral("btnAddRemind"), QStringLiteral("+ 备忘"));
    QPushButton *addDiary = button(QStringLiteral("btnAddDiary"), QStringLiteral("+ 日记"));
    layout->addLayout(bar);

    auto *body = new QHBoxLayout;
    Calendar = new TZCalcendar(this);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    body->addWidget(Calendar, 1);
    gbxDay = new QGroupBox(this);
    gbxDay->setObjectName(QStringLiteral("gbxDay"));
    gbxDay->setFixedWidth(230);
    auto *groups = new QVBoxLayout(gbxDay);
    for (int kind = 0; kind < 3; ++kind) {
        auto *header = new QToolButton(gbxDay);
        header->setObjectName(QStringLiteral("btnGroup%1").arg(kind));
        header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        header->setCheckable(true);
        header->setAutoRaise(true);
        header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        auto *list = new QListWidget(gbxDay);
        list->setObjectName(QStringLiteral("lstGroup%1").arg(kind));
        list->setCursor(Qt::PointingHandCursor);
        groups->addWidget(header);
        groups->addWidget(list, 1);
        GroupHeaders.at(size_t(kind)) = header;
        GroupLists.at(size_t(kind)) = list;
        connect(header, &QToolButton::toggled, this, [this, kind](bool open) { setGroupOpen(kind, open); });
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem *item) { ZGuard([this, item] { openEntry(item); }); });
    }
    groups->addStretch();
    body->addWidget(gbxDay);
    layout->addLayout(body, 1);

    connect(previous, &QPushButton::clicked, this, [this] {
        const QDate date = Calendar->Date().addMonths(-1);
        ZGuard([&] { ShowMonth(date.year(), date.month()); });
    });
    connect(next, &QPushButton::clicked, this, [this] {
        const QDate date = Calendar->Date().addMonths(1);
        ZGuard([&] { ShowMonth(date.year(), date.month()); });
    });
    connect(today, &QPushButton::clicked, this, [this] { ZGuard([this] { Calendar->SetDate(ZDate()); }); });
    connect(refresh, &QPushButton::clicked, this, [this] { ZGuard([this] { RefreshData(); }); });
    connect(addTask, &QPushButton::clicked, this, [this] { ZGuard([this] { AddItem(mikTask); }); });
    connect(addRemind, &QPushButton::clicked, this, [this] { ZGuard([this] { AddItem(mikRemind); }); });
    connect(addDiary, &QPushButton::clicked, this, [this] { ZGuard([this] { AddItem(mikDiary); }); });
    connect(edtYear, &QSpinBox::valueChanged, this, [this](int year) {
        if (!m_syncing)
            ZGuard([&] { ShowMonth(year, Calendar->Month()); });
    });
    connect(cbxMonth, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_syncing && index >= 0)
            ZGuard([&] { ShowMonth(Calendar->Year(), index + 1); });
    });
    connect(Calendar, &TZCalcendar::DateChanged, this, [this] { ZGuard([this] { dateChanged(); }); });
    connect(Calendar, &TZCalcendar::DateDoubleClicked, this, [this] { ZGuard([this] { askAndAdd(); }); });

    resize(1000, 640);
    Calendar->SetDate(ZDate());
    dateChanged();
}

TfrmMoxCalcendar::~TfrmMoxCalcendar() = default;

void TfrmMoxCalcendar::ShowMonth(int year, int month)
{
    Calendar->SetYearMonth(qBound(1900, year, 3000), month);
}

void TfrmMoxCalcendar::dateChanged()
{
    const QDate date = Calendar->Date();
    m_syncing = true;
    edtYear->setValue(date.year());
    cbxMonth->setCurrentIndex(date.month() - 1);
    m_syncing = false;
    const QDate first(date.year(), date.month(), 1);
    if (!m_loaded || m_data.First() != first.addDays(-7))
        RefreshData();
    else
        fillDay();
}

void TfrmMoxCalcendar::RefreshData()
{
    const QDate date = Calendar->Date();
    const QDate first(date.year(), date.month(), 1);
    const QDate last(date.year(), date.month(), first.daysInMonth());
    m_data.Load(first.addDays(-7), last.addDays(14));
    m_loaded = true;
    Calendar->ClearDayTexts();
    for (QDate day = m_data.First(); day <= m_data.Last(); day = day.addDays(1)) {
        for (int kind = 0; kind < 3; ++kind) {
            const int count = m_data.Count(TMoxItemKind(kind), day);
            if (count > 0)
                Calendar->AddDayText(day, groupCaption(kind, count));
        }
    }
    fillDay();
}

void TfrmMoxCalcendar::fillDay()
{
    const QDate day = Calendar->Date();
    gbxDay->setTitle(QStringLiteral("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day()));
    for (int kind = 0; kind < 3; ++kind) {
        QListWidget *list = GroupLists.at(size_t(kind));
        list->clear();
        const QList<TMoxDayItem> items = m_data.Items(TMoxItemKind(kind), day);
        for (qsizetype i = 0; i < items.size(); ++i) {
            auto *entry = new QListWidgetItem(items.at(i).Title + QLatin1Char('.') + QString::number(i + 1), list);
            entry->setData(kProgIDRole, items.at(i).ProgID);
            entry->setData(kKeyRole, items.at(i).FID);
            entry->setForeground(palette().color(QPalette::Link));
        }
        GroupHeaders.at(size_t(kind))->setText(groupCaption(kind, int(items.size())));
        GroupHeaders.at(size_t(kind))->setChecked(!items.isEmpty());
        setGroupOpen(kind, !items.isEmpty());
    }
}

void TfrmMoxCalcendar::setGroupOpen(int kind, bool open)
{
    GroupHeaders.at(size_t(kind))->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    GroupLists.at(size_t(kind))->setVisible(open);
}

void TfrmMoxCalcendar::openEntry(QListWidgetItem *item)
{
    if (!item)
        return;
    WakeUpFormByProgID(item->data(kProgIDRole).toString(), item->data(kKeyRole).toString(), true);
}

void TfrmMoxCalcendar::AddItem(TMoxItemKind kind)
{
    const QDate day = Calendar->Date();
    auto *form = qobject_cast<TfrmMasterData *>(
        WakeUpBillFormByProg(QString::fromLatin1(kModules.at(size_t(kind))), QString(), QStringLiteral("AddNew")));
    if (!form || !form->Editing())
        return;
    static const std::array<QStringList, 3> dateFields{
        QStringList{QStringLiteral("PlanBeginDate"), QStringLiteral("PlanEndDate")},
        QStringList{QStringLiteral("CreateDate"), QStringLiteral("EndDate")},
        QStringList{QStringLiteral("CreateDate")}};
    TOrvDataSet &master = form->MasterData();
    for (const QString &name : dateFields.at(size_t(kind))) {
        if (TZDataField *field = master.FindField(name))
            field->SetAsDateTime(QDateTime(day, QTime(0, 0)));
    }
}

void TfrmMoxCalcendar::askAndAdd()
{
    switch (ZMessageBox(windowTitle(), QStringLiteral("请选择要新增的数据类型"), {zbOK, zbYes, zbNo, zbCancel},
                        QStringLiteral("行程安排,备忘录,日记,取消"))) {
    case zbOK:
        AddItem(mikTask);
        break;
    case zbYes:
        AddItem(mikRemind);
        break;
    case zbNo:
        AddItem(mikDiary);
        break;
    case zbCancel:
        break;
    }
}

bool TfrmMoxCalcendar::event(QEvent *event)
{
    // Back from a record window: the counts show what was saved there.
    if (event->type() == QEvent::WindowActivate && m_loaded)
        ZGuard([this] { RefreshData(); });
    return TfrmZForm::event(event);
}
