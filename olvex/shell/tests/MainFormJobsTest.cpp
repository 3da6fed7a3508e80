// The probe launchers of the main window and the jobs they start, on the simulator.
#include "MainFormFixture.h"

#include "common/Timings.h"
#include "shell/StandByPanel.h"

using namespace olvex;

namespace {

class MainFormJobs : public olvex::shelltest::MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        timing::setTestScale(0.08);
    }
    void TearDown() override { timing::setTestScale(1.0); }

    static QString probePanel(shell::TOlvexMainForm &form)
    {
        return form.findChild<shell::StandByPanel *>("StatusPanelProbe")->text();
    }

    static bool waitForJobEnd(shell::TOlvexMainForm &form)
    {
        return QTest::qWaitFor([&] { return !form.isJobRunning(); }, 20000);
    }
};

} // namespace

TEST_F(MainFormJobs, IdentifyFillsTheStatusBarAndCaption)
{
    simulator.setSerial("10234");
    auto form = createOnSimulator();
    action(*form, "ToolButton1")->trigger();
    EXPECT_TRUE(form->isJobRunning());
    QTRY_COMPARE_WITH_TIMEOUT(probePanel(*form), QString("Please stand by"), 5000);
    EXPECT_FALSE(action(*form, "Detect1")->isEnabled());
    EXPECT_FALSE(action(*form, "ToolButton3")->isEnabled());
    EXPECT_FALSE(form->terminalView().isEnabled());

    action(*form, "Detect1")->trigger(); // a disabled command does nothing
    ASSERT_TRUE(waitForJobEnd(*form));
    EXPECT_EQ(probePanel(*form), "LK 427Qx - FW version 9.0 - Product code  427Qx - Hw revision 8.0");
    EXPECT_EQ(form->windowTitle(), "LUMEN KAROS 4xx Olvex - Probe Serial Number: 10234");
    EXPECT_EQ(currentProbe.Identified(), 1);
    for (const char *name : {"Upgrade1", "ToolButton2", "ReadCast", "Detect1", "ToolButton3", "Set_Time"})
        EXPECT_TRUE(action(*form, name)->isEnabled()) << name;
    EXPECT_TRUE(form->terminalView().isEnabled());
    EXPECT_TRUE(QFile::exists(dir.filePath("detect.log")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainFormJobs, ASecondJobIsRefusedWhileOneRuns)
{
    auto form = createOnSimulator();
    currentProbe.SetCommand("TS 1\n");
    form->launchSendCommand();
    ASSERT_TRUE(form->isJobRunning());
    form->launchSendCommand();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "The probe is busy with another operation. Please wait until it has finished.");
    ASSERT_TRUE(waitForJobEnd(*form));
    EXPECT_EQ(simulator.commandCount("TS"), 1u);
    EXPECT_EQ(form->windowTitle(), "LUMEN KAROS 4xx Olvex");
    EXPECT_FALSE(action(*form, "Upgrade1")->isEnabled()) << "job 30 leaves a disabled Upgrade disabled";
}

TEST_F(MainFormJobs, LauncherGuards)
{
    auto form = createOnSimulator();
    form->port().close();
    for (const char *name : {"ToolButton1", "Detect1", "Telemetrytest1"}) {
        messages.clear();
        action(*form, name)->trigger();
        EXPECT_EQ(messages.texts(), std::vector<QString>{"Please open port first"}) << name;
    }

    messages.clear();
    messages.answer(MessageAnswer::No);
    action(*form, "Stop_Cast")->trigger();
    EXPECT_EQ(messages.texts(), std::vector<QString>{"OK to stop cast?"}) << "No ends it there";
    EXPECT_EQ(messages.shown()[0].title, "Confirm");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Question);

    messages.clear();
    messages.answer(MessageAnswer::Yes);
    action(*form, "Stop_Cast")->trigger();
    EXPECT_EQ(messages.texts(), (std::vector<QString>{"OK to stop cast?", "Not connected!"}));

    messages.clear();
    action(*form, "Remotecast1")->trigger();
    EXPECT_EQ(messages.texts(), std::vector<QString>{"Identify probe!"});
    currentProbe.SetProbeType(412);
    messages.clear();
    action(*form, "Remotecast1")->trigger();
    EXPECT_EQ(messages.texts(), std::vector<QString>{"Remote Unattended function setup not supported"});
}

TEST_F(MainFormJobs, UploadNeedsFirmwareSevenOneOnA412)
{
    auto form = createOnSimulator();
    currentProbe.SetProbeType(412);
    struct Case {
        const char *firmware;
        const char *message; // empty: allowed
    } cases[] = {{"7.0", "This function requires firmware version 7.1 or later"},
                 {"7.1", ""},
                 {"", "'' is not a valid floating point value"}};
    for (const Case &c : cases) {
        messages.clear();
        currentProbe.SetFwVersionText(c.firmware);
        action(*form, "ReadCast")->setEnabled(true);
        action(*form, "ReadCast")->trigger();
        if (*c.message)
            EXPECT_EQ(messages.texts(), std::vector<QString>{c.message}) << c.firmware;
        else
            EXPECT_TRUE(messages.shown().empty()) << c.firmware;
    }
}

TEST_F(MainFormJobs, StopCastRunsJobFifty)
{
    auto form = createOnSimulator();
    messages.answer(MessageAnswer::Yes);
    action(*form, "Stop_Cast")->trigger();
    ASSERT_TRUE(waitForJobEnd(*form));
    EXPECT_EQ(simulator.commandCount("SO"), 1u);
    EXPECT_EQ(simulator.commandCount("VT"), 1u);
    EXPECT_EQ(messages.texts(), std::vector<QString>{"OK to stop cast?"});
    EXPECT_TRUE(action(*form, "ReadCast")->isEnabled()) << "enabled at the end of the first job";
}

TEST_F(MainFormJobs, APortThatVanishesMidJobEndsItAndRestoresTheWindow)
{
    auto form = createOnSimulator();
    simulator.silence("STATUS");
    currentProbe.SetCommand("TS 1\n");
    form->launchSendCommand();
    QTRY_VERIFY_WITH_TIMEOUT(simulator.commandCount("STATUS") >= 1, 5000);
    simulator.vanish();
    ASSERT_TRUE(waitForJobEnd(*form));
    const std::vector<QString> texts = messages.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Error while talking with probe"), texts.end());
    EXPECT_EQ(panel(*form, "StatusPanelOpen"), "Port Close");
    EXPECT_TRUE(action(*form, "ToolButton3")->isEnabled());
    EXPECT_TRUE(form->terminalView().isEnabled());
    EXPECT_EQ(probePanel(*form), "");
}
