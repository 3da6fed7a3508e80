// Identification (job 10) against the simulated probe.
#include "ProbeJobFixture.h"
#include "testsupport/TestFiles.h"

#include "probe/ProbeVariants.h"
#include "probe/TDetectProbe.h"
#include "testsupport/LocaleScope.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <thread>

namespace olvex::probe::tests {

namespace {

using Strings = std::vector<std::string>;
using Texts = std::vector<QString>;

// What the identification writes into the record.
struct ProbeIdentity {
    QByteArray firmware;
    int probeType;
    QByteArray typeText;
    QByteArray product;
    double revision;
    QByteArray revisionText;
    QByteArray serial;
    bool operator==(const ProbeIdentity &) const = default;
};

void PrintTo(const ProbeIdentity &id, std::ostream *out)
{
    *out << "{fw '" << id.firmware.toStdString() << "', type " << id.probeType << " '"
         << id.typeText.toStdString() << "', product '" << id.product.toStdString() << "', rev "
         << id.revision << " '" << id.revisionText.toStdString() << "', serial '"
         << id.serial.toStdString() << "'}";
}

ProbeIdentity identityOf(const CURRENTPROBE &probe)
{
    return {probe.FwVersionText(), probe.ProbeType(),  probe.TypeText(),     probe.ProductCode(),
            probe.HwRevision(),    probe.HwRevisionText(), probe.SerialNumber()};
}

void store(const ProbeIdentity &id, CURRENTPROBE &probe)
{
    probe.SetFwVersionText(id.firmware);
    probe.SetProbeType(id.probeType);
    probe.SetTypeText(id.typeText);
    probe.SetProductCode(id.product);
    probe.SetHwRevision(id.revision);
    probe.SetHwRevisionText(id.revisionText);
    probe.SetSerialNumber(id.serial);
}

// What an earlier identification left in the record.
const ProbeIdentity Earlier{"1.0", 1, "old", "old", 1.5, "1.5", "old"};
// What the simulated probe says by default.
const ProbeIdentity Simulated{" 9.0", 427, " 427Qx", " 427Qx", 8.0, "8.0", "10234"};

// Earlier, with the fields of the first `steps` identification steps
// (firmware, type, product, revision, serial) as the probe gave them.
ProbeIdentity storedUpTo(int steps)
{
    ProbeIdentity id = Earlier;
    if (steps > 0)
        id.firmware = Simulated.firmware;
    if (steps > 1) {
        id.probeType = Simulated.probeType;
        id.typeText = Simulated.typeText;
    }
    if (steps > 2)
        id.product = Simulated.product;
    if (steps > 3) {
        id.revision = Simulated.revision;
        id.revisionText = Simulated.revisionText;
    }
    if (steps > 4)
        id.serial = Simulated.serial;
    return id;
}

const Texts StartActions{"setUpgradeCommandEnabled(false)", "setProbeCommandsEnabled(false)",
                         "setTerminalInputEnabled(false)", "ShowStandBy",
                         "startTrafficLog(detect.log)"};

Texts endActions(bool upgradeEnabled)
{
    Texts actions{"setTerminalInputEnabled(true)", "setProbeCommandsEnabled(true)"};
    if (upgradeEnabled)
        actions.push_back("setUpgradeCommandEnabled(true)");
    actions.insert(actions.end(), {"EndStandBy", "stopTrafficLog"});
    return actions;
}

bool endsWith(const Texts &all, const Texts &tail)
{
    return all.size() >= tail.size() && std::equal(tail.rbegin(), tail.rend(), all.rbegin());
}

bool contains(const Texts &all, const QString &text)
{
    return std::find(all.begin(), all.end(), text) != all.end();
}

class Identification : public ProbeJobTest {
protected:
    void SetUp() override
    {
        ProbeJobTest::SetUp();
        store(Earlier, probe);
    }

    void expectQuestionLast() const
    {
        const std::vector<Message> shown = messages.shown();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().text, ManualSelectionQuestion);
        EXPECT_EQ(shown.back().title, "Warning");
        EXPECT_EQ(shown.back().buttons, MessageButtons::YesNo);
    }
};

} // namespace

