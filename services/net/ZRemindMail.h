#pragma once

#include <QString>

/// Mails a due reminder to `address` with the user's own mail settings (the
/// parameters MailHost, MailUserName, MailPassword, MailFromName, MailPort):
/// the title as subject, the content as body, MailFromName as sender name
/// and MailUserName as sender address. A blank host or user name, or a
/// blank address, is told to the user in red through the main window and
/// sends nothing; a failed delivery is reported the same way. Never throws:
/// the reminder poll goes on whatever happens here.
void ZSendRemindMail(const QString &title, const QString &content, const QString &address);
