#include "probe/TrafficLog.h"

#include "comms/TrafficTrace.h"
#include "testsupport/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace olvex;

TEST(TrafficLog, LongPathsAreCutTo255Characters)
{
    comms::TrafficTrace trace;
    testsupport::ScriptedMessages messages;
    const QString directory = QStringLiteral("/nonexistent/") + QString(300, QLatin1Char('d'));
    probe::trafficlog::start(trace, directory, QStringLiteral("detect.log"), messages);

    EXPECT_TRUE(trace.isOn());
    EXPECT_EQ(trace.targetPath(), (directory + QStringLiteral("/detect.log")).left(255));
    EXPECT_TRUE(messages.texts().empty());
}
