// The system and report menus built from the module definitions, in the main
// menu and the tray menu, and the appearance menu.
#include "MainWindowFixture.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "launcher/ZMenuBuilder.h"
#include "main/TfrmMOXMain.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZRegistry.h"
#include "settings/ZSession.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using MainMenus = MainWindowFixture;

namespace {

QMenu *subMenu(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions()) {
        if (action->menu() && action->text() == caption)
            return action->menu();
    }
    return nullptr;
}

QStringList subMenuCaptions(const QMenu *menu)
{
    QStringList captions;
    for (QAction *action : menu->actions()) {
        if (action->menu())
            captions << action->text();
    }
    return captions;
}

QStringList visibleItems(const QMenu *menu)
{
    QStringList items;
    for (QAction *action : menu->actions()) {
        if (action->isVisible())
            items << action->text();
    }
    return items;
}

} // namespace

TEST_F(MainMenus, TheModulesOfTheDefinitionsInTheirOrder)
{
    TfrmMOXMain &main = showWindow();
    const auto *bar = main.findChild<QMenuBar *>(s("mnuMain"));
    ASSERT_NE(bar, nullptr);
    QStringList titles;
    for (QAction *action : bar->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({s("功能"), s("查询"), s("外观")}));

    for (const char *name : {"mnuSystem", "mnuTraySystem"}) {
        const auto *system = main.findChild<QMenu *>(s(name));
        ASSERT_NE(system, nullptr) << name;
        // Modules sorted ignoring case, each named after the menu and its
        // place among all the group's modules.
        EXPECT_EQ(subMenuCaptions(system), QStringList({s("个人账务"), s("人脉经营"), s("知识积累"), s("系统设置"),
                                                        s("营业账务"), s("行程管理")}));
        EXPECT_EQ(subMenu(system, s("行程管理"))->objectName(), s(name) + s("5"));
        EXPECT_EQ(visibleItems(subMenu(system, s("行程管理"))),
                  QStringList({s("写日记"), s("目标管理"), s("备忘录"), s("行程安排"), s("记事本"), s("提醒设定")}));
        // Modules marked MenuItemHide stay out of sight.
        EXPECT_EQ(visibleItems(subMenu(system, s("系统设置"))), QStringList({s("自定义资料"), s("密码箱")}));
        const QAction *diary = subMenu(system, s("行程管理"))->actions().first();
        EXPECT_EQ(diary->property("Tag").toInt(), 777);
        EXPECT_EQ(diary->data().toString(), s("moxDiary"));
    }
    for (const char *name : {"mnuReport", "mnuTrayReport"}) {
        const auto *reports = main.findChild<QMenu *>(s(name));
        ASSERT_NE(reports, nullptr) << name;
        EXPECT_EQ(subMenuCaptions(reports), QStringList({s("个人账务"), s("营业账务")}));
        EXPECT_EQ(subMenu(reports, s("营业账务"))->objectName(), s(name) + s("4"));
        // Ordered as texts: a MenuIndex of 10 stands before 7.
        EXPECT_EQ(
            visibleItems(subMenu(reports, s("营业账务"))),
            QStringList({s("日营业统计表"), s("往来对象统计表"), s("收入统计表"), s("支付统计表"), s("库存查询")}));
    }

    auto *system = main.findChild<QMenu *>(s("mnuSystem"));
    system->popup(main.mapToGlobal(QPoint(0, 24)));
    subMenu(system, s("行程管理"))->popup(main.mapToGlobal(QPoint(system->width(), 24)));
    ZSaveScreenshot(*system, s("main_window_system_menu"));
    ZSaveScreenshot(*subMenu(system, s("行程管理")), s("main_window_system_submenu"));
    subMenu(system, s("行程管理"))->hide();
    system->hide();

    // An item opens its module's list.
    subMenu(main.findChild<QMenu *>(s("mnuSystem")), s("行程管理"))->actions().first()->trigger();
    EXPECT_TRUE(texts.isEmpty()) << texts.join(s("\n")).toStdString();
}

