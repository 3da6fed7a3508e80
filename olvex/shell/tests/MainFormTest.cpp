#include "MainFormFixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>

using namespace olvex;
using MainFormTest = olvex::shelltest::MainFormFixture;
using olvex::shell::TOlvexMainForm;

TEST_F(MainFormTest, OpensTheSimulatedProbeAndShowsThePortInTheStatusBar)
{
    auto form = createOnSimulator();
    EXPECT_TRUE(form->port().isOpen());
    EXPECT_EQ(panel(*form, "StatusPanelPort"), QStringLiteral(" %1 8 None 1 9600").arg(simulatorPath()));
    EXPECT_EQ(panel(*form, "StatusPanelOpen"), "Port Open");
    EXPECT_EQ(action(*form, "ToolButton3")->toolTip(), "Close Com Port");
    EXPECT_EQ(action(*form, "Open1")->text(), "Close");
    EXPECT_EQ(form->windowTitle(), "QUORVEL LUMEN KAROS 4xx Terminal Emulation");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(action(*form, "Upgrade1")->isEnabled());
    EXPECT_FALSE(action(*form, "ReadCast")->isEnabled());
}

TEST_F(MainFormTest, TypedKeysReachTheProbeAndItsRepliesAppearInTheTerminal)
{
    auto form = createOnSimulator();
    form->show();
    terminal::TerminalView &terminal = form->terminalView();
    QSignalSpy typed(&terminal, &terminal::TerminalView::bytesTyped);
    QTest::keyClicks(&terminal, "VT");
    QTest::keyClick(&terminal, Qt::Key_Return);
    ASSERT_EQ(typed.size(), 3);
    // The port writes from the event loop, so the test must keep it running.
    QTRY_COMPARE_WITH_TIMEOUT(simulator.commandCount("VT"), std::size_t(1), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(screenText(terminal).contains("cmd>"), 5000);
    EXPECT_FALSE(screenText(terminal).contains("VT")) << "no local echo";
}

TEST_F(MainFormTest, AMissingPortCannotBeOpened)
{
    auto form = create({"--device", dir.filePath("no-such-port")});
    EXPECT_EQ(messages.texts(), std::vector<QString>{"Cannot open port"});
    EXPECT_EQ(messages.shown()[0].title, "Error");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(form->port().isOpen());
    EXPECT_EQ(panel(*form, "StatusPanelOpen"), "Port Close");
    EXPECT_EQ(panel(*form, "StatusPanelPort"), QStringLiteral(" %1 8 None 1 9600").arg(dir.filePath("no-such-port")));
    EXPECT_EQ(action(*form, "ToolButton3")->toolTip(), "Open Com Port");
    EXPECT_EQ(action(*form, "Open1")->text(), "Open");
}

TEST_F(MainFormTest, NoSettingsFileMeansComOneAt9600AndTheDesignedLook)
{
    auto form = create({});
    EXPECT_EQ(panel(*form, "StatusPanelPort"), " COM1 8 None 1 9600");
    EXPECT_EQ(form->terminalView().textColor(), QColor(Qt::white));
    EXPECT_EQ(form->terminalView().backgroundColor(), QColor(Qt::black));
    EXPECT_FALSE(QFile::exists(iniPath())) << "reading never creates the file";
    form->port().close();
    form.reset();
    EXPECT_FALSE(QFile::exists(iniPath())) << "a closed port at shutdown writes nothing";
}

TEST_F(MainFormTest, ParametersAreRefusedWhileThePortIsOpen)
{
    auto form = createOnSimulator();
    action(*form, "Properties1")->trigger();
    EXPECT_EQ(messages.texts(), std::vector<QString>{"Close port before changing properties"});
    EXPECT_EQ(messages.shown()[0].title, "Error");
}

TEST_F(MainFormTest, CommandLineBaudAndPortBeatTheSettingsFile)
{
    writeIni("[ComPort]\r\nBaudrate=19200\r\nPortNumber=7\r\n");
    {
        auto form = create({"-b", "57600", "-p", "4"});
        EXPECT_EQ(panel(*form, "StatusPanelPort"), " COM4 8 None 1 57600");
    }
    messages.clear();
    {
        auto form = create({"-b", "100", "-p", "2"});
        EXPECT_EQ(messages.texts().front(), "Not a valid baud rate");
        EXPECT_EQ(panel(*form, "StatusPanelPort"), " COM2 8 None 1 19200");
    }
}

TEST_F(MainFormTest, AdminMenusOnlyWithTheExactOption)
{
    const auto adminMenusShown = [](TOlvexMainForm &form) {
        return form.findChild<QMenu *>("Deploy1")->menuAction()->isVisible()
            && form.findChild<QMenu *>("DTR1")->menuAction()->isVisible();
    };
    EXPECT_FALSE(adminMenusShown(*create({"--ADMIN"})));
    EXPECT_TRUE(adminMenusShown(*create({"--admin"})));
}

TEST_F(MainFormTest, ShutdownWithThePortOpenWritesEveryKeyInOrder)
{
    writeIni("[Other]\r\nKeep=1\r\n");
    auto form = createOnSimulator({"-b", "115200"});
    const QByteArray fontName = form->terminalView().terminalFont().family().toLatin1();
    form.reset();
    const QByteArray expected = "[Other]\r\nKeep=1\r\n\r\n"
                                "[TerminalFont]\r\nName=" + fontName
        + "\r\nColor=clWhite\r\nSize=11\r\n\r\n"
          "[Terminal]\r\nColor=0\r\n\r\n"
          "[ComPort]\r\nBaudrate=115200\r\nPortNumber=1\r\nPortFlowControl=1\r\nPortSWControl=0\r\n"
          "Device=" + simulatorPath().toLocal8Bit() + "\r\n";
    EXPECT_EQ(readIni().toStdString(), expected.toStdString());
}

TEST_F(MainFormTest, SettingsRoundTripKeepsColoursSizeAndFlowControl)
{
    writeIni("[TerminalFont]\r\nName=Courier New\r\nColor=$00123456\r\nSize=14\r\n"
             "[Terminal]\r\nColor=255\r\n"
             "[ComPort]\r\nBaudrate=0x4B00\r\nPortFlowControl=1\r\nPortSWControl=2\r\n");
    {
        auto form = createOnSimulator();
        EXPECT_EQ(form->terminalView().textColor(), QColor(0x56, 0x34, 0x12));
        EXPECT_EQ(form->terminalView().backgroundColor(), QColor(255, 0, 0));
        EXPECT_EQ(form->terminalView().terminalFont().pointSize(), 14);
        EXPECT_EQ(form->port().settings().baudRate, 19200);
        EXPECT_EQ(form->port().settings().softwareFlow, comms::SoftwareFlow::Transmit);
        EXPECT_EQ(form->port().settings().hardwareFlow, comms::HardwareFlow{});
    }
    const QByteArray written = readIni();
    for (const char *line : {"Name=Courier New\r\n", "Color=$00123456\r\n", "Size=14\r\n",
                             "[Terminal]\r\nColor=255\r\n", "Baudrate=19200\r\n",
                             "PortFlowControl=1\r\n", "PortSWControl=2\r\n"})
        EXPECT_TRUE(written.contains(line)) << line << " in\n" << written.constData();
}

TEST_F(MainFormTest, FlowControlZeroSwitchesEverythingOff)
{
    writeIni("[ComPort]\r\nPortFlowControl=0\r\nPortSWControl=3\r\n");
    {
        auto form = createOnSimulator();
        EXPECT_EQ(form->port().settings().softwareFlow, comms::SoftwareFlow::None);
        EXPECT_EQ(form->port().settings().hardwareFlow, comms::HardwareFlow{});
        EXPECT_EQ(form->port().flowState(), 0);
    }
    EXPECT_TRUE(readIni().contains("PortFlowControl=0\r\nPortSWControl=0\r\n"));
}

TEST_F(MainFormTest, AnUnreadableColourStopsCreationWithThePortClosed)
{
    writeIni("[TerminalFont]\r\nColor=pinkish\r\n[ComPort]\r\nBaudrate=19200\r\n");
    auto form = createOnSimulator();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "'pinkish' is not a valid integer value");
    EXPECT_EQ(messages.shown()[0].title, ApplicationTitle);
    EXPECT_FALSE(form->port().isOpen());
    EXPECT_EQ(panel(*form, "StatusPanelPort"), "Not connected");
}

