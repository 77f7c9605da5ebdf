#include "ZLauncher.h"

#include "TFormClassCtrl.h"
#include "TFormParams.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "common/ZWindowHandles.h"
#include "data/TParamInfo.h"
#include "forms/TfrmZForm.h"
#include "forms/ZFormOpener.h"
#include "forms/ZMessageBox.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZBusyCursor.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace {

QString className(const QWidget *window)
{
    return QString::fromLatin1(window->metaObject()->className());
}

bool sameClass(const QWidget *window, const QString &formClass)
{
    return className(window).compare(ZTrim(formClass), Qt::CaseInsensitive) == 0;
}

// The open top-level windows in the order they were opened, as far as the
// framework knows it; other windows after them.
QList<QWidget *> openWindows()
{
    QList<QWidget *> windows;
    for (TfrmZForm *form : TfrmZForm::OpenForms())
        windows << form;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (!qobject_cast<TfrmZForm *>(widget))
            windows << widget;
    }
    return windows;
}

QWidget *findOpen(const QString &formClass, const QString &param1, const QString &param2)
{
    const TFormParams *params = param1 == kFormParamsName ? ZFormParamsAt(param2) : nullptr;
    for (QWidget *window : openWindows()) {
        auto *form = qobject_cast<TfrmZForm *>(window);
        if (!sameClass(window, formClass) || (form && form->Closed()))
            continue;
        if (params && params->WakeUpByProgID) {
            if (!form || form->GetProgID().compare(params->ProgID, Qt::CaseInsensitive) != 0)
                continue;
        }
        return window;
    }
    return nullptr;
}

void sendParams(QWidget *window, int msgID, const QString &param1, const QString &param2)
{
    TZMessageEvent message(msgID, param1, param2);
    QCoreApplication::sendEvent(window, &message);
}

// The class's window, loading its package when needed; null with `why` set
// when there is none.
QWidget *createWindow(const QString &formClass, QString &why, bool &noPackage)
{
    noPackage = false;
    if (!TFormClassCtrl::IsRegistered(formClass)) {
        TFormClassCtrl &ctrl = FormClassCtrl();
        const QString package = ctrl.GetBplByFrmClassName(formClass);
        if (package.isEmpty()) {
            noPackage = true;
            why = QStringLiteral("无法找到%1窗体类对应的bpl").arg(formClass);
            return nullptr;
        }
        ctrl.LoadBpl(package);
        if (!TFormClassCtrl::IsRegistered(formClass)) {
            why = QStringLiteral("无法载入") + formClass + QStringLiteral("窗体");
            return nullptr;
        }
    }
    return TFormClassCtrl::Create(formClass);
}

struct TModuleWindow
{
    QString formClass;
    TFormParams params;
};

TZDataSource &permittedSource(const QString &progID)
{
    TZDataSource &source = GetDataSource(progID);
    if (!GetHavePowerEx(progID, piLoad))
        throw EZError(QStringLiteral("没有%1权限，无法开启").arg(source.DisplayName));
    return source;
}

QWidget *openModule(const TModuleWindow &module, bool show)
{
    return WakeUpForm(module.formClass, wtShow, kFormParamsName, ZFormParamsAddress(module.params), ZWM_FORMRETURNVALUE,
                      fsMDIChild, show);
}

// The module's list; without a class of its own the generic list, or, when
// opened by ProgID (`reportClass`), the report window for a report module.
TModuleWindow listWindow(TZDataSource &source, const QString &action, const QString &keyValue, bool reportClass)
{
    const QString own = ZTrim(source.ListFormClassName);
    TModuleWindow module;
    module.params.Action = action;
    module.params.ProgID = source.Name;
    module.params.KeyValue = keyValue;
    module.params.WakeUpByProgID = own.isEmpty() || IsPublishBillForm(own);
    module.formClass = !own.isEmpty()                        ? own
                       : reportClass && source.FuncType == 1 ? QStringLiteral("TfrmRptPubBase")
                                                             : QStringLiteral("TfrmListFormPub");
    return module;
}

TModuleWindow editWindow(TZDataSource &source, const QString &action, const QString &keyValue, bool reportClass)
{
    const QString own = ZTrim(source.FormClassName);
    TModuleWindow module;
    module.params.Action = action;
    module.params.ProgID = source.Name;
    module.params.KeyValue = keyValue;
    module.params.WakeUpByProgID = true;
    module.formClass = !own.isEmpty()                        ? own
                       : reportClass && source.FuncType == 1 ? QStringLiteral("TfrmRptPubBase")
                                                             : QStringLiteral("TfrmMasterDataBase");
    return module;
}

// Framework windows open windows by class through the launcher.
[[maybe_unused]] const bool g_openerInstalled = [] {
    SetZFormOpener([](const QString &formClass, const QString &param1, const QString &param2) {
        return WakeUpForm(formClass, wtShow, param1, param2);
    });
    return true;
}();

} // namespace

