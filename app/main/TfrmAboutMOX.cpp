#include "TfrmAboutMOX.h"

#include "ZMainLook.h"
#include "ZProductInfo.h"

#include "common/ZAppTitle.h"
#include "common/ZVersion.h"
#include "forms/ZMessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmAboutMOX::TfrmAboutMOX(QWidget *owner) : QDialog(nullptr), m_owner(owner)
{
    setObjectName(QStringLiteral("frmAboutMOX"));
    setWindowTitle(QStringLiteral("关于") + ZApplicationTitle());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *icon = new QLabel(this);
    icon->setPixmap(ZProgramIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto *title = new QLabel(ZProductTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setStyleSheet(QStringLiteral("font-size: 20px; font-weight: bold; color: #1f3f66;"));
    auto *version = new QLabel(GetAppVersion(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    const QString url = ZProductWebSiteUrl();
    auto *site = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, ZProductWebSite()), this);
    site->setObjectName(QStringLiteral("lblWebSite"));
    site->setOpenExternalLinks(true);

    auto *text = new QVBoxLayout;
    text->setSpacing(6);
    text->addStrut(220);
    text->addWidget(title);
    text->addWidget(version);
    text->addWidget(site);
    text->addStretch();

    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(icon);
    body->addLayout(text, 1);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TfrmAboutMOX::Execute()
{
    return ZExecBox(*this, m_owner);
}
