#include "TfraNameCard.h"

#include "common/ZGuard.h"
#include "launcher/ZLauncher.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfraNameCard::TfraNameCard(const TZNameCardData &data, QWidget *parent)
    : QFrame(parent), m_data(data), m_details(new QPushButton(QStringLiteral("详细信息..."), this))
{
    setObjectName(QStringLiteral("fraNameCard"));
    setFixedSize(kWidth, kHeight);
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#fraNameCard { background: white; border: 1px solid #9fb6cd; border-radius: 6px; }"
                                 "#lblCardName { background: #e3edf7; color: #1f3f66; font-weight: bold;"
                                 " border-top-left-radius: 6px; border-top-right-radius: 6px; padding: 4px 8px; }"
                                 "#lblCaption { color: #5a6b7d; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 6);
    layout->setSpacing(4);
    auto *name = new QLabel(data.PersonName, this);
    name->setObjectName(QStringLiteral("lblCardName"));
    layout->addWidget(name);

    auto *lines = new QGridLayout;
    lines->setContentsMargins(10, 2, 10, 0);
    lines->setHorizontalSpacing(6);
    lines->setVerticalSpacing(3);
    const std::pair<const char16_t *, QString> rows[] = {
        {u"手机：", data.Cellphone}, {u"生日：", data.BornDate}, {u"职务：", data.Jobs},
        {u"QQ：", data.QQ},          {u"邮箱：", data.Email},
    };
    int row = 0;
    for (const auto &[caption, value] : rows) {
        auto *label = new QLabel(QString::fromUtf16(caption), this);
        label->setObjectName(QStringLiteral("lblCaption"));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *text = new QLabel(this);
        // A long value is cut at the card's edge, the whole text in its tip.
        text->setText(text->fontMetrics().elidedText(value, Qt::ElideRight, kWidth - 76));
        text->setToolTip(value);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(label, row, 0);
        lines->addWidget(text, row, 1);
        ++row;
    }
    lines->setColumnStretch(1, 1);
    layout->addLayout(lines);
    layout->addStretch(1);

    m_details->setObjectName(QStringLiteral("btnDetails"));
    m_details->setFlat(true);
    m_details->setCursor(Qt::PointingHandCursor);
    m_details->setStyleSheet(QStringLiteral("color: #1f5fa8; text-decoration: underline; padding: 0 8px;"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_details);
    layout->addLayout(bottom);
    connect(m_details, &QPushButton::clicked, this, [this] { ZGuard([this] { ShowDetails(); }); });
}

void TfraNameCard::ShowDetails()
{
    WakeUpBillFormByProg(QStringLiteral("moxAddressBook"), m_data.PersonID, QStringLiteral("F3"));
}
