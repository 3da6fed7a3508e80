#include "transfer/AsciiSender.h"

#include "common/Timings.h"
#include "testsupport/TestApplication.h"
#include "testsupport/PseudoTerminal.h"
#include "testsupport/WaitUntil.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace olvex;
using comms::ComPort;
using testsupport::PseudoTerminal;
using testsupport::waitUntil;
using transfer::AsciiSender;

namespace {

// `count` CR LF lines of `width` bytes each (line end included), with bytes
// above 0x7F in every line.
QByteArray textLines(int count, int width = 40)
{
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        QByteArray line = QByteArray::number(i).rightJustified(4, '0') + " \xe9\xb5\xff ";
        line = line.leftJustified(width - 2, 'x') + "\r\n";
        text += line;
    }
    return text;
}

class AsciiSenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::ensureApplication(); }

    QString writeFile(const QByteArray &contents, const QString &name = QStringLiteral("send.txt"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }

    void openPort(qint32 baud)
    {
        comms::PortSettings settings;
        settings.devicePath = far.path();
        settings.baudRate = baud;
        settings.hardwareFlow = {};
        port.setSettings(settings);
        QString error;
        ASSERT_TRUE(port.open(&error)) << error.toStdString();
    }

    // Starts sending `contents` and waits until the first line has gone out.
    void startAndWaitForFirstLine(const QByteArray &contents)
    {
        QSignalSpy progress(&sender, &AsciiSender::progress);
        QString error;
        ASSERT_TRUE(sender.start(writeFile(contents), port, &error)) << error.toStdString();
        ASSERT_TRUE(progress.wait(5000));
    }

    QTemporaryDir dir;
    PseudoTerminal far;
    ComPort port;
    AsciiSender sender;
};

} // namespace

TEST_F(AsciiSenderTest, FarEndReceivesExactlyTheFileAndProgressEndsAtTheTotal)
{
    // Every kind of line end, bytes above 0x7F, a line longer than one piece
    // and no line end at the very end.
    const QByteArray contents = QByteArray("first \xe9\xfc\x80\xff\r\n") + "lf only\n" + "cr only\r"
        + QByteArray(700, '\xb0') + "\r\n" + "\r\n" + "tail without end";
    openPort(115200);
    QSignalSpy started(&sender, &AsciiSender::started);
    QSignalSpy progress(&sender, &AsciiSender::progress);
    QSignalSpy finished(&sender, &AsciiSender::finished);
    const QString path = writeFile(contents);

    QString error;
    ASSERT_TRUE(sender.start(path, port, &error)) << error.toStdString();
    EXPECT_TRUE(sender.isSending());
    ASSERT_EQ(started.count(), 1);
    EXPECT_EQ(started[0][0].toString(), path);
    EXPECT_EQ(started[0][1].toLongLong(), contents.size());
    EXPECT_TRUE(far.received().isEmpty()) << "start() returns before sending";

    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished[0][0].toBool()) << finished[0][1].toString().toStdString();
    EXPECT_FALSE(sender.isSending());
    ASSERT_TRUE(waitUntil([&] { return far.received().size() >= contents.size(); }));
    EXPECT_EQ(far.received(), contents);

    ASSERT_FALSE(progress.isEmpty());
    qint64 previous = 0;
    for (const QList<QVariant> &step : progress) {
        EXPECT_GT(step[0].toLongLong(), previous);
        EXPECT_EQ(step[1].toLongLong(), contents.size());
        previous = step[0].toLongLong();
    }
    EXPECT_EQ(previous, contents.size());
    EXPECT_EQ(sender.bytesSent(), contents.size());
}

TEST_F(AsciiSenderTest, EmptyFileCompletesWithoutSendingAnything)
{
    openPort(115200);
    QSignalSpy finished(&sender, &AsciiSender::finished);
    ASSERT_TRUE(sender.start(writeFile({}), port));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(finished[0][0].toBool());
    EXPECT_EQ(sender.totalBytes(), 0);
    EXPECT_TRUE(far.received().isEmpty());
}

