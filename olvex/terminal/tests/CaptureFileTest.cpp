#include "terminal/CaptureFile.h"
#include "testsupport/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace olvex::terminal {
namespace {

class CaptureFileTest : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    CaptureFile capture;
};

TEST_F(CaptureFileTest, HoldsExactlyTheBytesWrittenWhileOpen)
{
    const QString file = path("capture.log");
    testsupport::writeFile(file, "old content that must go");

    ASSERT_EQ(capture.start(file), std::nullopt);
    EXPECT_TRUE(capture.isOpen());
    EXPECT_EQ(testsupport::readFile(file), QByteArray()) << "an existing file starts empty";

    const QByteArray first("cmd>\r\n\x00\x80\xe9\xff", 10);
    const QByteArray second = "\x1b[2J tail \n";
    EXPECT_EQ(capture.write(first), std::nullopt);
    EXPECT_EQ(testsupport::readFile(file), first) << "bytes reach the file as they arrive";
    EXPECT_EQ(capture.write(second), std::nullopt);
    EXPECT_EQ(capture.stop(), std::nullopt);

    EXPECT_FALSE(capture.isOpen());
    EXPECT_EQ(testsupport::readFile(file), first + second);
}

TEST_F(CaptureFileTest, StartOnAnotherFileClosesTheFirst)
{
    ASSERT_EQ(capture.start(path("one.log")), std::nullopt);
    EXPECT_EQ(capture.write("1"), std::nullopt);
    ASSERT_EQ(capture.start(path("two.log")), std::nullopt);
    EXPECT_EQ(capture.write("2"), std::nullopt);
    EXPECT_EQ(capture.stop(), std::nullopt);

    EXPECT_EQ(testsupport::readFile(path("one.log")), "1");
    EXPECT_EQ(testsupport::readFile(path("two.log")), "2");
}

TEST_F(CaptureFileTest, StopWithoutCaptureDoesNothing)
{
    EXPECT_EQ(capture.stop(), std::nullopt);
    EXPECT_FALSE(capture.isOpen());
}

TEST_F(CaptureFileTest, PathThatCannotBeCreatedGivesMessage)
{
    const QString file = path("no-such-directory/capture.log");
    const auto error = capture.start(file);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(file)) << error->toStdString();
    EXPECT_FALSE(capture.isOpen());
}

TEST_F(CaptureFileTest, FileHeldByAnotherProgramIsLeftAlone)
{
    const QString file = path("held.log");
    testsupport::writeFile(file, "another program's data");
    const int other = ::open(QFile::encodeName(file).constData(), O_WRONLY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);

    const auto error = capture.start(file);
    ::close(other);

    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(file)) << error->toStdString();
    EXPECT_FALSE(capture.isOpen());
    EXPECT_EQ(testsupport::readFile(file), "another program's data");
}

TEST_F(CaptureFileTest, RunningCaptureIsHeldAgainstOthers)
{
    const QString file = path("capture.log");
    ASSERT_EQ(capture.start(file), std::nullopt);

    const int other = ::open(QFile::encodeName(file).constData(), O_WRONLY);
    ASSERT_GE(other, 0);
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);

    CaptureFile second;
    EXPECT_TRUE(second.start(file).has_value());
}

} // namespace
} // namespace olvex::terminal
