// The FTP folder listing as servers send it: the Unix and DOS forms, names
// with blanks, arrows and Chinese, and lines no listing has.
#include "TestText.h"

#include "common/ZErrors.h"
#include "net/ZFtpListing.h"

#include <gtest/gtest.h>

TEST(FtpListing, ReadsUnixAndDosForms)
{
    const QByteArray listing = "total 12\r\n"
                               "drwxr-xr-x   2 owner    group        4096 Dec 07 23:40 sub folder\r\n"
                               "-rw-r--r--   1 1000     1000           42 Jan 02  2024 read me.txt\r\n"
                               "lrwxrwxrwx   1 owner    group           9 Dec 07 23:40 latest -> zkva.bin\r\n"
                               "-rw-r--r--   1 ftp ftp 7 Dec  7 09:05 \xe8\xaf\xb4\xe6\x98\x8e.txt\n"
                               "drwxr-xr-x   2 owner    group        4096 Dec 07 23:40 .\r\n"
                               "drwxr-xr-x   2 owner    group        4096 Dec 07 23:40 ..\r\n"
                               "\r\n"
                               "12-07-26  11:40PM       <DIR>          Old Versions\r\n"
                               "12-07-26  09:05AM                 1234 UpdateMsg.ini\r\n"
                               // GB18030 bytes of 说明, as an older Chinese server sends them.
                               "12-07-2026  09:05                    5 \xcb\xb5\xc3\xf7.doc\r\n";
    const QList<TZFtpEntry> entries = ZParseFtpListing(listing);
    ASSERT_EQ(entries.size(), 7);
    EXPECT_EQ(entries[0].Name, s("sub folder"));
    EXPECT_TRUE(entries[0].IsFolder);
    EXPECT_EQ(entries[1].Name, s("read me.txt"));
    EXPECT_FALSE(entries[1].IsFolder);
    EXPECT_EQ(entries[1].Size, 42);
    EXPECT_EQ(entries[2].Name, s("latest"));
    EXPECT_EQ(entries[3].Name, s("说明.txt"));
    EXPECT_EQ(entries[3].RawName, QByteArray("\xe8\xaf\xb4\xe6\x98\x8e.txt"));
    EXPECT_EQ(entries[4].Name, s("Old Versions"));
    EXPECT_TRUE(entries[4].IsFolder);
    EXPECT_EQ(entries[5].Name, s("UpdateMsg.ini"));
    EXPECT_EQ(entries[5].Size, 1234);
    EXPECT_EQ(entries[6].Name, s("说明.doc"));
    EXPECT_EQ(entries[6].RawName, QByteArray("\xcb\xb5\xc3\xf7.doc"));
    EXPECT_TRUE(ZParseFtpListing(QByteArray()).isEmpty());
    // A name cut off inside a character still has a name.
    const QList<TZFtpEntry> cut = ZParseFtpListing("-rw-r--r-- 1 a b 1 Dec 07 23:40 \xcb\n");
    ASSERT_EQ(cut.size(), 1);
    EXPECT_FALSE(cut[0].Name.isEmpty());
}

TEST(FtpListing, RefusesWhatIsNoListing)
{
    const auto errorOf = [](const QByteArray &listing) {
        try {
            ZParseFtpListing(listing);
        } catch (const EZError &e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_EQ(errorOf("-rw-r--r-- 1 a b 1 Dec 07 23:40 ok\r\n<html>Not Found</html>\r\n"),
              s("服务器返回的目录清单无法识别：<html>Not Found</html>"));
    EXPECT_EQ(errorOf("-rw-r--r-- 1 a b 1 Dec 07 23:40 \r\n"), s("服务器返回的目录清单无法识别：-rw-r--r-- 1 a b 1 Dec 07 23:40 "));
    // A name must not lead out of its folder.
    EXPECT_EQ(errorOf("12-07-26  09:05AM  5 ..\\..\\evil.txt\r\n"), s("服务器返回的文件名无效：..\\..\\evil.txt"));
}
