#include "TestText.h"

#include "common/ZProcessLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Whatever a dead holder left in the file never keeps the lock from being
// taken; only a living holder does, and its release frees the lock at once.
TEST(ProcessLock, OnlyALivingHolderKeepsOthersOut)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(s("ZKVA.lock"));
    for (const QByteArray &left : {QByteArray(), QByteArray("garbage\0\xff", 9), QByteArray("1\nhost\nZKVA\n")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(left);
        file.close();

        TZProcessLock first(path);
        EXPECT_EQ(first.TryLock(), TZProcessLock::Acquired) << left.constData();
        TZProcessLock second(path);
        EXPECT_EQ(second.TryLock(), TZProcessLock::HeldByOther);
        first.Unlock();
        EXPECT_EQ(second.TryLock(), TZProcessLock::Acquired);
    }
}

TEST(ProcessLock, AFileThatCannotBeWrittenIsSaidSo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(s("DBAcs1.orv.lock"));
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the lock file should be
    TZProcessLock lock(path);
    EXPECT_EQ(lock.TryLock(), TZProcessLock::CannotWrite);
    EXPECT_FALSE(lock.ErrorText().isEmpty());
    EXPECT_FALSE(lock.IsLocked());
}
