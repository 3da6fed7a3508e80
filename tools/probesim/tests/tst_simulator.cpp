// The simulator as the program sees it: through the slave device, one byte
// every 5 ms, reading with time-outs.

#include "PtyClient.h"

#include "probesim/ProbeSimulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace probesim;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::string kAccepted = "\r\nER 000\r\n";
const std::string kPrompt = "\r\ncmd>";
const std::string kFirmwareReply = "FR 9.0\r\n";
const std::string kSerialReply = "SN 10234\r\n";
const std::string kPiReply =
    "\r\nLUMEN KAROS: 427Qx\r\nRevision: 8.0\r\nProduct code: 427Qx\r\n";
const std::string kStatus(1, '\x14');

class TempDir {
public:
    TempDir()
    {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path()
                / ("probesim-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

Config linkedTo(const fs::path& link)
{
    Config config;
    config.linkPath = link.string();
    return config;
}

class Simulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        ASSERT_TRUE(client.open(sim.devicePath())) << sim.devicePath();
    }

    // Sends `command` and reads as many bytes as `expected` has.
    std::string ask(std::string_view command, std::size_t expectedSize)
    {
        EXPECT_TRUE(client.send(command));
        return client.read(expectedSize);
    }

    // Sends SN and expects its reply to be the next thing on the line: proves
    // that nothing else was answered before it.
    void expectNothingElsePending()
    {
        sim.clearFaults();
        EXPECT_EQ(ask("SN\n", kSerialReply.size()), kSerialReply);
    }

    ProbeSimulator sim;
    PtyClient client;
};

struct ReplyCase {
    const char* label;
    std::string sent;
    std::string reply;
};

class ReplyForms : public Simulator, public ::testing::WithParamInterface<ReplyCase> {};

}  // namespace

TEST_P(ReplyForms, AnswersInTheExpectedForm)
{
    EXPECT_EQ(ask(GetParam().sent, GetParam().reply.size()), GetParam().reply);
    expectNothingElsePending();
}