TEST_F(MainMenus, AMenuWithoutANameStopsTheBuildAModuleWithoutOneIsLeftOut)
{
    // The sub-menus are named after their menu: a nameless menu is refused
    // and stays as it was.
    InitSysIDAndProgID();
    QMenu nameless;
    try {
        ZBuildSysMenu(&nameless, s("个人管理"), true, false);
        ADD_FAILURE() << "no error";
    } catch (const EZError &error) {
        EXPECT_EQ(error.message(), s("菜单名不能为空"));
    }
    EXPECT_TRUE(nameless.actions().isEmpty());

    // A definition without a module name stands nowhere; the others keep
    // their places.
    QByteArray definition = folder->readFile(s("DBSource/moxNotepad.dbs"));
    definition.replace(QString(s("Module=行程管理")).toUtf8(), "Module=");
    definition.replace(QString(s("DisplayName=记事本")).toUtf8(), QString(s("DisplayName=无名模块")).toUtf8());
    folder->writeFile(s("DBSource/moxNotepad2.dbs"), definition);
    InitSysIDAndProgID();
    QMenu menu;
    menu.setObjectName(s("mnuSystem"));
    ZBuildSysMenu(&menu, s("个人管理"), true, false);
    EXPECT_TRUE(visibleItems(subMenu(&menu, s("行程管理"))).contains(s("记事本")));
    for (const QString &caption : subMenuCaptions(&menu)) {
        EXPECT_FALSE(caption.isEmpty());
        EXPECT_FALSE(visibleItems(subMenu(&menu, caption)).contains(s("无名模块")));
    }
    // Another group is not concerned.
    QMenu other;
    other.setObjectName(s("mnuOther"));
    ZBuildSysMenu(&other, s("其他"), true, true);
    EXPECT_TRUE(other.actions().isEmpty());
}

TEST_F(MainMenus, ModulesTheRunningSystemLeavesOut)
{
    QByteArray definition = folder->readFile(s("DBSource/moxNotepad.dbs"));
    definition.replace(QString(s("DisplayName=记事本")).toUtf8(), QString(s("DisplayName=另一个")).toUtf8());
    folder->writeFile(s("DBSource/ComObjUser.dbs"), definition);
    folder->writeFile(s("DBSource/dssOrg.dbs"), definition);
    InitSysIDAndProgID();
    const auto schedule = [] {
        QMenu menu;
        menu.setObjectName(s("mnuSystem"));
        ZBuildSysMenu(&menu, s("个人管理"), true, false);
        return visibleItems(subMenu(&menu, s("行程管理")));
    };
    // Organisation management is off here: dssOrg never shows.
    EXPECT_EQ(schedule().count(s("另一个")), 1);
    FSYSID = 1011;
    EXPECT_EQ(schedule().count(s("另一个")), 0);
    FSYSID = 1003;
}

TEST_F(MainMenus, AUserSeesOnlyTheModulesHeMayOpen)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('P01', '王五')"));
    InitPowerDesignTable(db.GetDBCONN());
    db.DBExcuteSql(
        s("insert into PowerDesign(Flag, UserID, ProgID, Powers) values(1, 'P01', 'moxDiary', '1000000000')"));
    db.DBExcuteSql(
        s("insert into PowerDesign(Flag, UserID, ProgID, Powers) values(1, 'P01', 'moxTask', '0100000000')"));
    UserInfo.UserID = s("P01");
    InitSysIDAndProgID();
    QMenu menu;
    menu.setObjectName(s("mnuSystem"));
    ZBuildSysMenu(&menu, s("个人管理"), true, false);
    EXPECT_EQ(subMenuCaptions(&menu), QStringList{s("行程管理")});
    EXPECT_EQ(visibleItems(subMenu(&menu, s("行程管理"))), QStringList{s("写日记")});
}

TEST_F(MainMenus, ADefinitionWithoutAModuleNameDoesNotEmptyTheMenus)
{
    QByteArray definition = folder->readFile(s("DBSource/moxNotepad.dbs"));
    definition.replace(QString(s("Module=行程管理")).toUtf8(), "Module=");
    folder->writeFile(s("DBSource/moxNotepad2.dbs"), definition);
    TfrmMOXMain &main = showWindow();
    EXPECT_TRUE(texts.isEmpty()) << texts.join(s("\n")).toStdString();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(subMenuCaptions(main.findChild<QMenu *>(s("mnuSystem"))).contains(s("行程管理")));
    EXPECT_TRUE(subMenuCaptions(main.findChild<QMenu *>(s("mnuTraySystem"))).contains(s("行程管理")));
}

TEST_F(MainMenus, ChoosingAnAppearanceTakesEffectAtTheNextStart)
{
    TfrmMOXMain &main = showWindow();
    const auto *skins = main.findChild<QMenu *>(s("mnuSkin"));
    ASSERT_NE(skins, nullptr);
    ASSERT_GE(skins->actions().size(), 2);
    EXPECT_TRUE(skins->actions().first()->isChecked());
    skins->actions().at(1)->trigger();
    EXPECT_EQ(ReadRegKey(s("SkinIndex")), s("1"));
    EXPECT_EQ(texts, QStringList{s("需要重新启动程序，外观改变才可生效")});
}