TEST_F(Identification, FillsTheRecordAndRestoresTheWindow)
{
    host.setUpgradeEnabled(true);
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(identityOf(probe), Simulated);
    EXPECT_EQ(probe.Description(), "LK 427Qx - FW version 9.0 - Product code  427Qx - Hw revision 8.0");
    EXPECT_EQ(probe.Identified(), 1);
    EXPECT_EQ(commandNames(), (Strings{"STATUS", "FR", "PI", "PI", "PI", "SN", "VT"}));
    EXPECT_TRUE(messages.texts().empty());

    Texts expected = StartActions;
    expected.push_back("setIdentified");
    const Texts end = endActions(true);
    expected.insert(expected.end(), end.begin(), end.end());
    EXPECT_EQ(host.actions(), expected);
    EXPECT_TRUE(host.upgradeEnabled());
    EXPECT_TRUE(host.probeCommandsEnabled());
    EXPECT_TRUE(host.terminalInputEnabled());
    EXPECT_FALSE(host.replyChannel().isTimerRunning());
}

TEST_F(Identification, SilentProbeGetsItsPortResetThenTheQuestion)
{
    simulator.setSilent(true);
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(commandNames(), Strings(4, "STATUS"));
    Texts writesAndResets;
    for (const auto &call : host.calls())
        if (call.text == "write" || call.text == "TogglePort")
            writesAndResets.push_back(call.text);
    EXPECT_EQ(writesAndResets,
              (Texts{"write", "write", "TogglePort", "TogglePort", "write", "write"}));
    EXPECT_TRUE(port.isOpen());
    expectQuestionLast();
    EXPECT_EQ(messages.texts().size(), 1u);
    EXPECT_FALSE(contains(host.actions(), "showManualSelection")) << "the answer was No";
    EXPECT_EQ(identityOf(probe), Earlier);
    EXPECT_TRUE(endsWith(host.actions(), endActions(false)));
}

TEST_F(Identification, ProbeThatWakesUpAfterThePortResetIsIdentified)
{
    simulator.silence("STATUS", 2);
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(commandNames(), (Strings{"STATUS", "STATUS", "STATUS", "FR", "PI", "PI", "PI", "SN", "VT"}));
    const Texts actions = host.actions();
    EXPECT_EQ(std::count(actions.begin(), actions.end(), "TogglePort"), 2);
    EXPECT_EQ(identityOf(probe), Simulated) << "the reopened port carries the conversation";
    EXPECT_TRUE(messages.texts().empty());
}

struct FailureCase {
    const char *name;
    std::function<void(probesim::ProbeSimulator &)> arrange;
    int storedSteps;       // identification steps whose fields were stored
    QString messageBefore; // shown before the question; empty: none
};

class IdentificationFailure : public Identification,
                              public ::testing::WithParamInterface<FailureCase> {};

