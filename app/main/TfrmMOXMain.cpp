// The main window's life: creation in its fixed order, the first show, the
// messages to the main window, and the closing rules.
#include "TfrmMOXMain.h"

#include "ZMainLook.h"

#include "common/ZAppTitle.h"
#include "common/ZClock.h"
#include "common/ZGuard.h"
#include "common/ZMainWindow.h"
#include "common/ZVersion.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZCheckDBUpdate.h"
#include "launcher/ZLauncher.h"
#include "launcher/ZPackages.h"
#include "metadata/ZDataSources.h"
#include "remind/ZBirthdayRemind.h"
#include "settings/ZRegistry.h"
#include "settings/ZSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

// The mouse messages the tray icon reports with message 1934.
constexpr int kTrayLeftButtonUp = 0x0202;
constexpr int kTrayRightButtonUp = 0x0205;

const char16_t *const kWeekDays[] = {u"星期日", u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六"};

} // namespace

TfrmMOXMain::TfrmMOXMain(QWidget *parent) : TfrmZForm(parent)
{
    // The program owns the main window and ends when it closes; it is not
    // deleted by its own close.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("frmMOXMain"));
    setWindowIcon(ZProgramIcon());

    // 1. The pending reminder list.
    pmRemind = new QMenu(this);
    pmRemind->setObjectName(QStringLiteral("pmRemind"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("mnuMain"));
    layout->setMenuBar(m_menuBar);
    layout->addWidget(createHeader());
    layout->addWidget(createPanel(), 1);
    layout->addWidget(createFooter());
    createActions();
    createMenus();
    createTray();
    // The designed size, which the window takes when it has none stored.
    ReSetFormMinSize(500, 700);

    // 2. The background-music setting, set without counting as a click.
    chkMusic->setChecked(ReadRegKey(QStringLiteral("PlayMusic")) == QLatin1String("1"));
    ZGuard([this] { PlayBackgroundMusic(); });

    // 3. The reminder poll and the indicator's blink.
    tmrRemind = new QTimer(this);
    tmrRemind->setObjectName(QStringLiteral("tmrRemind"));
    tmrRemind->setInterval(1000);
    connect(tmrRemind, &QTimer::timeout, this, [this] {
        ZGuard([this] {
            showClock();
            PollReminders();
        });
    });
    tmrBlink = new QTimer(this);
    tmrBlink->setObjectName(QStringLiteral("tmrBlink"));
    tmrBlink->setInterval(500);
    connect(tmrBlink, &QTimer::timeout, this, [this] { ZGuard([this] { BlinkRemind(); }); });
    tmrRemind->start();

    // 4. The caption names the open data file.
    setWindowTitle(ZApplicationTitle() + QStringLiteral("(第") + QString::number(DBConn().DataFileNo)
                   + QStringLiteral("帐套)"));
    if (m_tray)
        m_tray->setToolTip(windowTitle());

    // 5. One kind of menu bar serves every appearance here.
    // 6. The first page.
    ShowPage(0);
    // 7. Every module of the definitions, so that the menus can list them.
    ZGuard([] { InitSysIDAndProgID(); });
    // 8. The packages, in their order.
    loadPackages();
    // 9. The pages are white (createPage); the module menus.
    buildModuleMenus();
    // 10. The checks for a newer database and program.
    CheckDatabaseAndVersion();
    ZGuard([] { ZMoveYearlyBirthdayReminds(ZDate().year()); });
    // 11. The page control has no tabs to hide.
    buildSkinMenu();
    // 12. The greeting and the version.
    showGreeting();
    lblVersion->setText(GetAppVersion());
    showClock();
}

TfrmMOXMain::~TfrmMOXMain()
{
    stopVersionChecks();
    if (ZMainWindow() == this)
        SetZMainWindow(nullptr);
}

void TfrmMOXMain::loadPackages()
{
    for (const QString &package : ZRuntimePackages()) {
        const QString file = package + QStringLiteral(".so");
        if (!FormClassCtrl().BplIsLoad(file))
            ZGuard([&] { FormClassCtrl().LoadBpl(file); });
    }
}

void TfrmMOXMain::CheckDatabaseAndVersion()
{
    // A data file last updated by an older program is brought up to date
    // before anything reads it.
    ZGuard([] { CheckDBUpdate(); });
    ZGuard([this] { CheckNewVersion(false); });
}

void TfrmMOXMain::showGreeting()
{
    QString name = GetParamValue(QStringLiteral("MyName")).trimmed();
    // Without an owner's name the greeting names the login user rather than
    // greeting nobody.
    if (name.isEmpty())
        name = UserInfo.PersonName.trimmed().isEmpty() ? UserInfo.UserID : UserInfo.PersonName.trimmed();
    lblGreeting->setText(name + QStringLiteral(",欢迎您！"));
}

void TfrmMOXMain::showClock()
{
    const QDateTime now = ZNow();
    const QDate date = now.date();
    lblTime->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    lblWeek->setText(QString::fromUtf16(kWeekDays[date.dayOfWeek() % 7]));
    lblDate->setText(QStringLiteral("%1年%2%3月%4%5日")
                         .arg(date.year())
                         .arg(date.month() / 10)
                         .arg(date.month() % 10)
                         .arg(date.day() / 10)
                         .arg(date.day() % 10));
}

void TfrmMOXMain::showEvent(QShowEvent *event)
{
    TfrmZForm::showEvent(event);
    if (std::exchange(m_firstShow, false))
        ZGuard([this] { firstShow(); });
}

void TfrmMOXMain::firstShow()
{
    // 1. Errors that escape a window's guard go to the main window, which
    //    shows them in the user message window in red (ZShowError); until
    //    now they showed in the error box.
    SetZMainWindow(this);
    // 2. Poll the reminders at once.
    QCoreApplication::postEvent(this, new TZMessageEvent(ZWM_ENTERTONEXT, QString(), QString(), 1));
    // 3. The page buttons in their places, the first page chosen.
    layoutPageButtons();
    ShowPage(0);
    m_pageButtons.value(0)->setFocus();
}

bool TfrmMOXMain::event(QEvent *event)
{
    if (auto *message = dynamic_cast<TZMessageEvent *>(event)) {
        switch (message->message()) {
        case ZWM_ADDMSG: {
            const QString text = message->text1();
            const int colour = int(message->param1());
            ZGuard([&] { showUserMsg(text, colour); });
            return true;
        }
        case ZWM_TRAYICON: {
            const int mouse = int(message->param1());
            ZGuard([&] { trayMessage(mouse); });
            return true;
        }
        case ZWM_ENTERTONEXT:
            ZGuard([this] { PollReminders(); });
            return true;
        default:
            break;
        }
    }
    return TfrmZForm::event(event);
}

void TfrmMOXMain::showUserMsg(const QString &text, int colour)
{
    if (isHidden())
        ShowProgram();
    WakeUpForm(QStringLiteral("TfrmUserMsg"), wtShow, text, QString::number(colour));
}

bool TfrmMOXMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblRemind && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        ZGuard([this] { ClickRemindIndicator(); });
        return true;
    }
    if (watched == pnlPageButtons && event->type() == QEvent::Resize && !m_firstShow)
        layoutPageButtons();
    return TfrmZForm::eventFilter(watched, event);
}

