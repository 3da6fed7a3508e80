// The send-and-wait step: its poll rule, the service steps, and its timing
// on the wire.
#include "ProbeJobFixture.h"

#include "common/WindowThread.h"
#include "probe/ProbeDialogue.h"

#include <algorithm>

namespace olvex::probe::tests {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Makes the reply timer expire the moment it is started, optionally with a
// reply completing alongside, before the job's first poll.
class InstantOutcomeHost : public testsupport::RecordingJobHost {
public:
    using RecordingJobHost::RecordingJobHost;
    bool replyAlongWithTimeOut = false;

    void setReplyTimerRunning(bool running) override
    {
        RecordingJobHost::setReplyTimerRunning(running);
        if (!running)
            return;
        runOnThreadOf(this, [this] {
            replyChannel().Timer1Timer();
            if (replyAlongWithTimeOut)
                replyChannel().ApdDataPacket1StringPacket("ER 000");
        });
    }
};

class SendAndWait : public ProbeJobTest {
protected:
    StopRequest stop;
};

} // namespace

TEST_F(SendAndWait, ReplyInTheSamePollAsTheTimeOutCountsAsArrived)
{
    for (const bool replied : {true, false}) {
        SCOPED_TRACE(replied ? "reply with the time-out" : "time-out alone");
        InstantOutcomeHost instant(port, probe, messages, logDirectory.path());
        instant.replyAlongWithTimeOut = replied;
        ProbeDialogue dialogue(instant, instant.replyState(), probe, stop);
        std::optional<ProbeDialogue::Reply> reply;
        ASSERT_TRUE(runOnWorker([&] { reply = dialogue.SendAndWait({}, "ER", "000", true); }));

        EXPECT_EQ(reply, replied ? ProbeDialogue::Reply::Arrived : ProbeDialogue::Reply::TimedOut);
        EXPECT_FALSE(instant.replyChannel().isTimerRunning());
    }
}

TEST_F(SendAndWait, ServiceStepsReachThePasswordPrompt)
{
    simulator.setBareWordHandler("SERV", [](const probesim::Command &) {
        return std::optional<std::string>("\r\nFWUP mode\r\ncmd>");
    });
    simulator.setBareWordHandler("FWUP", [](const probesim::Command &) {
        return std::optional<std::string>("\r\nPassWord <<");
    });
    ProbeDialogue dialogue(host, host.replyState(), probe, stop);
    std::optional<QByteArray> service, entry;
    ASSERT_TRUE(runOnWorker([&] {
        service = dialogue.run(CommandStep::Service);
        entry = dialogue.run(CommandStep::UpgradeEntry);
    }));

    EXPECT_EQ(service, QByteArray("FWUP mode\r\ncmd>"));
    EXPECT_EQ(entry, QByteArray("PassWord <<"));
    std::string wire;
    for (const auto &b : simulator.receivedBytes())
        wire += char(b.value);
    EXPECT_EQ(wire, "\nSERVFWUP");
    const auto writes = callTimes("write");
    const auto arms = callTimes("armReplyMatcher");
    ASSERT_EQ(writes.size(), 9u);
    ASSERT_EQ(arms.size(), 2u);
    EXPECT_LT(writes[0], arms[0]) << "the lone line feed goes before the step proper";
    EXPECT_GE(arms[0] - writes[0], timing::scaled(timing::ServiceLinePause));
}

// The one test at the program's real timing, measured on the wire.
TEST_F(SendAndWait, KeepsItsTimingOnTheWire)
{
    // The simulator notes a byte's time when its thread gets to it, which a
    // busy machine may delay; bounds between two such times allow for it.
    constexpr std::chrono::milliseconds wakeUpSlack{50};
    timing::setTestScale(1.0);
    probe.SetCommand("TS 2024/01/02 03:04:05\n");
    ASSERT_TRUE(runJob(30));
    ASSERT_TRUE(messages.texts().empty());

    const std::vector<probesim::TimedByte> received = simulator.receivedBytes();
    const std::vector<probesim::TimedByte> sent = simulator.sentBytes();
    std::vector<Clock::time_point> arms;
    Clock::time_point firstEndAction{};
    for (const auto &call : host.calls()) {
        if (call.text.startsWith("armReplyMatcher"))
            arms.push_back(call.at);
        if (call.text == "setTerminalInputEnabled(true)")
            firstEndAction = call.at;
    }
    ASSERT_EQ(arms.size(), 3u);

    // The three commands on the wire, and the reply that ended each step.
    const std::vector<std::size_t> lengths{1, std::size_t(probe.Command().size()), 3};
    std::size_t next = 0;
    std::vector<Clock::time_point> replyEnds;
    std::vector<Clock::time_point> commandStarts;
    for (std::size_t step = 0; step < lengths.size(); ++step) {
        SCOPED_TRACE(step);
        ASSERT_LE(next + lengths[step], received.size());
        const auto first = received[next].at;
        const auto last = received[next + lengths[step] - 1].at;
        commandStarts.push_back(first);
        EXPECT_GE(first - arms[step], timing::BeforeCommand + timing::BetweenBytes);
        EXPECT_GE(last - arms[step], timing::BeforeCommand + timing::BetweenBytes * lengths[step]);

        const auto stepEnd = step + 1 < arms.size() ? arms[step + 1] : Clock::time_point::max();
        Clock::time_point replyEnd{};
        for (const auto &b : sent)
            if (b.at > last && b.at < stepEnd)
                replyEnd = b.at;
        ASSERT_NE(replyEnd, Clock::time_point{}) << "the step got its reply";
        replyEnds.push_back(replyEnd);
        next += lengths[step];
    }
    ASSERT_EQ(next, received.size());

    std::vector<double> gaps;
    for (std::size_t i = 2; i < 1 + lengths[1]; ++i)
        gaps.push_back(std::chrono::duration<double, std::milli>(received[i].at - received[i - 1].at).count());
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    EXPECT_GE(gaps[gaps.size() / 2], 4.5) << "typical gap between the bytes of the command, ms";

    for (std::size_t step = 0; step + 1 < lengths.size(); ++step) {
        SCOPED_TRACE(step);
        EXPECT_GE(arms[step + 1] - replyEnds[step], timing::AfterReply - wakeUpSlack);
        EXPECT_GE(commandStarts[step + 1] - replyEnds[step],
                  timing::AfterReply + timing::BeforeCommand + timing::BetweenBytes - wakeUpSlack);
    }
    EXPECT_GE(firstEndAction - replyEnds.back(), timing::AfterReply - wakeUpSlack);
}

} // namespace olvex::probe::tests
