#include "launcher/ZPackages.h"

#include <QLibrary>

#include <gtest/gtest.h>

TEST(RuntimePackages, EveryPackageLoadsFromTheProgramFolderByFileName)
{
    const QByteArray previous = qgetenv("ZKVA_HOME");
    qputenv("ZKVA_HOME", ZKVA_PROGRAM_DIR);
    EXPECT_EQ(ZRuntimePackages(), QStringList({QStringLiteral("dpkZSys"), QStringLiteral("dpkSysAdmin"),
                                               QStringLiteral("dpkSelfBase"), QStringLiteral("dpkMOX")}));
    for (const QString &package : ZRuntimePackages()) {
        EXPECT_EQ(ZPackageFile(package), QStringLiteral(ZKVA_PROGRAM_DIR "/") + package + QStringLiteral(".so"));
        QLibrary library(ZPackageFile(package));
        ASSERT_TRUE(library.load()) << qPrintable(library.errorString());
        const auto name = reinterpret_cast<TZPackageNameFunc>(library.resolve(ZPackageNameSymbol));
        ASSERT_NE(name, nullptr) << qPrintable(package);
        EXPECT_EQ(QString::fromLatin1(name()), package);
        EXPECT_TRUE(library.unload());
    }
    qputenv("ZKVA_HOME", previous);
}
