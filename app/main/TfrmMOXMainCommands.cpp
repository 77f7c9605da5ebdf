// The main window's own commands: the login password, the web pages, the
// about box and the backup.
#include "TfrmMOXMain.h"

#include "TfrmAboutMOX.h"
#include "ZProductInfo.h"

#include "data/TParamInfo.h"
#include "forms/ZInputBox.h"
#include "forms/ZMessageBox.h"
#include "launcher/ZLauncher.h"

#include <QDesktopServices>
#include <QUrl>

void TfrmMOXMain::SetLoginPassword()
{
    const QString name = QStringLiteral("LoginPassWord");
    const QString old = GetParamValue(name);
    QString password = old;
    if (!ZInputQueryNew(windowTitle(), QStringLiteral("设置登陆密码"), password, true))
        return;
    QString again = old;
    if (!ZInputQueryNew(windowTitle(), QStringLiteral("请在确认一次密码"), again, true))
        return;
    if (password.compare(again, Qt::CaseInsensitive) != 0) {
        ZShowMessage(QStringLiteral("两次密码不一致，密码未设置！"));
        return;
    }
    const bool cached = GetParamInfo().GetParamItem(name) != nullptr;
    SaveParamValue(name, password);
    // A parameter the data file did not hold yet is read from the cache only
    // after a reload.
    if (!cached)
        GetParamInfo().UpdateParamInfo();
    ZShowMessage(QStringLiteral("密码已设置成功!"));
}

void TfrmMOXMain::OpenWebSite()
{
    QDesktopServices::openUrl(QUrl(ZProductWebSiteUrl()));
}

void TfrmMOXMain::OpenForum()
{
    QDesktopServices::openUrl(QUrl(ZProductForumUrl()));
}

void TfrmMOXMain::ShowAbout()
{
    TfrmAboutMOX about(this);
    about.Execute();
}

void TfrmMOXMain::BackUpData()
{
    WakeUpForm(QStringLiteral("TfrmACCESSBackUp"), wtShowModal, QString(), QString());
}
