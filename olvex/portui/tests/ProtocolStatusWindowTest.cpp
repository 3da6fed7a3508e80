#include "portui/ProtocolStatusWindow.h"

#include "portui/tests/Accessibility.h"
#include "testsupport/TestApplication.h"
#include "transfer/AsciiSender.h"
#include "testsupport/PseudoTerminal.h"
#include "testsupport/WaitUntil.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace olvex;
using portui::ProtocolStatusWindow;
using testsupport::waitUntil;
using transfer::AsciiSender;

namespace {

class ProtocolStatusWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testsupport::ensureApplication(); }

    void SetUp() override
    {
        comms::PortSettings settings;
        settings.devicePath = far.path();
        settings.hardwareFlow = {};
        port.setSettings(settings);
        QString error;
        ASSERT_TRUE(port.open(&error)) << error.toStdString();
    }

    void startSending(int lineCount)
    {
        const QString path = dir.filePath("probe-setup.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < lineCount; ++i)
            file.write("SET LINE " + QByteArray::number(i).rightJustified(30, '0') + "\r\n");
        file.close();
        QString error;
        ASSERT_TRUE(sender.start(path, port, &error)) << error.toStdString();
    }

    template <typename W> W *field(const char *name) const
    {
        auto *widget = window.findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString text(const char *name) const { return field<QLineEdit>(name)->text(); }

    QTemporaryDir dir;
    testsupport::PseudoTerminal far;
    comms::ComPort port;
    AsciiSender sender;
    ProtocolStatusWindow window{sender};
};

} // namespace

TEST_F(ProtocolStatusWindowTest, AppearsCentredWhenSendingStartsAndStaysToReportTheEnd)
{
    EXPECT_FALSE(window.isVisible());
    QSignalSpy finished(&sender, &AsciiSender::finished);
    startSending(3);

    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Protocol Status");
    const QPoint desktopCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window.frameGeometry().center() - desktopCentre).manhattanLength(), 2);
    EXPECT_EQ(text("ProtocolFileName"), "probe-setup.txt");
    EXPECT_EQ(text("ProtocolBytes"), "0 of 123");
    EXPECT_TRUE(field<QPushButton>("ButtonCancel")->isVisible());
    EXPECT_FALSE(field<QPushButton>("ButtonClose")->isVisible());

    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(text("ProtocolBytes"), "123 of 123") << "refreshed once more at the end";
    EXPECT_EQ(text("ProtocolPercent"), "100%");
    EXPECT_EQ(field<QProgressBar>("ProtocolProgress")->value(), 100);
    EXPECT_EQ(field<QLabel>("ProtocolResult")->text(), finished[0][1].toString());
    EXPECT_TRUE(window.isVisible()) << "the user closes it";
    EXPECT_FALSE(field<QPushButton>("ButtonCancel")->isVisible());

    field<QPushButton>("ButtonClose")->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProtocolStatusWindowTest, ShowsProgressWhileSendingAndCancelStopsTheTransfer)
{
    startSending(400);
    const auto sentShown = [&] { return text("ProtocolBytes").section(' ', 0, 0).toLongLong(); };
    ASSERT_TRUE(waitUntil([&] { return sentShown() > 0; })) << "the periodic refresh shows progress";
    ASSERT_TRUE(sender.isSending()) << "the file is long enough to be still going";
    EXPECT_LT(sentShown(), sender.totalBytes());

    field<QPushButton>("ButtonCancel")->click();
    EXPECT_FALSE(sender.isSending());
    EXPECT_TRUE(field<QLabel>("ProtocolResult")->text().contains("cancel"));
    EXPECT_NE(text("ProtocolPercent"), "100%");
    EXPECT_EQ(sentShown(), sender.bytesSent());
    EXPECT_TRUE(field<QPushButton>("ButtonClose")->isVisible());
}

TEST_F(ProtocolStatusWindowTest, FieldsAreNamedByTheirLabels)
{
    startSending(1);
    testsupport::expectFieldsNamedByTheirLabels(
        window, {"ProtocolFileName", "ProtocolBytes", "ProtocolPercent", "ProtocolProgress"});
    EXPECT_EQ(testsupport::accessibleName(field<QPushButton>("ButtonCancel")), "Cancel");
}
