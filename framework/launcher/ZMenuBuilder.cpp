#include "ZMenuBuilder.h"

#include "ZLauncher.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TMenuItem
{
    QString sortKey;
    QString progID;
    QString caption;
    bool visible = false;
};

struct TSubMenu
{
    QString caption;
    std::vector<TMenuItem> items;
};

bool sameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The modules the running system leaves out of its menus.
bool leftOut(const QString &progID)
{
    if (sameText(progID, QStringLiteral("dssOrg")) && !UseOrgManage())
        return true;
    return sameText(progID, QStringLiteral("ComObjUser")) && CurrentSysID() == 1011;
}

bool wantedType(int funcType, bool functions, bool reports)
{
    if (functions && reports)
        return true;
    return (functions && funcType == 0) || (reports && funcType == 1);
}

// The group's data sources, in the cache's order.
std::vector<std::shared_ptr<TZDataSource>> groupSources(const QString &sysID)
{
    std::vector<std::shared_ptr<TZDataSource>> sources;
    for (const QString &name : RegisteredProgIDs()) {
        if (!IsExistProgID(name) || leftOut(name))
            continue;
        std::shared_ptr<TZDataSource> source = GetDataSourcePtr(name);
        if (sameText(source->SysID, sysID))
            sources.push_back(std::move(source));
    }
    return sources;
}

// Everything the menu will show, computed before the menu is touched so that
// an error leaves it as it was.
std::vector<TSubMenu> planMenu(const QString &sysID, bool functions, bool reports)
{
    const auto sources = groupSources(sysID);
    std::vector<TSubMenu> menus;
    for (const auto &source : sources) {
        const QString module = ZTrim(source->Module);
        // A module without a module name has no sub-menu to stand in.
        if (module.isEmpty())
            continue;
        const bool known = std::any_of(menus.begin(), menus.end(),
                                       [&](const TSubMenu &menu) { return sameText(menu.caption, module); });
        if (!known)
            menus.push_back({module, {}});
    }
    std::stable_sort(menus.begin(), menus.end(), [](const TSubMenu &a, const TSubMenu &b) {
        return a.caption.compare(b.caption, Qt::CaseInsensitive) < 0;
    });
    for (TSubMenu &menu : menus) {
        for (const auto &source : sources) {
            if (!sameText(ZTrim(source->Module), menu.caption) || ZTrim(source->Powers).isEmpty()
                || !wantedType(source->FuncType, functions, reports))
                continue;
            QString windowClass = ZTrim(source->ListFormClassName);
            if (windowClass.isEmpty())
                windowClass = ZTrim(source->FormClassName);
            TMenuItem item;
            item.progID = source->Name;
            item.caption = source->DisplayName;
            item.sortKey = QString::number(source->MenuIndex) + QLatin1Char(',') + source->Name + QLatin1Char(',')
                           + windowClass + QLatin1Char(',') + source->DisplayName;
            item.visible = !source->MenuItemHide && GetHavePower(ZLoginPowerCode(source->Name, source->Powers), piLoad);
            menu.items.push_back(std::move(item));
        }
        // Compared as texts on purpose: a MenuIndex of 10 stands before 2.
        std::stable_sort(menu.items.begin(), menu.items.end(), [](const TMenuItem &a, const TMenuItem &b) {
            return a.sortKey.compare(b.sortKey, Qt::CaseInsensitive) < 0;
        });
    }
    return menus;
}

} // namespace

void ZBuildSysMenu(QMenu *parent, const QString &sysID, bool functions, bool reports)
{
    if (!parent)
        return;
    // The sub-menus are named after the menu they stand in.
    if (ZTrim(parent->objectName()).isEmpty())
        throw EZError(QStringLiteral("菜单名不能为空"));
    const std::vector<TSubMenu> menus = planMenu(sysID, functions, reports);
    for (std::size_t position = 0; position < menus.size(); ++position) {
        const TSubMenu &plan = menus[position];
        const bool anyVisible =
            std::any_of(plan.items.begin(), plan.items.end(), [](const TMenuItem &item) { return item.visible; });
        if (!anyVisible)
            continue;
        QMenu *menu = parent->addMenu(plan.caption);
        menu->setObjectName(parent->objectName() + QString::number(position));
        for (const TMenuItem &item : plan.items) {
            QAction *action = menu->addAction(item.caption);
            action->setProperty("Tag", ZModuleMenuTag);
            action->setData(item.progID);
            action->setVisible(item.visible);
            const QString progID = item.progID;
            QObject::connect(action, &QAction::triggered, action,
                             [progID] { ZGuard([&] { WakeUpListFormByProg(progID); }); });
        }
    }
}