INSTANTIATE_TEST_SUITE_P(
    Dialogue, ReplyForms,
    ::testing::Values(ReplyCase{"Status", kStatus, kAccepted},
                      ReplyCase{"Prompt", "VT\n", kPrompt},
                      ReplyCase{"Firmware", "FR\n", kFirmwareReply},
                      ReplyCase{"Identity", "PI\n", kPiReply},
                      ReplyCase{"Serial", "SN\n", kSerialReply},
                      ReplyCase{"StopCast", "SO\n", kAccepted},
                      ReplyCase{"CarriageReturnTolerated", "FR\r\n", kFirmwareReply},
                      ReplyCase{"ClockCommand", "TS 12/05/24 10:11:12\n", kAccepted},
                      ReplyCase{"CastCommand", "LP 0010 0002\n", kAccepted},
                      ReplyCase{"GarbageIgnored", "hello\nFR\n", kFirmwareReply}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(Simulator, IdentityChangesWhileRunning)
{
    sim.setFirmware(" 6.9");
    sim.setType(" 411Qx HT");
    sim.setRevision("2.0");
    sim.setProduct(" P-77");
    sim.setSerial("00042");
    const std::string fr = "FR 6.9\r\n";
    const std::string pi = "\r\nLUMEN KAROS: 411Qx HT\r\nRevision:2.0\r\nProduct code: P-77\r\n";
    const std::string sn = "SN 00042\r\n";
    EXPECT_EQ(ask("FR\n", fr.size()), fr);
    EXPECT_EQ(ask("PI\n", pi.size()), pi);
    EXPECT_EQ(ask("SN\n", sn.size()), sn);
}

TEST_F(Simulator, ProbeWithoutPiStaysSilentOnPi)
{
    sim.setAnswersPi(false);
    EXPECT_TRUE(client.send("PI\n"));
    ASSERT_TRUE(sim.waitForCommand("PI", 1, PtyClient::kPatience));
    expectNothingElsePending();
}

TEST_F(Simulator, SilenceForAGivenNumberOfTimes)
{
    sim.silence("FR", 2);
    EXPECT_TRUE(client.send("FR\nFR\n"));
    EXPECT_EQ(ask("FR\n", kFirmwareReply.size()), kFirmwareReply);
    expectNothingElsePending();
    EXPECT_EQ(sim.commandCount("FR"), 3u);
}

TEST_F(Simulator, SilenceAlwaysOnStatus)
{
    sim.silence("STATUS");
    EXPECT_TRUE(client.send(kStatus + kStatus + kStatus));
    ASSERT_TRUE(sim.waitForCommand("STATUS", 3, PtyClient::kPatience));
    EXPECT_EQ(ask("VT\n", kPrompt.size()), kPrompt);
    EXPECT_EQ(sim.faults().silences.count("STATUS"), 1u);
}

TEST_F(Simulator, TotalSilenceStillRecordsCommands)
{
    sim.setSilent(true);
    EXPECT_TRUE(client.send(kStatus + "FR\nPI\n"));
    ASSERT_TRUE(sim.waitForCommand("PI", 1, PtyClient::kPatience));
    EXPECT_EQ(sim.commands().size(), 3u);
    expectNothingElsePending();
}

TEST_F(Simulator, RefusalCodePerCommand)
{
    sim.refuse("TS", "003");
    sim.refuse("FR", "005");
    EXPECT_EQ(ask("TS 01/01/24 00:00:00\n", 10), "\r\nER 003\r\n");
    EXPECT_EQ(ask("FR\n", 10), "\r\nER 005\r\n");
    EXPECT_EQ(ask("SO\n", kAccepted.size()), kAccepted);
    sim.accept("TS");
    EXPECT_EQ(ask("TS 01/01/24 00:00:00\n", kAccepted.size()), kAccepted);
}

TEST_F(Simulator, SplitReplyReassemblesWithGaps)
{
    constexpr std::size_t kPiece = 4;
    constexpr auto kGap = 30ms;
    sim.setSplit(kPiece, kGap);
    EXPECT_EQ(ask("PI\n", kPiReply.size()), kPiReply);

    const std::vector<CommandRecord> commands = sim.commands();
    const std::vector<TimedByte> sent = sim.sentBytes();
    ASSERT_EQ(commands.size(), 1u);
    ASSERT_EQ(sent.size(), kPiReply.size());
    const std::size_t pieces = (kPiReply.size() + kPiece - 1) / kPiece;
    EXPECT_GE(sent.back().at - commands[0].at, (pieces - 1) * kGap);
}

TEST_F(Simulator, DelayBeforeReply)
{
    sim.setReplyDelay(200ms);
    EXPECT_EQ(ask("VT\n", kPrompt.size()), kPrompt);
    ASSERT_FALSE(sim.sentBytes().empty());
    EXPECT_GE(sim.sentBytes().front().at - sim.commands().at(0).at, 200ms);
}

TEST_F(Simulator, DropsEveryNthReplyByte)
{
    sim.setDropEvery(3);
    EXPECT_EQ(ask("SN\n", 7), "SN1034\n");
    expectNothingElsePending();
}

TEST_F(Simulator, RecordsTrafficInOrder)
{
    const std::string sent = kStatus + "FR\r\nPI\n";
    EXPECT_TRUE(client.send(sent));
    EXPECT_EQ(client.read(kAccepted.size() + kFirmwareReply.size() + kPiReply.size()),
              kAccepted + kFirmwareReply + kPiReply);

    std::vector<std::string> names;
    for (const CommandRecord& record : sim.commands())
        names.push_back(record.name);
    EXPECT_EQ(names, (std::vector<std::string>{"STATUS", "FR", "PI"}));
    EXPECT_EQ(sim.commands().at(1).text, "FR");

    const std::vector<TimedByte> received = sim.receivedBytes();
    std::string receivedText;
    for (std::size_t i = 0; i < received.size(); ++i) {
        receivedText.push_back(static_cast<char>(received[i].value));
        if (i > 0) {
            EXPECT_LE(received[i - 1].at, received[i].at);
        }
    }
    EXPECT_EQ(receivedText, sent);
    EXPECT_EQ(sim.sentBytes().size(), kAccepted.size() + kFirmwareReply.size() + kPiReply.size());

    sim.clearLog();
    EXPECT_TRUE(sim.receivedBytes().empty());
    EXPECT_TRUE(sim.sentBytes().empty());
    EXPECT_TRUE(sim.commands().empty());
}

TEST_F(Simulator, WaitForCommandTimesOutAndSucceeds)
{
    EXPECT_FALSE(sim.waitForCommand("SN", 1, 50ms));
    EXPECT_TRUE(client.send("SN\nSN\n"));
    EXPECT_TRUE(sim.waitForCommand("SN", 2, PtyClient::kPatience));
    EXPECT_FALSE(sim.waitForCommand("SN", 3, 50ms));
}

TEST_F(Simulator, HandlersCanBeAddedAndReplaced)
{
    sim.setBareWordHandler("SERV", [](const Command&) {
        return std::optional<std::string>("\r\nFWUP\r\ncmd>");
    });
    // A handler runs outside the simulator's lock and may query it.
    sim.setCommandHandler("MS", [this](const Command& command) {
        return std::optional(command.text + " #" + std::to_string(sim.commandCount("MS")) + "\r\n");
    });
    EXPECT_EQ(ask("\nSERV", 12), "\r\nFWUP\r\ncmd>");
    EXPECT_EQ(ask("MS 1\n", 9), "MS 1 #1\r\n");
    EXPECT_EQ(sim.commands().back().name, "MS");
}

TEST_F(Simulator, ClientCanCloseAndReopenThePort)
{
    EXPECT_EQ(ask("FR\n", kFirmwareReply.size()), kFirmwareReply);
    client.close();
    ASSERT_TRUE(client.open(sim.devicePath()));
    EXPECT_EQ(ask("SN\n", kSerialReply.size()), kSerialReply);
    EXPECT_TRUE(sim.isRunning());
}

TEST_F(Simulator, VanishHangsUpTheClient)
{
    EXPECT_EQ(ask(kStatus, kAccepted.size()), kAccepted);
    sim.vanish();
    EXPECT_FALSE(sim.isRunning());
    EXPECT_TRUE(client.waitForHangUp());
    PtyClient another;
    EXPECT_FALSE(another.open(sim.devicePath()));
}

TEST(SimulatorLink, LinkFollowsTheDeviceAcrossVanishAndRestart)
{
    TempDir dir;
    const fs::path link = dir / "probe";
    ProbeSimulator sim(linkedTo(link));
    std::string error;
    ASSERT_TRUE(sim.start(&error)) << error;
    EXPECT_EQ(fs::read_symlink(link), sim.devicePath());

    PtyClient client;
    ASSERT_TRUE(client.open(link.string()));
    client.send("FR\n");
    EXPECT_EQ(client.read(kFirmwareReply.size()), kFirmwareReply);

    sim.vanish();
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_TRUE(client.waitForHangUp());
    client.close();

    ASSERT_TRUE(sim.start(&error)) << error;
    EXPECT_EQ(fs::read_symlink(link), sim.devicePath());
    ASSERT_TRUE(client.open(link.string()));
    client.send("SN\n");
    EXPECT_EQ(client.read(kSerialReply.size()), kSerialReply);

    sim.stop();
    EXPECT_FALSE(fs::is_symlink(link));
}

TEST(SimulatorLink, StaleLinkIsReplacedButOtherFilesAreKept)
{
    TempDir dir;
    const fs::path stale = dir / "stale";
    fs::create_symlink("/nonexistent/pts/99", stale);
    ProbeSimulator replacing(linkedTo(stale));
    std::string error;
    ASSERT_TRUE(replacing.start(&error)) << error;
    EXPECT_EQ(fs::read_symlink(stale), replacing.devicePath());

    const fs::path file = dir / "file";
    std::ofstream(file) << "keep";
    ProbeSimulator refused(linkedTo(file));
    EXPECT_FALSE(refused.start(&error));
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_FALSE(refused.isRunning());
    EXPECT_TRUE(fs::is_regular_file(file));
}
