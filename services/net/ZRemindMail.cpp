#include "ZRemindMail.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "data/TParamInfo.h"
#include "net/ZSendEmail.h"

namespace {

// The connection time-out of reminder mail, in milliseconds.
constexpr int kRemindTimeOut = 120;

} // namespace

void ZSendRemindMail(const QString &title, const QString &content, const QString &address)
{
    try {
        const QString user = GetParamValue(QStringLiteral("MailUserName"));
        const QString password = GetParamValue(QStringLiteral("MailPassword"));
        const QString host = GetParamValue(QStringLiteral("MailHost"));
        const QString fromName = GetParamValue(QStringLiteral("MailFromName"));
        const int port = ZMailPort(GetParamValue(QStringLiteral("MailPort")));
        if (host.trimmed().isEmpty() || user.trimmed().isEmpty()) {
            PostMsgToMainWindow(QStringLiteral("邮件发送服务器或用户名未设置，无法发送邮件提醒！"), ZMSG_COLOR_ERROR);
            return;
        }
        if (address.trimmed().isEmpty()) {
            PostMsgToMainWindow(QStringLiteral("提醒主题[") + title + QStringLiteral("]目的邮件地址未设定，无法发送邮件提醒！"),
                                ZMSG_COLOR_ERROR);
            return;
        }
        InsideSendEmail(user, password, host, true, kRemindTimeOut, address, fromName, user, content, title, port);
    } catch (const EZAbort &) {
    } catch (...) {
        PostMsgToMainWindow(ZCurrentExceptionMessage(), ZMSG_COLOR_ERROR);
    }
}
