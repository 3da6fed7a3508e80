#include "comms/TrafficTrace.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using olvex::comms::Direction;
using olvex::comms::TrafficTrace;

TEST(TrafficTrace, WritesEveryByteInOrderWithItsDirection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("detect.log");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older log that must disappear");
    }
    TrafficTrace trace;
    trace.record(Direction::Sent, "ignored", 7);
    trace.start(path);
    trace.record(Direction::Sent, "\x14", 1);
    trace.record(Direction::Received, "\r\nER", 4);
    trace.record(Direction::Received, " 000\r\n", 6);
    for (char c : QByteArray("FR\n"))
        trace.record(Direction::Sent, &c, 1);
    trace.record(Direction::Received, "FR \xe9\\", 5);
    ASSERT_TRUE(trace.stopAndWrite());
    EXPECT_FALSE(trace.isOn());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5); // four runs and the empty rest after the last line end
    EXPECT_TRUE(lines[0].endsWith("] TX: \\x14\r"));
    EXPECT_TRUE(lines[1].endsWith("] RX: \\r\\nER 000\\r\\n\r"));
    EXPECT_TRUE(lines[2].endsWith("] TX: FR\\n\r"));
    EXPECT_TRUE(lines[3].endsWith("] RX: FR \\xE9\\\\\r"));
}

TEST(TrafficTrace, UnwritableTargetIsReported)
{
    TrafficTrace trace;
    trace.start("/nonexistent-directory/detect.log");
    trace.record(Direction::Sent, "x", 1);
    QString error;
    EXPECT_FALSE(trace.stopAndWrite(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(trace.isOn());
}
