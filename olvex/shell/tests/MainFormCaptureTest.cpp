// Capture to file, text-file sending and the terminal commands of the main window.
#include "MainFormFixture.h"
#include "testsupport/TestFiles.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace olvex;
using MainFormCapture = olvex::shelltest::MainFormFixture;

TEST_F(MainFormCapture, CapturesExactlyWhatArrivesWhileCaptureIsOn)
{
    auto form = createOnSimulator();
    const QString path = dir.filePath("session.txt");
    files.answer(path);
    action(*form, "ToolButton4")->trigger();
    ASSERT_TRUE(form->isCapturing());
    EXPECT_TRUE(QFile::exists(path)) << "the file exists from the start of capture";
    EXPECT_EQ(action(*form, "Capturetext1")->text(), "Stop capture");
    EXPECT_EQ(action(*form, "ToolButton4")->toolTip(), "Stop capture");
    ASSERT_EQ(files.requests().size(), 1u);
    EXPECT_EQ(files.requests()[0].title, "Capture text: choose file");
    EXPECT_EQ(files.requests()[0].filter,
              "Text files (*.txt)|*.TXT|Log files (*.log)|*.LOG|All files (*.*)|*.*");
    EXPECT_EQ(files.requests()[0].defaultSuffix, "txt");

    form->port().write("VT\n");
    QTRY_COMPARE_WITH_TIMEOUT(testsupport::readFile(path), QByteArray("\r\ncmd>"), 5000);

    action(*form, "Capturetext1")->trigger();
    EXPECT_FALSE(form->isCapturing());
    EXPECT_EQ(action(*form, "Capturetext1")->text(), "Capture to file");
    EXPECT_EQ(action(*form, "ToolButton4")->toolTip(), "Capture");
    form->port().write("VT\n");
    QTRY_COMPARE_WITH_TIMEOUT(simulator.commandCount("VT"), std::size_t(2), 5000);
    QTest::qWait(100);
    EXPECT_EQ(testsupport::readFile(path), QByteArray("\r\ncmd>")) << "nothing is written after the stop";
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainFormCapture, RefusedStarts)
{
    auto form = createOnSimulator();
    files.answer(std::nullopt);
    action(*form, "Capturetext1")->trigger();
    EXPECT_FALSE(form->isCapturing()) << "cancelled dialog";

    const QString locked = dir.filePath("locked.log");
    QFile(locked).open(QIODevice::WriteOnly);
    const int holder = ::open(QFile::encodeName(locked).constData(), O_WRONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    files.answer(locked);
    action(*form, "Capturetext1")->trigger();
    ::close(holder);
    EXPECT_FALSE(form->isCapturing());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Cannot open file " + locked);
    EXPECT_EQ(messages.shown()[0].title, "Error");

    messages.clear();
    files.answer(dir.filePath("no-such-directory/capture.txt"));
    action(*form, "Capturetext1")->trigger();
    EXPECT_FALSE(form->isCapturing());
    ASSERT_EQ(messages.shown().size(), 1u) << "an unwritable place is reported";
    EXPECT_EQ(messages.shown()[0].title, ApplicationTitle);

    messages.clear();
    form->port().close();
    action(*form, "Capturetext1")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Port not open!");
    EXPECT_EQ(messages.shown()[0].title, "Warning");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
}

TEST_F(MainFormCapture, ClosingThePortWhileCapturingAsksFirst)
{
    auto form = createOnSimulator();
    files.answer(dir.filePath("a.txt"));
    action(*form, "Capturetext1")->trigger();
    ASSERT_TRUE(form->isCapturing());

    messages.answer(MessageAnswer::No);
    action(*form, "Open1")->trigger();
    ASSERT_EQ(messages.texts(), std::vector<QString>{"Stop capturing?"});
    EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(form->port().isOpen());
    EXPECT_TRUE(form->isCapturing());

    messages.answer(MessageAnswer::Yes);
    action(*form, "ToolButton3")->trigger();
    EXPECT_FALSE(form->isCapturing());
    EXPECT_EQ(action(*form, "Capturetext1")->text(), "Capture to file");
    EXPECT_FALSE(form->port().isOpen());
    EXPECT_EQ(panel(*form, "StatusPanelOpen"), "Port Close");
}

TEST_F(MainFormCapture, SendsATextFileToTheProbe)
{
    auto form = createOnSimulator();
    files.answer(std::nullopt);
    action(*form, "Sendtextfile1")->trigger();
    EXPECT_EQ(files.requests().back().title, "Send text: choose file");
    EXPECT_EQ(files.requests().back().directory, dir.path());

    const QString path = dir.filePath("commands.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("VT\r\nSN\r\n");
    file.close();
    files.answer(path);
    action(*form, "Sendtextfile1")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(simulator.commandCount("SN"), std::size_t(1), 5000);
    EXPECT_EQ(simulator.commandCount("VT"), 1u);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainFormCapture, SendingOnAClosedPortShowsTheError)
{
    auto form = createOnSimulator();
    form->port().close();
    const QString path = dir.filePath("commands.txt");
    QFile(path).open(QIODevice::WriteOnly);
    files.answer(path);
    action(*form, "Sendtextfile1")->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, ApplicationTitle);
}

TEST_F(MainFormCapture, ACaptureThatCannotBeWrittenIsShownAsStopped)
{
    auto form = createOnSimulator();
    files.answer(dir.filePath("full.txt"));
    action(*form, "Capturetext1")->trigger();
    ASSERT_TRUE(form->isCapturing());
    // The terminal closes a capture file it can no longer write and says why.
    ASSERT_TRUE(form->terminalView().stopCapture(nullptr));
    emit form->terminalView().captureFailed(QStringLiteral("No space left on device"));
    EXPECT_FALSE(form->isCapturing());
    EXPECT_EQ(action(*form, "Capturetext1")->text(), "Capture to file");
    EXPECT_EQ(messages.texts(), std::vector<QString>{"Capture stopped: No space left on device"});
}