TEST_F(MainFormTest, AVanishingPortIsClosedAndReportedOnce)
{
    auto form = createOnSimulator();
    ASSERT_TRUE(form->port().isOpen());
    simulator.vanish();
    QTRY_COMPARE_WITH_TIMEOUT(panel(*form, "StatusPanelOpen"), QString("Port Close"), 5000);
    QTest::qWait(200);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("The port %1 is no longer available").arg(simulatorPath())));
    EXPECT_EQ(action(*form, "ToolButton3")->toolTip(), "Open Com Port");

    // The user plugs the adapter back in and opens the port again.
    std::string error;
    ASSERT_TRUE(simulator.start(&error)) << error;
}

TEST_F(MainFormTest, ParametersChangedWhileClosedShowAtTheNextOpen)
{
    auto form = createOnSimulator({"-b", "115200"});
    form->port().close();
    form->UpdateComInfo();
    const QString before = panel(*form, "StatusPanelPort");

    // The dialog is modal: answer it once it is up.
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Com Port Options");
        auto *baud = dialog->findChild<QComboBox *>("ComboBaud");
        baud->setCurrentIndex(baud->findData(9600));
        dialog->accept();
    });
    action(*form, "ToolButtonSetParameters")->trigger();
    EXPECT_EQ(form->port().settings().baudRate, 9600);
    EXPECT_EQ(panel(*form, "StatusPanelPort"), before) << "the panel follows only at the next open";

    action(*form, "Open1")->trigger();
    EXPECT_EQ(panel(*form, "StatusPanelPort"), QStringLiteral(" %1 8 None 1 9600").arg(simulatorPath()));

    // Cancel changes nothing.
    form->port().close();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *baud = dialog->findChild<QComboBox *>("ComboBaud");
        baud->setCurrentIndex(baud->findData(300));
        dialog->reject();
    });
    action(*form, "Properties1")->trigger();
    EXPECT_EQ(form->port().settings().baudRate, 9600);
}