TEST_P(IdentificationFailure, AsksTheQuestionAndKeepsWhatEarlierStepsStored)
{
    const FailureCase &c = GetParam();
    c.arrange(simulator);
    ASSERT_TRUE(runJob(10));

    expectQuestionLast();
    Texts expectedMessages;
    if (!c.messageBefore.isEmpty())
        expectedMessages.push_back(c.messageBefore);
    expectedMessages.push_back(ManualSelectionQuestion);
    EXPECT_EQ(messages.texts(), expectedMessages);
    if (!c.messageBefore.isEmpty()) {
        EXPECT_EQ(messages.shown().front().title, "Error");
    }
    EXPECT_EQ(identityOf(probe), storedUpTo(c.storedSteps));
    EXPECT_EQ(probe.Identified(), 0);
    EXPECT_FALSE(contains(host.actions(), "setIdentified"));
    EXPECT_TRUE(endsWith(host.actions(), endActions(false)));
    EXPECT_FALSE(host.upgradeEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, IdentificationFailure,
    ::testing::Values(
        FailureCase{"FirmwareSilent", [](auto &sim) { sim.silence("FR"); }, 0, {}},
        FailureCase{"FirmwareNotANumber", [](auto &sim) { sim.setFirmware(" 9.x"); }, 0,
                    "Invalid firmware version:  9.x"},
        FailureCase{"TypeSilentWithNewFirmware", [](auto &sim) { sim.setAnswersPi(false); }, 1, {}},
        FailureCase{"TypeNeitherModelNorNumber", [](auto &sim) { sim.setType(" 5x"); }, 1,
                    "Invalid product name:  5x"},
        FailureCase{"ProductSilent", [](auto &sim) { answerPiOnly(sim, 1); }, 2, {}},
        FailureCase{"RevisionSilent", [](auto &sim) { answerPiOnly(sim, 2); }, 3, {}},
        FailureCase{"RevisionNotANumber", [](auto &sim) { sim.setRevision(" x.0"); }, 3,
                    "Invalid hardware revison:  x.0"},
        FailureCase{"SerialSilent", [](auto &sim) { sim.silence("SN"); }, 4, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Identification, YesToTheQuestionOpensTheManualSelection)
{
    simulator.silence("FR");
    messages.answer(MessageAnswer::Yes);
    host.onManualSelection = [this] { applyVariant(ProbeVariants[14], probe); };
    ASSERT_TRUE(runJob(10));

    const Texts actions = host.actions();
    Texts tail{"showManualSelection"};
    const Texts end = endActions(true);
    tail.insert(tail.end(), end.begin(), end.end());
    EXPECT_TRUE(endsWith(actions, tail)) << "the selection comes before the end actions";
    EXPECT_EQ(probe.ProbeType(), 413);
    EXPECT_TRUE(host.upgradeEnabled()) << "a probe chosen by hand may be upgraded";
}

TEST_F(Identification, FailureAfterAnEarlierSuccessLeavesUpgradeAvailable)
{
    probe.SetIdentified(1);
    host.setUpgradeEnabled(true);
    simulator.silence("FR");
    ASSERT_TRUE(runJob(10));

    expectQuestionLast();
    EXPECT_EQ(probe.Identified(), 1);
    EXPECT_EQ(host.actions().front(), "setUpgradeCommandEnabled(false)");
    EXPECT_TRUE(endsWith(host.actions(), endActions(true)));
    EXPECT_TRUE(host.upgradeEnabled());
}

struct FirmwareCase {
    const char *name;
    const char *firmware;
    bool answersPi;
    bool identified;
    ProbeIdentity expected;
};

class OldFirmware : public Identification, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(OldFirmware, StandsInForWhatThePiCommandCannotTell)
{
    const FirmwareCase &c = GetParam();
    simulator.setFirmware(c.firmware);
    simulator.setAnswersPi(c.answersPi);
    simulator.setType(" 431Qx");
    simulator.setRevision(" 2.0");
    simulator.setProduct(" 431Qx");
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(identityOf(probe), c.expected);
    EXPECT_EQ(probe.Identified(), c.identified ? 1 : 0);
    EXPECT_EQ(host.upgradeEnabled(), c.identified);
    if (c.identified) {
        EXPECT_TRUE(messages.texts().empty());
    } else {
        expectQuestionLast();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OldFirmware,
    ::testing::Values(
        FirmwareCase{"BelowSevenWithSilentPi", " 6.9", false, true,
                     {" 6.9", 427, "427", "", 5.0, "5.0", "old"}},
        FirmwareCase{"BelowSevenWithAnsweringPi", " 6.9", true, true,
                     {" 6.9", 431, " 431Qx", " 431Qx", 2.0, "2.0", "10234"}},
        FirmwareCase{"SevenIsNew", " 7.0", false, false, {" 7.0", 1, "old", "old", 1.5, "1.5", "old"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct TypeCase {
    const char *name;
    const char *reply;
    int probeType;
};

class TypeReply : public Identification, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(TypeReply, NamesTheProbeTypeAndIsKeptAsDelivered)
{
    simulator.setType(GetParam().reply);
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(probe.ProbeType(), GetParam().probeType);
    EXPECT_EQ(probe.TypeText(), GetParam().reply);
    EXPECT_EQ(probe.Identified(), 1);
}

INSTANTIATE_TEST_SUITE_P(Models, TypeReply,
                         ::testing::Values(TypeCase{"WgBeforeOtherCodes", " WG 431Qx", 413},
                                           TypeCase{"HighTemperature411", " 411Qx HT", 411},
                                           TypeCase{"Model420", " 420", 420},
                                           TypeCase{"PlainNumber", " 428", 428}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Identification, NumbersTakeTheLocaleDecimalSeparator)
{
    testsupport::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    simulator.setFirmware(" 9.1_");
    simulator.setRevision(" 2.0");
    ASSERT_TRUE(runJob(10));

    EXPECT_EQ(probe.FwVersionText(), " 9,1");
    EXPECT_EQ(probe.HwRevisionText(), "2,0");
    EXPECT_EQ(probe.HwRevision(), 2.0);
    EXPECT_EQ(probe.Description(), "LK 427Qx - FW version 9,1 - Product code  427Qx - Hw revision 2,0");
}

namespace {

struct TrafficRun {
    char direction; // 'T' sent by the program, 'R' received
    QByteArray bytes;
    bool operator==(const TrafficRun &) const = default;
};

void PrintTo(const TrafficRun &run, std::ostream *out)
{
    *out << run.direction << "X:" << run.bytes.toPercentEncoding().toStdString();
}

QByteArray unescape(const QByteArray &text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char kind = text[++i];
        switch (kind) {
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'x': out += char(text.mid(i + 1, 2).toInt(nullptr, 16)); i += 2; break;
        default: out += kind;
        }
    }
    return out;
}

std::vector<TrafficRun> runsInLog(const QByteArray &log)
{
    std::vector<TrafficRun> runs;
    for (const QByteArray &line : log.split('\n')) {
        const QByteArray content = line.endsWith('\r') ? line.chopped(1) : line;
        const qsizetype tag = content.indexOf("] ");
        if (tag < 0)
            continue;
        const QByteArray rest = content.mid(tag + 2);
        runs.push_back({rest.startsWith("TX") ? 'T' : 'R', unescape(rest.mid(4))});
    }
    return runs;
}

std::vector<TrafficRun> runsOnWire(const probesim::ProbeSimulator &simulator)
{
    struct Byte {
        std::chrono::steady_clock::time_point at;
        char direction;
        unsigned char value;
    };
    std::vector<Byte> bytes;
    for (const auto &b : simulator.receivedBytes())
        bytes.push_back({b.at, 'T', b.value});
    for (const auto &b : simulator.sentBytes())
        bytes.push_back({b.at, 'R', b.value});
    std::stable_sort(bytes.begin(), bytes.end(), [](const Byte &a, const Byte &b) { return a.at < b.at; });
    std::vector<TrafficRun> runs;
    for (const Byte &b : bytes) {
        if (runs.empty() || runs.back().direction != b.direction)
            runs.push_back({b.direction, {}});
        runs.back().bytes += char(b.value);
    }
    return runs;
}

} // namespace

TEST_F(Identification, TrafficLogHoldsTheLastIdentificationInOrder)
{
    simulator.setSerial("111");
    ASSERT_TRUE(runJob(10));
    simulator.clearLog();
    simulator.setSerial("222");
    simulator.silence("STATUS", 1); // a retry shows up in the log as well
    ASSERT_TRUE(runJob(10));

    const std::vector<TrafficRun> logged = runsInLog(testsupport::readFile(logDirectory.filePath("detect.log")));
    EXPECT_EQ(logged, runsOnWire(simulator));
    ASSERT_FALSE(logged.empty());
    EXPECT_EQ(logged.front(), (TrafficRun{'T', "\x14\x14"}));
}

TEST_F(Identification, LockedTrafficLogIsReportedAndTheJobRunsWithoutIt)
{
    const QString path = QDir::toNativeSeparators(logDirectory.filePath("detect.log"));
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier log");
    }
    const int holder = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const bool ran = runJob(10);
    ::close(holder);
    ASSERT_TRUE(ran);

    ASSERT_EQ(messages.texts(),
              Texts{"Cannot access " + path + ". Log file will not be written"});
    EXPECT_EQ(messages.shown().front().title, "Error");
    EXPECT_EQ(messages.shown().front().icon, MessageIcon::Stop);
    EXPECT_EQ(probe.Identified(), 1);
    EXPECT_EQ(testsupport::readFile(path), "earlier log");
}

TEST_F(Identification, PortVanishingMidJobEndsItAtOnce)
{
    simulator.silence("STATUS", 1);
    std::thread unplug([this] {
        if (simulator.waitForCommand("STATUS", 1, Patience))
            simulator.vanish();
    });
    const bool ran = runJob(10);
    unplug.join();
    ASSERT_TRUE(ran);

    EXPECT_EQ(messages.texts(), Texts{JobFailed}) << "no manual-selection question";
    EXPECT_EQ(commandNames(), Strings{"STATUS"});
    EXPECT_FALSE(contains(host.actions(), "TogglePort")) << "a lost port is not reset";
    EXPECT_TRUE(endsWith(host.actions(), endActions(false)));
    EXPECT_EQ(identityOf(probe), Earlier);
}

TEST_F(Identification, StopRequestEndsAWaitingJobWithoutAWord)
{
    timing::setTestScale(1.0);
    simulator.setSilent(true);
    TDetectProbe job(10, probe, host, host.replyState());
    job.start();
    QElapsedTimer waited;
    waited.start();
    while (simulator.commandCount("STATUS") == 0 && waited.elapsed() < Patience.count())
        QTest::qWait(10);
    ASSERT_EQ(simulator.commandCount("STATUS"), 1u);
    const Texts actionsBeforeStop = host.actions();

    QElapsedTimer stopping;
    stopping.start();
    job.stopAndWait();

    EXPECT_LT(stopping.elapsed(), timing::ReplyTimeout.count()) << "the reply wait was cut short";
    EXPECT_EQ(host.actions(), actionsBeforeStop) << "no end actions after a stop";
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(simulator.commandCount("STATUS"), 1u);
}

} // namespace olvex::probe::tests
