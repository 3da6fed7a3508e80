// Jobs 20 (its shell), 30, 40 and 50 against the simulated probe.
#include "ProbeJobFixture.h"

#include <QFile>

#include <algorithm>

namespace olvex::probe::tests {

namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using Texts = std::vector<QString>;
using timing::scaled;

Texts startActions(bool upgradeEnabled)
{
    Texts actions;
    if (upgradeEnabled)
        actions.push_back("setUpgradeCommandEnabled(false)");
    actions.insert(actions.end(), {"ShowStandBy", "setProbeCommandsEnabled(false)",
                                   "setTerminalInputEnabled(false)"});
    return actions;
}

Texts endActions(bool upgradeEnabled)
{
    Texts actions{"setTerminalInputEnabled(true)", "setProbeCommandsEnabled(true)"};
    if (upgradeEnabled)
        actions.push_back("setUpgradeCommandEnabled(true)");
    actions.push_back("EndStandBy");
    return actions;
}

Texts joined(Texts head, const Texts &tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

bool contains(const Texts &all, const QString &text)
{
    return std::find(all.begin(), all.end(), text) != all.end();
}

class ShortJob : public ProbeJobTest {
protected:
    void SetUp() override
    {
        ProbeJobTest::SetUp();
        probe.SetCommand("TS 2024/01/02 03:04:05\n");
        probe.SetPreCommand("UE 0010\n");
    }
};

} // namespace

TEST_F(ShortJob, SendCommandAsksStatusSendsTheCommandAndWaitsForThePrompt)
{
    probe.SetIdentified(1);
    host.setUpgradeEnabled(true);
    ASSERT_TRUE(runJob(30));

    EXPECT_EQ(commandNames(), (Strings{"STATUS", "TS", "VT"}));
    EXPECT_EQ(simulator.commands()[1].text, "TS 2024/01/02 03:04:05");
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(host.actions(), joined(startActions(true), endActions(true)));
    EXPECT_FALSE(host.replyChannel().isTimerRunning());
}

struct UpgradeCase {
    const char *name;
    bool enabledAtStart;
    bool identified;
};

class SendCommandUpgrade : public ShortJob, public ::testing::WithParamInterface<UpgradeCase> {};

TEST_P(SendCommandUpgrade, ComesBackOnlyIfItWasThereAtTheStart)
{
    probe.SetIdentified(GetParam().identified ? 1 : 0);
    host.setUpgradeEnabled(GetParam().enabledAtStart);
    ASSERT_TRUE(runJob(30));

    EXPECT_EQ(host.upgradeEnabled(), GetParam().enabledAtStart);
}

INSTANTIATE_TEST_SUITE_P(States, SendCommandUpgrade,
                         ::testing::Values(UpgradeCase{"Enabled", true, true},
                                           UpgradeCase{"DisabledNoProbe", false, false},
                                           UpgradeCase{"DisabledThoughIdentified", false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    const char *refused;
    Strings sent;
};

class Refusal : public ShortJob, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, AnotherCodeThanZeroIsWaitedOutAsATimeOut)
{
    simulator.refuse(GetParam().refused, "001");
    ASSERT_TRUE(runJob(30));

    EXPECT_EQ(commandNames(), GetParam().sent);
    EXPECT_EQ(messages.texts(), Texts{JobFailed});
    EXPECT_EQ(messages.shown().front().title, "Message Box");
    EXPECT_EQ(host.actions(), joined(startActions(false), endActions(false)));
}

INSTANTIATE_TEST_SUITE_P(Steps, Refusal,
                         ::testing::Values(RefusalCase{"Status", "STATUS", {"STATUS", "STATUS"}},
                                           RefusalCase{"Command", "TS", {"STATUS", "TS", "TS"}}),
                         [](const auto &info) { return std::string(info.param.name); });

struct CastCase {
    const char *name;
    std::uint8_t preCommandPending;
    Strings sent;
};

class UnattendedCast : public ShortJob, public ::testing::WithParamInterface<CastCase> {};

TEST_P(UnattendedCast, SendsThePendingPreCommandThenTheCommandThenShowsTheInstructions)
{
    probe.SetCommand("LP 0001 0002\n");
    probe.SetPreCommandPending(GetParam().preCommandPending);
    ASSERT_TRUE(runJob(40));

    EXPECT_EQ(commandNames(), GetParam().sent);
    EXPECT_EQ(probe.PreCommandPending(), 0);
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(host.actions(),
              joined(joined(startActions(false), {"showStandByInstructions"}), endActions(false)));
}

INSTANTIATE_TEST_SUITE_P(PreCommand, UnattendedCast,
                         ::testing::Values(CastCase{"NotPending", 0, {"STATUS", "LP"}},
                                           CastCase{"Pending", 1, {"STATUS", "UE", "LP"}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShortJob, FailedPreCommandIsNoLongerPending)
{
    probe.SetCommand("LP 0001 0002\n");
    probe.SetPreCommandPending(1);
    simulator.refuse("UE", "003");
    ASSERT_TRUE(runJob(40));

    EXPECT_EQ(commandNames(), (Strings{"STATUS", "UE", "UE"}));
    EXPECT_EQ(probe.PreCommandPending(), 0);
    EXPECT_EQ(messages.texts(), Texts{JobFailed});
    EXPECT_FALSE(contains(host.actions(), "showStandByInstructions"));
}

TEST_F(ShortJob, StopCastTriesFourTimesWithItsPauses)
{
    simulator.silence("SO", 3);
    ASSERT_TRUE(runJob(50));

    EXPECT_EQ(commandNames(), (Strings{"SO", "SO", "SO", "SO", "VT"}));
    EXPECT_TRUE(messages.texts().empty());
    const auto attempts = callTimes("armReplyMatcher(ER)");
    ASSERT_EQ(attempts.size(), 4u);
    // From one attempt to the next: the quiet time and the bytes, the full
    // reply time, the settle time, and the pause of that retry.
    const auto attempt = scaled(timing::BeforeCommand) + 3 * scaled(timing::BetweenBytes)
        + scaled(timing::ReplyTimeout) + scaled(timing::AfterReply);
    EXPECT_GE(attempts[1] - attempts[0], attempt + scaled(timing::StopRetryFirstPause));
    EXPECT_GE(attempts[2] - attempts[1], attempt + scaled(timing::StopRetrySecondPause));
    EXPECT_GE(attempts[3] - attempts[2], attempt);
}

TEST_F(ShortJob, StopCastGivesUpAfterFourSilentAttempts)
{
    simulator.silence("SO");
    ASSERT_TRUE(runJob(50));

    EXPECT_EQ(commandNames(), Strings(4, "SO"));
    EXPECT_EQ(messages.texts(), Texts{JobFailed});
    EXPECT_EQ(host.actions(), joined(startActions(false), endActions(false)));
}

TEST_F(ShortJob, UpgradePreparationFramesItsConversationWithTheUpgradeLog)
{
    probe.SetIdentified(1);
    host.setUpgradeEnabled(true);
    ASSERT_TRUE(runJob(20));

    EXPECT_EQ(commandNames(), Strings{"STATUS"});
    EXPECT_EQ(host.actions(),
              (Texts{"setUpgradeCommandEnabled(false)", "startTrafficLog(upgrade.log)", "ShowStandBy",
                     "setProbeCommandsEnabled(false)", "setTerminalInputEnabled(false)",
                     "setTerminalInputEnabled(true)", "setProbeCommandsEnabled(true)",
                     "setUpgradeCommandEnabled(true)", "EndStandBy", "stopTrafficLog",
                     "showUpgradeHint"}));
    QFile log(logDirectory.filePath("upgrade.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("TX: \\x14"));
}

TEST_F(ShortJob, FailedUpgradePreparationShowsNoHint)
{
    probe.SetIdentified(1);
    simulator.silence("STATUS");
    ASSERT_TRUE(runJob(20));

    EXPECT_EQ(commandNames(), Strings(2, "STATUS"));
    EXPECT_EQ(messages.texts(), Texts{JobFailed});
    EXPECT_FALSE(contains(host.actions(), "showUpgradeHint"));
    EXPECT_EQ(host.actions().back(), "stopTrafficLog");
}

TEST_F(ShortJob, UnknownJobCodeDoesNothing)
{
    ASSERT_TRUE(runJob(25));

    EXPECT_TRUE(host.calls().empty());
    EXPECT_TRUE(simulator.commands().empty());
}

} // namespace olvex::probe::tests
