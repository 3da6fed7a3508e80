#include "portui/StatusLights.h"

#include "common/Timings.h"
#include "portui/StatusLight.h"
#include "portui/tests/Accessibility.h"
#include "testsupport/TestApplication.h"
#include "testsupport/PseudoTerminal.h"
#include "testsupport/WaitUntil.h"

#include <gtest/gtest.h>

#include <vector>

using namespace olvex;
using comms::LineStatus;
using comms::LineStatusMonitor;
using portui::StatusLight;
using portui::StatusLights;
using testsupport::waitUntil;

namespace {

const QStringList AllLights = {"ApdStatusLightDSR", "ApdStatusLightTX", "ApdStatusLightRX",
                               "ApdStatusLightCTS", "ApdStatusLightDCD"};

class StatusLightsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::ensureApplication(); }

    void SetUp() override
    {
        port.setDevicePath(far.path());
        QString error;
        ASSERT_TRUE(port.open(&error)) << error.toStdString();
        lights.attach(monitor);
    }

    StatusLight &light(const QString &name) const
    {
        auto *found = lights.findChild<StatusLight *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }

    // Which lights are lit, as "DSR TX ..." in panel order.
    QString litLights() const
    {
        QStringList lit;
        for (const QString &name : AllLights) {
            if (light(name).isLit())
                lit.append(name.mid(QStringLiteral("ApdStatusLight").size()));
        }
        return lit.join(' ');
    }

    testsupport::PseudoTerminal far;
    comms::ComPort port;
    LineStatusMonitor monitor{port};
    StatusLights lights;
};

} // namespace

TEST_F(StatusLightsTest, FiveNamedLightsWithCaptionsFitTheToolbar)
{
    EXPECT_EQ(lights.width(), 232);
    for (const QString &name : AllLights) {
        SCOPED_TRACE(name.toStdString());
        const QString caption = name.mid(QStringLiteral("ApdStatusLight").size());
        EXPECT_EQ(testsupport::accessibleName(&light(name)), caption + " off");
        EXPECT_FALSE(light(name).accessibleDescription().isEmpty());
    }
    EXPECT_TRUE(light("ApdStatusLightDSR").font().bold());
    EXPECT_FALSE(light("ApdStatusLightCTS").font().bold());
}

TEST_F(StatusLightsTest, ModemLightsShowEachLineOnlyWhenTheStatusIsAvailable)
{
    struct Case {
        LineStatus status;
        QString lit;
    };
    const std::vector<Case> cases = {
        {{true, true, false, false}, "DSR"},
        {{true, false, true, false}, "CTS"},
        {{true, false, false, true}, "DCD"},
        {{true, true, true, true}, "DSR CTS DCD"},
        {{false, true, true, true}, ""},
        {{true, false, false, false}, ""},
    };
    monitor.setMonitoring(true);
    for (const Case &c : cases) {
        emit monitor.linesChanged(c.status);
        EXPECT_EQ(litLights(), c.lit) << c.status.available << c.status.dsr << c.status.cts << c.status.dcd;
    }
    emit monitor.linesChanged({true, true, false, false});
    EXPECT_EQ(testsupport::accessibleName(&light("ApdStatusLightDSR")), "DSR on");
}

TEST_F(StatusLightsTest, OnAPseudoTerminalModemLightsStayDarkAndTrafficFlashes)
{
    monitor.setMonitoring(true);
    QTest::qWait(3 * int(timing::LineStatusPoll.count()));
    EXPECT_EQ(litLights(), "") << "a pseudo-terminal has no modem lines";

    // Checked from inside the notification, so a slow machine cannot let the
    // flash end before the test looks.
    bool txLitOnSend = false;
    bool rxLitOnReceive = false;
    QObject::connect(&monitor, &LineStatusMonitor::sent, [&] { txLitOnSend = light("ApdStatusLightTX").isLit(); });
    QObject::connect(&monitor, &LineStatusMonitor::received,
                     [&] { rxLitOnReceive = light("ApdStatusLightRX").isLit(); });

    ASSERT_TRUE(port.write("x"));
    EXPECT_TRUE(txLitOnSend);
    EXPECT_TRUE(waitUntil([&] { return !light("ApdStatusLightTX").isLit(); })) << "the flash ends";

    far.write("y");
    EXPECT_TRUE(waitUntil([&] { return rxLitOnReceive; }));
    EXPECT_TRUE(waitUntil([&] { return !light("ApdStatusLightRX").isLit(); }));
    EXPECT_EQ(litLights(), "");
}

TEST_F(StatusLightsTest, SwitchingMonitoringOffDarkensEveryLightAtOnce)
{
    monitor.setMonitoring(true);
    emit monitor.linesChanged({true, true, true, true});
    ASSERT_TRUE(port.write("x"));
    ASSERT_EQ(litLights(), "DSR TX CTS DCD");

    monitor.setMonitoring(false);
    EXPECT_EQ(litLights(), "");
    EXPECT_EQ(testsupport::accessibleName(&light("ApdStatusLightTX")), "TX off");
}