TEST_F(AsciiSenderTest, RefusesToStartWithAReasonAndSendsNothing)
{
    const QString readable = writeFile(textLines(3));
    QSignalSpy started(&sender, &AsciiSender::started);
    QString error;

    EXPECT_FALSE(sender.start(readable, port, &error)) << "port still closed";
    EXPECT_FALSE(error.isEmpty());

    openPort(115200);
    error.clear();
    EXPECT_FALSE(sender.start(dir.filePath("missing.txt"), port, &error));
    EXPECT_TRUE(error.contains("missing.txt")) << error.toStdString();
    EXPECT_EQ(started.count(), 0);
    EXPECT_FALSE(sender.isSending());

    const QByteArray running = textLines(20);
    ASSERT_TRUE(sender.start(writeFile(running, "running.txt"), port));
    error.clear();
    EXPECT_FALSE(sender.start(readable, port, &error)) << "a transfer is running";
    EXPECT_FALSE(error.isEmpty());

    QSignalSpy finished(&sender, &AsciiSender::finished);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(finished[0][0].toBool()) << "the refused start leaves the running transfer alone";
    ASSERT_TRUE(waitUntil([&] { return far.received().size() >= running.size(); }));
    EXPECT_EQ(far.received(), running);
}

TEST_F(AsciiSenderTest, CancelStopsBeforeTheNextLineAndSaysSo)
{
    const QByteArray contents = textLines(200);
    openPort(115200);
    startAndWaitForFirstLine(contents);
    QSignalSpy progress(&sender, &AsciiSender::progress);
    QSignalSpy finished(&sender, &AsciiSender::finished);

    sender.cancel();
    ASSERT_EQ(finished.count(), 1) << "reported before cancel() returns";
    EXPECT_FALSE(finished[0][0].toBool());
    EXPECT_TRUE(finished[0][1].toString().contains("cancel")) << finished[0][1].toString().toStdString();
    EXPECT_FALSE(sender.isSending());

    const qint64 sent = sender.bytesSent();
    EXPECT_LT(sent, contents.size());
    ASSERT_TRUE(waitUntil([&] { return far.received().size() >= sent; }));
    QTest::qWait(300);
    EXPECT_EQ(far.received(), contents.left(sent)) << "nothing goes out after the cancel";
    EXPECT_TRUE(progress.isEmpty());
    EXPECT_EQ(finished.count(), 1);
}

enum class PortLoss { ClosedByUser, DeviceGone };

class AsciiSenderPortLossTest : public AsciiSenderTest, public ::testing::WithParamInterface<PortLoss> {};

TEST_P(AsciiSenderPortLossTest, EndsTheTransferAtOnceWithTheReason)
{
    const QByteArray contents = textLines(200);
    openPort(115200);
    startAndWaitForFirstLine(contents);
    QSignalSpy finished(&sender, &AsciiSender::finished);

    if (GetParam() == PortLoss::ClosedByUser)
        port.close();
    else
        far.hangUp();
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); })) << "the transfer must not hang";
    EXPECT_FALSE(finished[0][0].toBool());
    const QString message = finished[0][1].toString();
    EXPECT_TRUE(message.contains(GetParam() == PortLoss::ClosedByUser ? "closed" : "went away"))
        << message.toStdString();
    EXPECT_FALSE(sender.isSending());
    EXPECT_LT(sender.bytesSent(), contents.size());
}

INSTANTIATE_TEST_SUITE_P(Ways, AsciiSenderPortLossTest,
                         ::testing::Values(PortLoss::ClosedByUser, PortLoss::DeviceGone),
                         [](const auto &info) {
                             return info.param == PortLoss::ClosedByUser ? "ClosedByUser" : "DeviceGone";
                         });

TEST_F(AsciiSenderTest, LinesTakeAtLeastTheirWireTimePlusTheLineDelay)
{
    constexpr int lineCount = 6;
    constexpr int width = 60;
    const QByteArray contents = textLines(lineCount, width);
    openPort(9600);
    QSignalSpy finished(&sender, &AsciiSender::finished);

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(sender.start(writeFile(contents), port));
    ASSERT_TRUE(finished.wait(20000));
    const qint64 elapsed = clock.elapsed();

    // 8N1: ten bits a character.
    const qint64 wireMillis = qint64(contents.size()) * 10 * 1000 / 9600;
    const qint64 lower = wireMillis + lineCount * timing::scaled(timing::AsciiLineDelay).count();
    EXPECT_GE(elapsed, lower);
}
