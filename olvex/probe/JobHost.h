#pragma once
// What a probe job asks of the window side.
//
// A job runs on its own thread; every call below is made from that thread and
// returns only once the work is done on the window thread (the main window's
// implementation wraps each in runOnThreadOf()). messages() is the exception:
// the job shows its message boxes from its own thread through it.
#include "common/Messages.h"

#include <QByteArray>
#include <QString>

namespace olvex::probe {

class JobHost {
public:
    virtual ~JobHost() = default;

    // The reply matcher, for a new step: clear PacketArrived and ReplyTimedOut
    // (on the window thread, where replies are delivered, so that a late
    // reply of the previous step cannot count for this one), set its start
    // and end strings and include flag, and enable it. ProbeReplyChannel::arm()
    // does all of it.
    virtual void armReplyMatcher(const QByteArray &start, const QByteArray &end, bool include) = 0;
    // Writes bytes to the port. False when the port is closed or gone.
    virtual bool writeToPort(const QByteArray &bytes) = 0;
    // Starts the reply timer afresh, or stops it.
    virtual void setReplyTimerRunning(bool running) = 0;

    // Job start and end actions.
    virtual bool isUpgradeCommandEnabled() = 0;
    virtual void setUpgradeCommandEnabled(bool enabled) = 0;
    // "Unattended cast", "Stop cast", "Upload cast", Identify, Set time and the Port command.
    virtual void setProbeCommandsEnabled(bool enabled) = 0;
    // false: the terminal takes no keys; true: it takes them again and gets the focus.
    virtual void setTerminalInputEnabled(bool enabled) = 0;
    virtual void ShowStandBy() = 0;
    virtual void EndStandBy() = 0;
    // Starts the traffic log into `fileName` in the program's directory, or
    // tells the user why it cannot.
    virtual void startTrafficLog(const QString &fileName) = 0;
    virtual void stopTrafficLog() = 0;

    // Identification: reset a silent port, record success, ask the user.
    virtual void TogglePort() = 0;
    virtual void setIdentified() = 0;
    virtual void showManualSelection() = 0;

    // Shown when an unattended cast has been started (job 40).
    virtual void showStandByInstructions() = 0;
    // Shown when an upgrade has been prepared (job 20).
    virtual void showUpgradeHint() = 0;

    virtual MessageSink &messages() = 0;
};

} // namespace olvex::probe
