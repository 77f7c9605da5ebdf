// Packing and unpacking with the 7-Zip program: the command lines, and real
// archives with Chinese names, passwords with blanks and volumes.
#include "TTempProgramFolder.h"
#include "TestErrors.h"
#include "TestText.h"

#include "common/TFileCompress.h"
#include "common/ZErrors.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <functional>

#include <gtest/gtest.h>

TEST(FileCompress, CommandLines)
{
    EXPECT_EQ(TFileCompress::CompressCommandLine(s("7z"), s("/d/a.txt"), s("/d/x.7z"), QString(), 0),
              s("7z a \"/d/x.7z\" \"/d/a.txt\""));
    EXPECT_EQ(TFileCompress::CompressCommandLine(s("7z"), s("/d/*"), s("/d/x.7z"), s("pw"), 100),
              s("7z a \"/d/x.7z\" \"/d/*\" -ppw -v100K"));
    EXPECT_EQ(TFileCompress::CompressArguments(s("/d/*"), s("/d/x.7z"), QString(), 100),
              QStringList({s("a"), s("/d/x.7z"), s("/d/*"), s("-v100K")}));
    EXPECT_EQ(TFileCompress::DeCompressCommandLine(s("7z"), s("/d/x.7z"), QString(), s("/t")),
              s("7z x \"/d/x.7z\" -o\"/t\" -y"));
    EXPECT_EQ(TFileCompress::DeCompressArguments(s("/d/x.7z"), s("a b"), s("/t")),
              QStringList({s("x"), s("/d/x.7z"), s("-o/t"), s("-y"), s("-pa b")}));
}

TEST(FileCompress, PacksAndUnpacksRealArchives)
{
    TTempProgramFolder folder;
    const QString packer = ZPackerPath();
    ASSERT_TRUE(QFile::exists(packer)) << "7-Zip is installed by tools/install-deps.sh";
    QByteArray noise(300 * 1024, Qt::Uninitialized);
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256)); // does not pack smaller
    folder.writeFile(s("源/数据.bin"), noise);
    folder.writeFile(s("源/说明.txt"), QByteArray("帐套数据"));
    TFileCompress compress;

    // A password with a blank and a quote reaches the packer whole; volumes
    // of 100 K make three parts.
    const QString password = s("密 码\"1");
    compress.CompressFile(packer, folder.path() + s("源/*"), folder.path() + s("包/数据.7z"), password, 100);
    const QStringList parts = QDir(folder.path() + s("包")).entryList(QDir::Files, QDir::Name);
    ASSERT_GE(parts.size(), 3);
    for (qsizetype i = 0; i < parts.size(); ++i)
        EXPECT_EQ(parts.at(i), s("数据.7z.%1").arg(i + 1, 3, 10, QLatin1Char('0')));

    compress.DeCompressFile(packer, folder.path() + s("包/数据.7z.001"), password, folder.path() + s("出"));
    EXPECT_EQ(folder.readFile(s("出/数据.bin")), noise);
    EXPECT_EQ(folder.readFile(s("出/说明.txt")), QByteArray("帐套数据"));

    // Unpacking again overwrites without asking.
    folder.writeFile(s("出/说明.txt"), QByteArray("changed"));
    compress.DeCompressFile(packer, folder.path() + s("包/数据.7z.001"), password, folder.path() + s("出"));
    EXPECT_EQ(folder.readFile(s("出/说明.txt")), QByteArray("帐套数据"));

    // Without a password nothing asks for one.
    compress.CompressFile(packer, folder.path() + s("源/说明.txt"), folder.path() + s("plain.7z"), QString(), 0);
    compress.DeCompressFile(packer, folder.path() + s("plain.7z"), QString(), folder.path() + s("plain"));
    EXPECT_EQ(folder.readFile(s("plain/说明.txt")), QByteArray("帐套数据"));
}

TEST(FileCompress, FailuresAreToldAsFailures)
{
    TTempProgramFolder folder;
    const QString packer = ZPackerPath();
    TFileCompress compress;
    EXPECT_EQ(errorOf([&] { compress.CompressFile(s("/no/such/7z"), s("a"), s("b.7z"), QString(), 0); }),
              s("不存在文件：/no/such/7z"));

    folder.writeFile(s("a.txt"), QByteArray("secret"));
    // A file to pack that is not there gives no archive that passes for one.
    EXPECT_TRUE(errorOf([&] {
                    compress.CompressFile(packer, folder.path() + s("无此文件.txt"), folder.path() + s("empty.7z"),
                                          QString(), 0);
                }).startsWith(s("压缩文件失败：")));
    compress.CompressFile(packer, folder.path() + s("a.txt"), folder.path() + s("a.7z"), s("right"), 0);
    // A wrong or missing password does not wait for an answer: it fails.
    EXPECT_TRUE(errorOf([&] {
                    compress.DeCompressFile(packer, folder.path() + s("a.7z"), s("wrong"), folder.path() + s("x"));
                }).startsWith(s("解压文件失败：")));
    EXPECT_TRUE(errorOf([&] {
                    compress.DeCompressFile(packer, folder.path() + s("a.7z"), QString(), folder.path() + s("y"));
                }).startsWith(s("解压文件失败：")));
    EXPECT_TRUE(errorOf([&] {
                    compress.DeCompressFile(packer, folder.path() + s("none.7z"), QString(), folder.path() + s("z"));
                }).startsWith(s("解压文件失败：")));
    EXPECT_TRUE(errorOf([&] {
                    compress.DeCompressFile(s("/no/such/7z"), folder.path() + s("a.7z"), QString(), folder.path());
                }).startsWith(s("解压文件失败：")));
}
