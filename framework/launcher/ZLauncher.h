#pragma once

#include <QString>

class QWidget;
class TfrmZForm;

/// How a window is shown.
enum TFormWakeUpType { wtShow, wtShowModal };

/// The window styles a caller asks for: a child of a multi-document main
/// window, or a window of its own.
enum TZFormStyle { fsNormal, fsMDIChild };

/// Opens (or finds) a window of a class and hands it two texts with message
/// `msgID`. An open window is reused: with Param1 "[FormParams]" and a record
/// whose WakeUpByProgID is set, only one showing the same module; otherwise
/// the first of the class. A class not yet registered is looked up in the
/// class registry and its package loaded. Returns the window, or null after
/// telling the user why there is none.
QWidget *WakeUpForm(const QString &formClass, TFormWakeUpType wakeUpType, const QString &param1, const QString &param2,
                    int msgID = 1926, TZFormStyle style = fsMDIChild, bool show = true);

/// The module's list window.
QWidget *WakeUpListFormByProg(const QString &progID);
/// The module's list window (or its editing window when `editForm`, or when
/// the parameter WakeUpBillType is not "0"), showing the record `keyValue`.
QWidget *WakeUpFormByProgID(const QString &progID, const QString &keyValue, bool editForm = false);
/// The module's editing window with an action.
QWidget *WakeUpBillFormByProg(const QString &progID, const QString &keyValue, const QString &action);
/// WakeUpForm shown, then kept in front of `owner` (both framework windows).
QWidget *WakeUpRelativeForm(QWidget *owner, const QString &formClass, const QString &param1, const QString &param2);
/// Finds or creates a window without showing it.
QWidget *GetForm(const QString &formClass, TFormWakeUpType wakeUpType, const QString &param1, const QString &param2);
/// A new, hidden window of a class; raises "无法找到%s窗体类对应的bpl" or
/// "无法载入" + class + "窗体".
QWidget *CreateNewForm(const QString &formClass);
/// A new, hidden editing window of a module, given the action "F3" and the key.
QWidget *CreateNewBillForm(const QString &progID, const QString &keyValue);
/// Sends message 1926 with two texts to the open window of a class, if any.
void SendParamToForm(const QString &formClass, const QString &param1, const QString &param2);

bool IsExistFormClass(const QString &formClass);
/// The first open window of a class (compared ignoring case), or null.
QWidget *GetIsExistForm(const QString &formClass);
/// Whether an open master data window (a TfrmMasterData) shows the module.
bool IsExistBillForm(const QString &progID);
/// Whether the class is one of the generic (published) window classes.
bool IsPublishBillForm(const QString &formClass);
/// Whether the main window is a multi-document frame (never, in this program).
bool IsBigEnv();
/// Minimises every visible window but the main window.
void ResetCurrForm();
void ShowDesktop();
