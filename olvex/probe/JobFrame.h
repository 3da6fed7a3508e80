#pragma once
// What a probe job changes in the window around its conversation: the
// commands and the terminal it disables at its start, the stand-by text and
// the traffic log, and how it puts all of it back at its end.
#include <QString>

#include <vector>

namespace olvex::probe {

class CURRENTPROBE;
class JobHost;

class JobFrame {
public:
    enum class StartAction {
        DisableUpgrade,       // remembers whether the Upgrade command was enabled
        StartTrafficLog,
        ShowStandBy,
        DisableProbeCommands, // Unattended cast, Stop cast, Upload cast, Identify, Set time, Port
        DisableTerminalInput,
    };

    // When the Upgrade command comes back at the end of the job.
    enum class UpgradeRestore {
        WhenIdentified,     // whenever the probe is identified by then
        WhenEnabledAtStart, // only if it was enabled when the job started
    };

    struct Plan {
        std::vector<StartAction> startActions; // in the job's order
        QString trafficLog;                    // file name for StartTrafficLog
        UpgradeRestore upgradeRestore;
    };

    JobFrame(JobHost &host, const CURRENTPROBE &probe, Plan plan);

    // The start actions in the plan's order.
    void start();
    // The end actions: terminal back and focused, probe commands enabled,
    // Upgrade as the plan says, end-of-job status update, and the traffic
    // log stopped if the job started one.
    void finish();

private:
    void run(StartAction action);

    JobHost &host_;
    const CURRENTPROBE &probe_;
    Plan plan_;
    bool upgradeWasEnabled_ = false;
    bool logStarted_ = false;
};

} // namespace olvex::probe
