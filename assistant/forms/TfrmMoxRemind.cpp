#include "TfrmMoxRemind.h"

#include "common/ZGuard.h"
#include "data/TParamInfo.h"
#include "data/TZDataField.h"
#include "forms/ZMessageBox.h"
#include "launcher/ZLauncher.h"
#include "layout/TAutoDesignUI.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// Room for the tool bar the record window keeps at its top.
constexpr int kTopMargin = 38;

const std::array<const char16_t *, 5> kPageCaptions{u"单次", u"每日", u"每周", u"每月", u"每年"};

} // namespace

TfrmMoxRemind::TfrmMoxRemind(QWidget *parent) : TfrmMasterData(parent), m_factory(new TAutoDesignUI(this))
{
    m_factory->setObjectName(QStringLiteral("RemindEditors"));
}

TfrmMoxRemind::~TfrmMoxRemind() = default;

void TfrmMoxRemind::AfterFormInit()
{
    buildLayout();
    TfrmMasterData::AfterFormInit();
    showTypePage();
}

void TfrmMoxRemind::buildLayout()
{
    m_factory->UIDataSource = &MasterData();
    TZDataset &definition = *DataSource().Datasets.at(0);
    const auto editor = [&](const QString &name) -> QWidget * {
        TZField *field = definition.GetZField(name);
        QWidget *made = field ? m_factory->CreateCtrlByField(*field) : new QWidget(this);
        // The reminder time is kept in whole minutes.
        if (auto *time = qobject_cast<QTimeEdit *>(made); time && name == QLatin1String("RemindTime"))
            time->setDisplayFormat(QStringLiteral("HH:mm"));
        if (auto *day = qobject_cast<QSpinBox *>(made); day && name == QLatin1String("RemindDay"))
            day->setRange(0, 31);
        if (auto *month = qobject_cast<QComboBox *>(made); month && name == QLatin1String("RemindMonth"))
            month->setMinimumWidth(90);
        return made;
    };
    const auto caption = [&](const QString &name) {
        TZField *field = definition.GetZField(name);
        return field ? field->DisplayName : name;
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, kTopMargin, 10, 10);
    auto *head = new QGridLayout;
    head->setHorizontalSpacing(10);
    const QStringList left{QStringLiteral("RemindID"), QStringLiteral("RemindTitle"), QStringLiteral("RemindType"),
                           QStringLiteral("RemindTime")};
    const QStringList right{QStringLiteral("CreateDate"), QStringLiteral("EndDate"), QStringLiteral("EndTime"),
                            QStringLiteral("EmailAddress")};
    for (qsizetype row = 0; row < left.size(); ++row) {
        for (int side = 0; side < 2; ++side) {
            const QString &name = side == 0 ? left.at(row) : right.at(row);
            auto *label = new QLabel(caption(name), this);
            label->setObjectName(QStringLiteral("lbl") + name);
            QWidget *edit = editor(name);
            label->setBuddy(edit);
            head->addWidget(label, int(row), side * 2);
            head->addWidget(edit, int(row), side * 2 + 1);
        }
    }
    head->setColumnStretch(1, 1);
    head->setColumnStretch(3, 1);
    layout->addLayout(head);
    auto *content = new QLabel(caption(QStringLiteral("RemindContent")), this);
    content->setObjectName(QStringLiteral("lblRemindContent"));
    layout->addWidget(content);
    QWidget *memo = editor(QStringLiteral("RemindContent"));
    memo->setMinimumHeight(70);
    layout->addWidget(memo);

    auto *checks = new QHBoxLayout;
    checks->addWidget(editor(QStringLiteral("EmailRemind")));
    checks->addWidget(editor(QStringLiteral("IsDisabled")));
    checks->addStretch();
    auto *mail = new QPushButton(QStringLiteral("邮件发送设定"), this);
    mail->setObjectName(QStringLiteral("btnMailSet"));
    connect(mail, &QPushButton::clicked, this, [] {
        ZGuard([] { WakeUpForm(QStringLiteral("TfrmSystemSet"), wtShowModal, QStringLiteral("1"), QString()); });
    });
    checks->addWidget(mail);
    layout->addLayout(checks);

    pgcType = new QTabWidget(this);
    pgcType->setObjectName(QStringLiteral("pgcType"));
    const QList<QString> hints{QStringLiteral("在截止日期的提醒时间提醒一次。"),
                               QStringLiteral("从开始日期到截止日期，每天在提醒时间提醒。")};
    for (int page = 0; page < 5; ++page) {
        auto *sheet = new QWidget(pgcType);
        sheet->setObjectName(QStringLiteral("tsType%1").arg(page));
        auto *grid = new QGridLayout(sheet);
        if (page < 2) {
            grid->addWidget(new QLabel(hints.at(page), sheet), 0, 0);
        } else if (page == 2) {
            for (int day = 1; day <= 7; ++day)
                grid->addWidget(editor(QStringLiteral("WeekDay%1").arg(day)), 0, day - 1);
        } else if (page == 3) {
            for (int day = 1; day <= 31; ++day)
                grid->addWidget(editor(QStringLiteral("Day%1").arg(day)), (day - 1) / 8, (day - 1) % 8);
        } else {
            auto *form = new QHBoxLayout;
            for (const QString &name : {QStringLiteral("RemindMonth"), QStringLiteral("RemindDay")}) {
                auto *label = new QLabel(caption(name), sheet);
                label->setObjectName(QStringLiteral("lbl") + name);
                QWidget *edit = editor(name);
                edit->setParent(sheet);
                label->setBuddy(edit);
                form->addWidget(label);
                form->addWidget(edit);
            }
            form->addStretch();
            grid->addLayout(form, 0, 0);
        }
        grid->setRowStretch(grid->rowCount(), 1);
        pgcType->addTab(sheet, QString::fromUtf16(kPageCaptions.at(size_t(page))));
    }
    layout->addWidget(pgcType, 1);
    resize(680, 520);
}

