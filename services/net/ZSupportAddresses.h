#pragma once

#include <QString>

// The supplier's support endpoints: the SMTP server and account that feedback
// mail is sent through, the mailboxes it goes to, and the name it is signed
// with. They are the built-in defaults of the sender settings (ZSendEmail.h);
// the parameters Orvex* override them per data file. Kept here, in one place,
// because the services layer cannot read the product header of the program.

/// The support SMTP server.
inline QString ZSupportSmtpHost()
{
    return QStringLiteral("smtp.zkva.example.com");
}

/// The support sender account (also the sender address of feedback mail).
inline QString ZSupportSenderAccount()
{
    return QStringLiteral("feedback@zkva.example.com");
}

/// The password of the support sender account.
inline QString ZSupportSenderPassword()
{
    return QStringLiteral("418305927");
}

/// The support mailbox that receives feedback.
inline QString ZSupportMailbox()
{
    return QStringLiteral("support@zkva.example.com");
}

/// The second mailbox that receives a copy of the feedback of system 1001.
inline QString ZSupportSecondMailbox()
{
    return QStringLiteral("service@zkva.example.com");
}

/// The supplier's display name: the sender name of mail to the support mailbox.
inline QString ZSupplierDisplayName()
{
    return QStringLiteral("个人助理客户服务");
}
