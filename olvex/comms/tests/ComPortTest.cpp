#include "comms/ComPort.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include "testsupport/TestApplication.h"

#include <gtest/gtest.h>

#include "testsupport/PseudoTerminal.h"

using olvex::comms::ComPort;
using Pty = olvex::testsupport::PseudoTerminal;

namespace {

struct ComPortTest : ::testing::Test {
    static void SetUpTestSuite() { olvex::testsupport::ensureApplication(); }
};

} // namespace

TEST_F(ComPortTest, NamesOfNumberedPortsAndDevices)
{
    ComPort port;
    port.setPortNumber(3);
    EXPECT_EQ(port.displayName(), "COM3");
#ifdef Q_OS_WIN
    EXPECT_EQ(port.systemName(), "COM3");
#else
    EXPECT_EQ(port.systemName(), "/dev/ttyS2");
#endif
    port.setDevicePath("/dev/pts/7");
    EXPECT_EQ(port.displayName(), "/dev/pts/7");
    EXPECT_EQ(port.systemName(), "/dev/pts/7");
}

TEST_F(ComPortTest, OpeningAMissingDeviceFailsWithAReasonAndStaysClosed)
{
    ComPort port;
    port.setDevicePath("/dev/olvex-no-such-port");
    QString error;
    EXPECT_FALSE(port.open(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ComPortTest, CarriesBytesBothWaysOnAPseudoTerminal)
{
    Pty pty;
    ComPort port;
    port.setDevicePath(pty.path());
    port.setBaudRate(9600);
    ASSERT_TRUE(port.open());
    QSignalSpy received(&port, &ComPort::dataReceived);
    pty.write("FR 9.0\r\n");
    QByteArray got;
    for (int i = 0; i < 50 && got.size() < 8; ++i) {
        received.wait(100);
        got.clear();
        for (const auto &args : received)
            got += args[0].toByteArray();
    }
    EXPECT_EQ(got, "FR 9.0\r\n");
    EXPECT_TRUE(port.write("\x14"));
    EXPECT_FALSE(port.setDtr(true)) << "a pseudo-terminal has no DTR line";
    EXPECT_TRUE(port.isOpen()) << "a failed modem-line request is not a port failure";
    EXPECT_FALSE(port.lineStatus().available);
}

TEST_F(ComPortTest, VanishingDeviceClosesThePortAndSaysSoOnce)
{
    Pty pty;
    ComPort port;
    port.setDevicePath(pty.path());
    ASSERT_TRUE(port.open());
    QSignalSpy vanished(&port, &ComPort::vanished);
    QSignalSpy closed(&port, &ComPort::closed);
    pty.hangUp();
    EXPECT_TRUE(vanished.wait(3000));
    QTest::qWait(100);
    EXPECT_EQ(vanished.count(), 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write("x"));
}
