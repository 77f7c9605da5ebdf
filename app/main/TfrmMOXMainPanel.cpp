// The main window's panels: the header with greeting, clock and reminder
// indicator; the command panel with its page buttons; the footer with the
// version and the background music.
#include "TfrmMOXMain.h"

#include "ZMainCommands.h"
#include "ZMainLook.h"

#include "common/ZGuard.h"
#include "launcher/ZLauncher.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPageCount = 7;
constexpr int kPageButtonGap = 4;
constexpr int kPageButtonHeight = 40;
constexpr int kPageColumnWidth = 128;
constexpr int kColumnMargin = 10;
constexpr int kTilesPerRow = 4;

// The page buttons this system shows, from the bottom (above Exit) upwards.
QList<int> shownPagesUpwards()
{
    // System 1003: the pages 5 and 6 are not reachable from the panel.
    return {4, 3, 2, 1, 0};
}

QLabel *namedLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

QWidget *TfrmMOXMain::createHeader()
{
    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setAttribute(Qt::WA_StyledBackground);
    header->setStyleSheet(ZMainStyleSheet());
    lblGreeting = namedLabel("lblGreeting", header);
    lblRemind = namedLabel("lblRemind", header);
    lblRemind->setText(QStringLiteral("提醒(0)"));
    lblRemind->setCursor(Qt::PointingHandCursor);
    lblRemind->installEventFilter(this);
    lblTime = namedLabel("lblTime", header);
    lblWeek = namedLabel("lblWeek", header);
    lblDate = namedLabel("lblDate", header);

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(lblGreeting);
    left->addWidget(lblRemind, 0, Qt::AlignLeft);

    auto *day = new QVBoxLayout;
    day->setSpacing(0);
    day->addStretch();
    day->addWidget(lblWeek, 0, Qt::AlignRight);
    day->addWidget(lblDate, 0, Qt::AlignRight);
    day->addStretch();

    auto *layout = new QHBoxLayout(header);
    layout->setContentsMargins(18, 12, 18, 12);
    layout->setSpacing(14);
    layout->addLayout(left);
    layout->addStretch();
    layout->addWidget(lblTime, 0, Qt::AlignVCenter);
    layout->addLayout(day);
    return header;
}

QWidget *TfrmMOXMain::createPanel()
{
    auto *panel = new QWidget(this);
    panel->setStyleSheet(ZMainStyleSheet());

    // The page buttons stand at fixed places (layoutPageButtons), Exit at
    // the bottom.
    pnlPageButtons = new QWidget(panel);
    pnlPageButtons->setObjectName(QStringLiteral("pnlPageButtons"));
    pnlPageButtons->setAttribute(Qt::WA_StyledBackground);
    pnlPageButtons->setFixedWidth(kPageColumnWidth);
    pnlPageButtons->installEventFilter(this);
    const auto &captions = ZMainPageCaptions();
    for (int page = 0; page < kPageCount; ++page) {
        auto *button = new QPushButton(QString::fromUtf16(captions.at(page)), pnlPageButtons);
        button->setObjectName(QStringLiteral("btnPage%1").arg(page));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setProperty("Tag", page);
        button->setVisible(false);
        connect(button, &QPushButton::clicked, this, [this, page] { ShowPage(page); });
        m_pageButtons << button;
    }
    btnExit = new QPushButton(QStringLiteral("退出"), pnlPageButtons);
    btnExit->setObjectName(QStringLiteral("btnExit"));

    pgcMain = new QStackedWidget(panel);
    pgcMain->setObjectName(QStringLiteral("pgcMain"));
    for (int page = 0; page < kPageCount; ++page)
        pgcMain->addWidget(createPage(page));

    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlPageButtons);
    layout->addWidget(pgcMain, 1);
    return panel;
}