QWidget *WakeUpForm(const QString &formClass, TFormWakeUpType wakeUpType, const QString &param1, const QString &param2,
                    int msgID, TZFormStyle style, bool show)
{
    // Making the window may load a package and run nested event loops, in
    // which the opener can close.
    const QPointer<QWidget> opener = QApplication::activeWindow() ? QApplication::activeWindow() : ZMainWindow();
    // Busy while the window is found or made; not while a modal window
    // waits for the user.
    std::optional<TZBusyCursorScope> busy(std::in_place);
    if (QWidget *open = findOpen(formClass, param1, param2)) {
        sendParams(open, msgID, param1, param2);
        open->raise();
        open->activateWindow();
        return open;
    }
    QString why;
    bool noPackage = false;
    QWidget *window = createWindow(formClass, why, noPackage);
    if (!window) {
        if (!why.isEmpty())
            ZShowMessage(noPackage ? QStringLiteral("找不到%1窗体类所在的程序包，请先注册程序包！").arg(formClass)
                                   : why);
        return nullptr;
    }
    auto *form = qobject_cast<TfrmZForm *>(window);
    // Every new window learns its opener, whatever kind of window that is.
    if (opener && opener.data() != window) {
        TZMessageEvent parent(ZWM_PARENTHANDLE, QString(), QString(), ZWindowHandle(opener));
        QCoreApplication::sendEvent(window, &parent);
    }
    sendParams(window, msgID, param1, param2);
    Q_UNUSED(style); // the main window is never a multi-document frame here
    if (wakeUpType == wtShowModal) {
        busy.reset();
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        // A window closed is deleted; it may go while the loop runs.
        const QPointer<QWidget> modal = window;
        while (modal && modal->isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return modal.data();
    } else if (show) {
        window->setWindowState(Qt::WindowNoState);
        window->show();
        if (form)
            window->setWindowState(form->DefaultWindowState());
    }
    return window;
}

QWidget *WakeUpListFormByProg(const QString &progID)
{
    return openModule(listWindow(permittedSource(progID), QStringLiteral("WakeUp"), QString(), false), true);
}

QWidget *WakeUpFormByProgID(const QString &progID, const QString &keyValue, bool editForm)
{
    TZDataSource &source = permittedSource(progID);
    if (!editForm && GetParamValue(QStringLiteral("WakeUpBillType"), QStringLiteral("0")) == QLatin1String("0")) {
        TModuleWindow module =
            listWindow(source, keyValue.isEmpty() ? QStringLiteral("WakeUp") : QStringLiteral("F3"), keyValue, true);
        return openModule(module, true);
    }
    return openModule(editWindow(source, QStringLiteral("F3"), keyValue, true), true);
}

QWidget *WakeUpBillFormByProg(const QString &progID, const QString &keyValue, const QString &action)
{
    return openModule(editWindow(permittedSource(progID), action, keyValue, false), true);
}

QWidget *WakeUpRelativeForm(QWidget *owner, const QString &formClass, const QString &param1, const QString &param2)
{
    QWidget *window = WakeUpForm(formClass, wtShow, param1, param2);
    auto *ownerForm = qobject_cast<TfrmZForm *>(owner);
    auto *form = qobject_cast<TfrmZForm *>(window);
    if (ownerForm && form)
        ownerForm->SetTopForm(form);
    return window;
}

QWidget *GetForm(const QString &formClass, TFormWakeUpType wakeUpType, const QString &param1, const QString &param2)
{
    return WakeUpForm(formClass, wakeUpType, param1, param2, ZWM_FORMRETURNVALUE, fsNormal, false);
}

QWidget *CreateNewForm(const QString &formClass)
{
    QString why;
    bool noPackage = false;
    QWidget *window = createWindow(formClass, why, noPackage);
    if (!window && !why.isEmpty())
        throw EZError(why);
    return window;
}

QWidget *CreateNewBillForm(const QString &progID, const QString &keyValue)
{
    TModuleWindow module = editWindow(GetDataSource(progID), QStringLiteral("F3"), keyValue, false);
    QWidget *window = CreateNewForm(module.formClass);
    if (window)
        sendParams(window, ZWM_FORMRETURNVALUE, kFormParamsName, ZFormParamsAddress(module.params));
    return window;
}

void SendParamToForm(const QString &formClass, const QString &param1, const QString &param2)
{
    if (QWidget *window = GetIsExistForm(formClass))
        sendParams(window, ZWM_FORMRETURNVALUE, param1, param2);
}

bool IsExistFormClass(const QString &formClass)
{
    return GetIsExistForm(formClass) != nullptr;
}

QWidget *GetIsExistForm(const QString &formClass)
{
    for (QWidget *window : openWindows()) {
        if (sameClass(window, formClass))
            return window;
    }
    return nullptr;
}

bool IsExistBillForm(const QString &progID)
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (!form->Closed() && form->inherits("TfrmMasterData")
            && form->GetProgID().compare(progID, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool IsPublishBillForm(const QString &formClass)
{
    static const QStringList published = {QStringLiteral("TfrmListFormPub"),     QStringLiteral("TfrmMasterDataBase"),
                                          QStringLiteral("TfrmRptPubBase"),      QStringLiteral("TfrmRptGridView"),
                                          QStringLiteral("TfrmStkBillBaseAuto"), QStringLiteral("TfrmBillBaseAuto"),
                                          QStringLiteral("TfrmBillBaseLnk")};
    return published.contains(ZTrim(formClass), Qt::CaseInsensitive);
}

bool IsBigEnv()
{
    return false;
}

void ResetCurrForm()
{
    ShowDesktop();
}

void ShowDesktop()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != ZMainWindow())
            window->showMinimized();
    }
}
