#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

/// One mail as the mail jobs compose it: plain or HTML text in UTF-8, the
/// sender's display name and address, bare recipient addresses and, for HTML
/// mail, files to attach.
struct TZMailMessage
{
    QString SenderName;
    QString SenderAddress;
    QStringList Recipients;
    QString Subject;
    QString Body;
    bool Html = false;
    QStringList Attachments; ///< paths of the files to attach
    QDateTime Date;          ///< the moment written in the Date header
};

/// The marker replaced by a random code in sender names.
inline constexpr char16_t kRandomCodeMarker[] = u"{随机码}";

/// The sender name with a random code: the marker "{随机码}" is appended and
/// every marker is replaced by "(" + 4 to 7 random capitals A–J + ")", each
/// marker by a code of its own. Mail servers and mail programs group
/// identical senders; the code keeps successive mails apart.
QString ZAddRandomCode(const QString &senderName);

/// A header text as RFC 2047 encoded words ("=?UTF-8?B?…?="), folded onto
/// continuation lines, when it holds anything but printable ASCII or is
/// long; short printable ASCII stays as it is. Line breaks never reach the
/// header.
QByteArray ZEncodeHeaderText(const QString &text);

/// True for an address a mail server can be given: local part "@" domain,
/// both non-empty, without blanks, control characters or the characters
/// that delimit addresses in headers.
bool ZIsMailAddress(const QString &address);

/// The addresses of a recipient list: items separated by "," or ";", each a
/// bare address or "name <address>"; blank items are skipped. Raises
/// "邮件地址不正确：" + item for an item that holds no valid address.
QStringList ZMailRecipients(const QString &list);

/// The whole message as sent (CRLF lines): Date, Message-ID, From, To,
/// Subject, MIME-Version and the body as base64 UTF-8 text, or, with
/// attachments, a multipart/mixed message whose attachments are base64 parts
/// carrying their file names encoded. Raises "收件人地址未设定" without
/// recipients, "邮件地址不正确：" + address for a bad sender or recipient
/// address, and "无法读取附件文件：" + path when an attachment cannot be read.
QByteArray ZBuildMailMessage(const TZMailMessage &message);