QWidget *TfrmMOXMain::createPage(int page)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("tsPage%1").arg(page));
    sheet->setAttribute(Qt::WA_StyledBackground);
    auto *title = new QLabel(QString::fromUtf16(ZMainPageCaptions().at(page)), sheet);
    title->setProperty("pageTitle", true);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(14);
    int index = 0;
    for (const TMainCommand &command : ZMainCommands()) {
        if (command.page != page)
            continue;
        const QString caption = QString::fromUtf16(command.caption);
        auto *button = new QToolButton(sheet);
        button->setObjectName(QStringLiteral("btnCmd%1_%2").arg(page).arg(index));
        button->setText(caption);
        button->setIcon(ZTileIcon(QString::fromUtf16(command.glyph), ZTileColour(page, index)));
        button->setIconSize(QSize(52, 52));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFixedSize(112, 100);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QToolButton::clicked, this, [this, &command] { ZGuard([&] { runCommand(command); }); });
        grid->addWidget(button, index / kTilesPerRow, index % kTilesPerRow, Qt::AlignLeft | Qt::AlignTop);
        ++index;
    }
    grid->setColumnStretch(kTilesPerRow, 1);
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(16);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addStretch();
    return sheet;
}

QWidget *TfrmMOXMain::createFooter()
{
    auto *footer = new QWidget(this);
    footer->setObjectName(QStringLiteral("pnlFooter"));
    footer->setAttribute(Qt::WA_StyledBackground);
    footer->setStyleSheet(ZMainStyleSheet());
    lblVersion = namedLabel("lblVersion", footer);
    chkMusic = new QCheckBox(QStringLiteral("背景音乐"), footer);
    chkMusic->setObjectName(QStringLiteral("chkMusic"));
    connect(chkMusic, &QCheckBox::clicked, this, [this] { ZGuard([this] { musicClicked(); }); });
    btnChangeMusic = new QPushButton(QStringLiteral("换"), footer);
    btnChangeMusic->setObjectName(QStringLiteral("btnChangeMusic"));
    btnChangeMusic->setFixedWidth(36);
    connect(btnChangeMusic, &QPushButton::clicked, this, [this] { ZGuard([this] { ChangeMusic(); }); });
    auto *layout = new QHBoxLayout(footer);
    layout->setContentsMargins(14, 4, 14, 4);
    layout->addWidget(lblVersion);
    layout->addStretch();
    layout->addWidget(chkMusic);
    layout->addWidget(btnChangeMusic);
    return footer;
}

void TfrmMOXMain::ShowPage(int page)
{
    if (page < 0 || page >= pgcMain->count())
        return;
    pgcMain->setCurrentIndex(page);
    m_pageButtons.at(page)->setChecked(true);
}

int TfrmMOXMain::CurrentPage() const
{
    return pgcMain->currentIndex();
}

QToolButton *TfrmMOXMain::CommandButton(int page, const QString &caption) const
{
    const QWidget *sheet = pgcMain->widget(page);
    if (!sheet)
        return nullptr;
    for (QToolButton *button : sheet->findChildren<QToolButton *>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

void TfrmMOXMain::layoutPageButtons()
{
    const int width = kPageColumnWidth - 2 * kColumnMargin;
    int top = pnlPageButtons->height() - kColumnMargin - kPageButtonHeight;
    btnExit->setGeometry(kColumnMargin, top, width, kPageButtonHeight);
    for (int page : shownPagesUpwards()) {
        top -= kPageButtonGap + kPageButtonHeight;
        QPushButton *button = m_pageButtons.at(page);
        button->setGeometry(kColumnMargin, top, width, kPageButtonHeight);
        button->setVisible(true);
    }
}

void TfrmMOXMain::runCommand(const TMainCommand &command)
{
    const QString target = QLatin1String(command.target);
    switch (command.kind) {
    case mcList:
        WakeUpListFormByProg(target);
        break;
    case mcProgID:
        WakeUpFormByProgID(target, QString());
        break;
    case mcWindow:
        WakeUpForm(target, command.modal ? wtShowModal : wtShow, QString(), QString());
        break;
    case mcPassword:
        SetLoginPassword();
        break;
    case mcWebSite:
        OpenWebSite();
        break;
    case mcForum:
        OpenForum();
        break;
    }
}
