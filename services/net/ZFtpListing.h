#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// One entry of an FTP folder listing.
struct TZFtpEntry
{
    QString Name;       ///< the name as text (UTF-8, else GB18030)
    QByteArray RawName; ///< the name as the server sent it, for requests
    bool IsFolder = false;
    qint64 Size = -1; ///< -1 when the listing gives none
};

/// Reads the answer of an FTP LIST command: the Unix form of most servers
/// ("drwxr-xr-x 2 owner group 4096 Dec 07 23:40 name", symbolic links
/// "name -> target" as the name before the arrow) and the DOS form of
/// Windows servers ("12-07-26  11:40PM  <DIR>  name"). Lines may end in
/// CRLF or LF; empty lines, "total n" and the entries "." and ".." are left
/// out. Names are decoded as UTF-8 when they are valid UTF-8, else as
/// GB18030, the encoding of older Chinese servers.
///
/// The listing comes from the network: a line in neither form raises EZError
/// "服务器返回的目录清单无法识别：" with the line, rather than quietly
/// leaving a file out.
QList<TZFtpEntry> ZParseFtpListing(const QByteArray &listing);
