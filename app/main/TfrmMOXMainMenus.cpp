// The main window's actions, its menu bar, the tray icon with its menu, the
// module menus and the appearance menu.
#include "TfrmMOXMain.h"

#include "ZMainLook.h"

#include "common/ZGuard.h"
#include "forms/ZMessageBox.h"
#include "forms/ZSkins.h"
#include "launcher/ZLauncher.h"
#include "launcher/ZMenuBuilder.h"
#include "settings/ZRegistry.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The module group whose modules fill the system and report menus.
const QString kModuleGroup = QStringLiteral("个人管理");

QAction *namedAction(QObject *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

void TfrmMOXMain::createActions()
{
    actOpenMainForm = namedAction(this, "actOpenMainForm", QStringLiteral("打开主界面"));
    actMinMainForm = namedAction(this, "actMinMainForm", QStringLiteral("隐藏界面"));
    actMinToTray = namedAction(this, "actMinToTray", QStringLiteral("最小化到托盘"));
    actExit = namedAction(this, "actExit", QStringLiteral("退出"));
    actAbout = namedAction(this, "actAbout", QStringLiteral("关于..."));
    actAccessBackUp = namedAction(this, "actAccessBackUp", QStringLiteral("备份数据..."));
    actCheckNew = namedAction(this, "actCheckNew", QStringLiteral("检查是否有新版本..."));
    actWebSitde = namedAction(this, "actWebSitde", QStringLiteral("进入官方网站"));
    actRemindBox = namedAction(this, "actRemindBox", QStringLiteral("提醒精灵..."));

    connect(actOpenMainForm, &QAction::triggered, this, [this] { ZGuard([this] { ShowProgram(); }); });
    connect(actMinMainForm, &QAction::triggered, this, [this] { ZGuard([this] { HideToTray(); }); });
    connect(actMinToTray, &QAction::triggered, this, [this] { ZGuard([this] { HideToTray(); }); });
    connect(actExit, &QAction::triggered, this, [this] {
        m_exitRequested = true;
        close();
    });
    connect(actAbout, &QAction::triggered, this, [this] { ZGuard([this] { ShowAbout(); }); });
    connect(actAccessBackUp, &QAction::triggered, this, [this] { ZGuard([this] { BackUpData(); }); });
    connect(actCheckNew, &QAction::triggered, this, [this] { ZGuard([this] { CheckNewVersion(true); }); });
    connect(actWebSitde, &QAction::triggered, this, [this] { ZGuard([this] { OpenWebSite(); }); });
    // The data reminders' window: the records that meet the saved conditions.
    connect(actRemindBox, &QAction::triggered, this,
            [] { ZGuard([] { WakeUpForm(QStringLiteral("TfrmRemindBox"), wtShow, QString(), QString()); }); });
    connect(btnExit, &QPushButton::clicked, actExit, &QAction::trigger);
}

void TfrmMOXMain::createMenus()
{
    mnuSystem = m_menuBar->addMenu(QStringLiteral("功能"));
    mnuSystem->setObjectName(QStringLiteral("mnuSystem"));
    mnuReport = m_menuBar->addMenu(QStringLiteral("查询"));
    mnuReport->setObjectName(QStringLiteral("mnuReport"));
    mnuSkin = m_menuBar->addMenu(QStringLiteral("外观"));
    mnuSkin->setObjectName(QStringLiteral("mnuSkin"));

    pmTray = new QMenu(this);
    pmTray->setObjectName(QStringLiteral("pmTray"));
    pmTray->addAction(actOpenMainForm);
    pmTray->addAction(actMinMainForm);
    pmTray->addSeparator();
    mnuTraySystem = pmTray->addMenu(QStringLiteral("功能"));
    mnuTraySystem->setObjectName(QStringLiteral("mnuTraySystem"));
    mnuTrayReport = pmTray->addMenu(QStringLiteral("查询"));
    mnuTrayReport->setObjectName(QStringLiteral("mnuTrayReport"));
    pmTray->addSeparator();
    pmTray->addAction(actAbout);
    pmTray->addSeparator();
    pmTray->addAction(actExit);
}

void TfrmMOXMain::buildModuleMenus()
{
    ZGuard([this] {
        ZBuildSysMenu(mnuSystem, kModuleGroup, true, false);
        ZBuildSysMenu(mnuReport, kModuleGroup, false, true);
        ZBuildSysMenu(mnuTraySystem, kModuleGroup, true, false);
        ZBuildSysMenu(mnuTrayReport, kModuleGroup, false, true);
    });
    // The program's own commands follow the modules in the system menu.
    mnuSystem->addSeparator();
    mnuSystem->addAction(actRemindBox);
    mnuSystem->addAction(actAccessBackUp);
    mnuSystem->addAction(actCheckNew);
    mnuSystem->addAction(actWebSitde);
    mnuSystem->addAction(actAbout);
    mnuSystem->addSeparator();
    mnuSystem->addAction(actMinToTray);
    mnuSystem->addAction(actExit);
}

void TfrmMOXMain::buildSkinMenu()
{
    auto *group = new QActionGroup(mnuSkin);
    const QStringList names = ZSkinNames();
    const int current = ReadRegKey(QStringLiteral("SkinIndex")).toInt();
    for (int index = 0; index < names.size(); ++index) {
        QAction *action = mnuSkin->addAction(names.at(index));
        action->setCheckable(true);
        action->setChecked(index == current);
        action->setData(index);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, index] { ZGuard([this, index] { chooseSkin(index); }); });
    }
}

void TfrmMOXMain::chooseSkin(int index)
{
    WriteRegKey(QStringLiteral("SkinIndex"), QString::number(index));
    ZShowMessage(QStringLiteral("需要重新启动程序，外观改变才可生效"));
}

void TfrmMOXMain::createTray()
{
    m_tray = new QSystemTrayIcon(ZProgramIcon(), this);
    m_tray->setObjectName(QStringLiteral("TrayIcon"));
    // The menu opens where the mouse is (message 1934), not as the icon's
    // own context menu.
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { trayActivated(reason); });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
}
