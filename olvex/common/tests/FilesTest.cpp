#include "common/Files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using olvex::files::fileInUse;

TEST(FileInUse, MissingOrFreeFilesAreNotInUse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("capture.log");
    EXPECT_FALSE(fileInUse(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(fileInUse(path));
}

TEST(FileInUse, LockedOrUnwritableFilesAreInUse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("detect.log");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    const int holder = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    EXPECT_TRUE(fileInUse(path));
    ::close(holder);
    EXPECT_FALSE(fileInUse(path));

    // A directory of that name can never be opened for writing (also as root).
    EXPECT_TRUE(fileInUse(dir.path()));
}