int TfrmMoxRemind::ShownPage() const
{
    return pgcType ? pgcType->currentIndex() : -1;
}

void TfrmMoxRemind::showTypePage()
{
    if (!pgcType)
        return;
    int type = 0;
    if (DatasetCount() > 0 && MasterData().Active() && !MasterData().IsEmpty())
        type = qBound(0, MasterData().FieldByName(QStringLiteral("RemindType")).AsInteger(), 4);
    for (int page = 0; page < pgcType->count(); ++page)
        pgcType->setTabVisible(page, page == type);
    pgcType->setCurrentIndex(type);
}

void TfrmMoxRemind::OpenBillDataset(const QString &key)
{
    TfrmMasterData::OpenBillDataset(key);
    showTypePage();
}

void TfrmMoxRemind::SetFrmState(int state)
{
    TfrmMasterData::SetFrmState(state);
    showTypePage();
}

void TfrmMoxRemind::FieldOnChange(TZDataField &field)
{
    TfrmMasterData::FieldOnChange(field);
    if (m_adjusting)
        return;
    if (field.FieldName().compare(QLatin1String("RemindType"), Qt::CaseInsensitive) == 0) {
        showTypePage();
    } else if (field.FieldName().compare(QLatin1String("RemindTime"), Qt::CaseInsensitive) == 0 && !field.IsNull()) {
        // Reminders fire on whole minutes: the seconds are dropped.
        const QDateTime value = field.AsDateTime();
        const QTime time = value.time();
        if (time.second() != 0 || time.msec() != 0) {
            m_adjusting = true;
            field.SetAsDateTime(QDateTime(value.date(), QTime(time.hour(), time.minute())));
            m_adjusting = false;
        }
    }
}

void TfrmMoxRemind::BeforeSave()
{
    TfrmMasterData::BeforeSave();
    if (!MasterData().FieldByName(QStringLiteral("EmailRemind")).AsBoolean())
        return;
    // Told, not refused: the reminder is saved and shows on time all the same.
    if (GetParamValue(QStringLiteral("MailHost")).trimmed().isEmpty())
        ZShowMessage(QStringLiteral("邮件服务器未设定"));
    if (GetParamValue(QStringLiteral("MailUserName")).trimmed().isEmpty())
        ZShowMessage(QStringLiteral("邮件发送账号未设定"));
    if (GetParamValue(QStringLiteral("MailFromName")).trimmed().isEmpty())
        ZShowMessage(QStringLiteral("邮件发送者未设定"));
}
