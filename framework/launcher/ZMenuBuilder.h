#pragma once

#include <QString>

class QMenu;

/// The tag every module item of a built menu carries (the action's "Tag"
/// property); the item's data is the module's ProgID.
constexpr int ZModuleMenuTag = 777;

/// Fills `parent` with the modules of the module group `sysID`, read from the
/// cached data sources: one sub-menu per distinct `Module` (sorted ignoring
/// case, named after `parent`'s object name and its position from 0,
/// captioned with the module name), each holding one item per data source of
/// that group and module with non-empty `Powers` and a matching `FuncType`
/// (0 with `functions`, 1 with `reports`, any type with both). Items are
/// ordered by "MenuIndex,ProgID,window class,DisplayName" ignoring case,
/// captioned with `DisplayName`, tagged ZModuleMenuTag, and open their
/// module's list; an item is visible only when the login user may open the
/// module and its `MenuItemHide` is off, and a sub-menu without a visible
/// item is left out. `dssOrg` is left out without organisation management,
/// `ComObjUser` for the system 1011.
///
/// Raises "菜单名不能为空" when a data source of the group has no module
/// name; the menu is then left as it was.
void ZBuildSysMenu(QMenu *parent, const QString &sysID, bool functions, bool reports);
