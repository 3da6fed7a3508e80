#pragma once
// A probe job against the simulated probe: the program's own port on the
// simulator's pseudo-terminal, a recording window side, and time shrunk so
// that a silent step costs a fraction of a second.
#include "common/Timings.h"
#include "comms/ComPort.h"
#include "probe/CurrentProbe.h"
#include "testsupport/RecordingJobHost.h"
#include "testsupport/ScriptedMessages.h"

#include <probesim/ProbeSimulator.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace olvex::probe::tests {

// Fast enough for many jobs per test program, slow enough that a loaded
// machine still delivers every reply well inside the shrunk reply time-out
// (320 ms; replies took up to 150 ms with the machine three times overloaded).
inline constexpr double JobTestScale = 0.08;

class ProbeJobTest : public ::testing::Test {
protected:
    // Before the fixture's port and host exist.
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs job `probeJob` on its own thread to its end while this thread
    // serves the window side. False when it did not end in time.
    bool runJob(int probeJob);
    // Runs `work` on a thread of its own in the same way.
    bool runOnWorker(std::function<void()> work);

    // Names of the commands the simulator received, in order.
    std::vector<std::string> commandNames() const;
    // When the window side ran the calls whose text starts with `prefix`.
    // Each call is made while the job waits for it, so the time between two
    // of them is never less than the job waited in between.
    std::vector<std::chrono::steady_clock::time_point> callTimes(const QString &prefix) const;

    static constexpr std::chrono::milliseconds Patience{60000};

    QTemporaryDir logDirectory;
    probesim::ProbeSimulator simulator;
    comms::ComPort port;
    testsupport::ScriptedMessages messages;
    CURRENTPROBE probe;
    testsupport::RecordingJobHost host{port, probe, messages, logDirectory.path()};
};

// Table cases carry a name; a failing case prints it, not its bytes.
template <typename Case>
    requires requires(const Case &c) { c.name; }
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

// PI gets its reply for the first `answered` requests only.
void answerPiOnly(probesim::ProbeSimulator &simulator, int answered);

// The conventional texts of the job's messages.
inline const QString JobFailed = QStringLiteral("Error while talking with probe");
inline const QString ManualSelectionQuestion = QStringLiteral(
    "Due to communication problems the Probe Firmware and Hardware\n"
    "release can not be automatically detected.\n"
    "Do you like to manually select your probe type to complete the identification process ?");

} // namespace olvex::probe::tests
