#include "comms/DataPacket.h"
#include "common/Timings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "testsupport/TestApplication.h"

#include <gtest/gtest.h>

using olvex::comms::DataPacket;

namespace {

struct DataPacketTest : ::testing::Test {
    static void SetUpTestSuite() { olvex::testsupport::ensureApplication(); }
};

} // namespace

TEST_F(DataPacketTest, HandlerThatRearmsGetsTheRestOfTheSameInput)
{
    // The upload window re-arms in its reply handler while the next dataset
    // line is already in the same read.
    DataPacket matcher;
    matcher.setStartString("CD");
    matcher.setEndString("\r\n");
    matcher.setIncludeStrings(false);
    std::vector<QByteArray> lines;
    QObject::connect(&matcher, &DataPacket::packet, [&](const QByteArray &line) {
        lines.push_back(line);
        matcher.setEnabled(true);
    });
    matcher.setEnabled(true);
    matcher.consume("CD1,2\r\nCD3,4\r\nC");
    matcher.consume("D5,6\r\n");
    EXPECT_EQ(lines, (std::vector<QByteArray>{"1,2", "3,4", "5,6"}));
}

TEST_F(DataPacketTest, DisablesItselfAfterDelivering)
{
    DataPacket matcher;
    matcher.setStartString("ER");
    matcher.setEndString("000");
    QSignalSpy delivered(&matcher, &DataPacket::packet);
    matcher.setEnabled(true);
    matcher.consume("ER 000 ER 000");
    EXPECT_EQ(delivered.count(), 1);
    EXPECT_FALSE(matcher.isEnabled());
}

TEST_F(DataPacketTest, TimeoutRunsFromTheStartOfAMatchAndDropsThePartialReply)
{
    DataPacket matcher;
    matcher.setStartString("ER");
    matcher.setEndString("000");
    matcher.setTimeoutTicks(2); // 110 ms
    QSignalSpy delivered(&matcher, &DataPacket::packet);
    QSignalSpy timedOut(&matcher, &DataPacket::timeout);
    matcher.setEnabled(true);

    QTest::qWait(200);
    EXPECT_EQ(timedOut.count(), 0) << "no start string seen yet: nothing runs";

    QElapsedTimer clock;
    clock.start();
    matcher.consume("noise ER 0");
    ASSERT_TRUE(timedOut.wait(2000));
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_FALSE(matcher.isEnabled());
    matcher.consume("00");
    EXPECT_EQ(delivered.count(), 0) << "the dropped start must not complete later";
}

TEST_F(DataPacketTest, BlockMatcherStartsItsTimeoutAtTheFirstByte)
{
    DataPacket matcher;
    matcher.setPacketSize(3);
    matcher.setTimeoutTicks(1);
    QSignalSpy delivered(&matcher, &DataPacket::packet);
    QSignalSpy timedOut(&matcher, &DataPacket::timeout);
    matcher.setEnabled(true);
    QTest::qWait(150);
    EXPECT_EQ(timedOut.count(), 0);
    matcher.consume("ab");
    ASSERT_TRUE(timedOut.wait(2000));
    matcher.setEnabled(true);
    matcher.consume("xyz");
    ASSERT_EQ(delivered.count(), 1);
    EXPECT_EQ(delivered[0][0].toByteArray(), "xyz");
}
