#pragma once

#include <QString>
#include <QStringList>

class QAction;
class TZDbConnection;

/// The operations a permission can grant, in code order.
enum TPowerItem {
    piLoad,
    piOwnerBrowse,
    piAllBrowse,
    piAdd,
    piEdit,
    piDelete,
    piCheck,
    piUnCheck,
    piExport,
    piPrint,
    piDoCancel,
    piUnCancel
};

/// A set of power items (bit n = item n; at most 16 items).
using TPowerItems = quint32;

inline constexpr TPowerItems ZPowerBit(int item)
{
    return item >= 0 && item < 16 ? TPowerItems(1u << item) : 0u;
}

/// The caption of an item ("执行", "制单人", "全查", …) and its name ("piLoad", …).
QString ZPowerCaption(TPowerItem item);
QString ZPowerName(TPowerItem item);

/// The items of a list of captions (separated by ","; names also accepted).
TPowerItems GetPowerItemsByNames(const QString &names);
/// The items a code grants: one '1' or '0' per item, first piLoad.
TPowerItems GetPowerItemsByCode(const QString &code);
/// The code of a list of captions: twelve '1'/'0' characters.
QString GetPowerCode(const QString &names);
/// The code of a set of items.
QString GetPowerCodeOfItems(TPowerItems items);

/// Whether a code grants the item (false for items above 15).
bool GetHavePower(const QString &code, int item);

/// The holder's value of `column` ("Powers" or "FieldPowers") for a module:
/// mode 0 resolves a person (own row, else the duty's, else the
/// department's); modes 1, 2, 3 read the row of that Flag directly.
QString GetUserPowerCode(const QString &holder, const QString &progID, int mode, const QString &column);

/// The power code the login user holds on a module: every item the module
/// lists for an administrator, else the user's resolved code.
QString ZLoginPowerCode(const QString &progID, const QString &modulePowers);

/// The full test for a login user: the module must exist, not exclude the
/// running system by its SysCode, and list the item among its Powers; Admin
/// then passes, others by their resolved code.
bool GetHavePower(const QString &userID, const QString &progID, int item);

/// The full test for the logged-in user.
bool GetHavePowerEx(const QString &progID, int item);

/// Creates PowerDesign when the data file has none.
void InitPowerDesignTable(TZDbConnection &connection);

/// Gives every login user without a personal row for a module one with empty
/// powers, for every registered data source.
void InitPowerDesign();

/// Operation numbers of actions, by the action's name (actAdd 1, actEdit 2, …).
int GetOpAction(const QString &actionName);
/// The item of an operation (1 and 4 piAdd, 2 piEdit, …; others piLoad).
TPowerItem GetPowerItem(int operation);
/// The item of an action, by its name.
TPowerItem GetPowerItem(const QString &actionName);
/// The state mask of an action: position s+1 is '1' when it may be enabled
/// in form state s; empty for actions without one.
QString GetActionTag(const QString &actionName);
/// Enables the action when its mask allows the state and the code grants its
/// item (the action's objectName is its name).
void SetActionState(int state, QAction *action, const QString &code);
bool ZActionEnabled(int state, const QString &actionName, const QString &code);