void TfrmMOXMain::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    int mouse = 0;
    if (reason == QSystemTrayIcon::Trigger)
        mouse = kTrayLeftButtonUp;
    else if (reason == QSystemTrayIcon::Context)
        mouse = kTrayRightButtonUp;
    if (mouse != 0)
        QCoreApplication::postEvent(this, new TZMessageEvent(ZWM_TRAYICON, QString(), QString(), mouse));
}

void TfrmMOXMain::trayMessage(int mouseMessage)
{
    if (mouseMessage == kTrayRightButtonUp) {
        pmTray->popup(QCursor::pos());
        return;
    }
    if (mouseMessage != kTrayLeftButtonUp)
        return;
    if (PendingRemindCount() > 0) {
        const QMenu *pending = PendingRemindMenu();
        if (pending && !pending->isEmpty())
            ClickRemindIndicator();
        else
            ShowProgram();
        return;
    }
    if (otherWindowShowing() || isHidden() || isMinimized())
        ShowProgram();
    else
        HideToTray();
}

void TfrmMOXMain::ShowProgram()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TfrmMOXMain::HideToTray()
{
    // Without a notification area a hidden program could not be brought
    // back: it is minimised instead.
    if (m_tray && QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

bool TfrmMOXMain::otherWindowShowing() const
{
    // The program's own windows and boxes only: a desktop may draw the tray
    // icon as a top-level widget of its own, which must not keep the
    // program from ending.
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form != this && form->isVisible() && !form->Closed())
            return true;
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && qobject_cast<QDialog *>(window))
            return true;
    }
    return false;
}

void TfrmMOXMain::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    ZGuard([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    TfrmZForm::closeEvent(event);
    tmrRemind->stop();
    tmrBlink->stop();
    if (m_tray)
        m_tray->hide();
    emit ProgramEnds();
}

bool TfrmMOXMain::FormCloseQuery()
{
    // Whatever the answer, the next close by the frame only hides again.
    const bool exitRequested = std::exchange(m_exitRequested, false);
    if (otherWindowShowing()) {
        ZShowMessage(QStringLiteral("请先关闭所有打开的子窗体，才能关闭主程序！"));
        return false;
    }
    if (!exitRequested) {
        HideToTray();
        return false;
    }
    switch (ZMessageBox(windowTitle(), QStringLiteral("退出后所有的事项均无法自动提醒，您确认要退出吗？"),
                        {zbOK, zbYes, zbNo, zbCancel}, QStringLiteral("最小化到托盘,备份后退出,直接退出,返回"))) {
    case zbOK:
        HideToTray();
        return false;
    case zbYes:
        return backUpBeforeExit();
    case zbNo:
        return true;
    case zbCancel:
        break;
    }
    return false;
}

bool TfrmMOXMain::backUpBeforeExit()
{
    const QString backup = QStringLiteral("TfrmACCESSBackUp");
    // The backup window comes with a package; until one registers it the
    // program says so and keeps running.
    if (!TFormClassCtrl::IsRegistered(backup) && FormClassCtrl().GetBplByFrmClassName(backup).isEmpty()) {
        ZShowMessage(QStringLiteral("数据备份功能暂未提供，无法备份，程序没有退出。"));
        return false;
    }
    WakeUpForm(backup, wtShowModal, QString(), QString());
    return true;
}
