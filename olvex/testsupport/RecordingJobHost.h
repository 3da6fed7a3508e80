#pragma once
// A JobHost for probe-job tests: does the window-side work for real on the
// thread that created it (the test's main thread, which must run an event
// loop while a job runs) and records what the job asked for, in order.
//
// The port, the reply channel and the traffic log are the program's own;
// the menus and the terminal are flags; the windows the job shows are
// replaced by hooks the test sets.
#include "probe/JobHost.h"
#include "probe/ProbeReplyChannel.h"
#include "probe/ReplyState.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

namespace olvex::comms {
class ComPort;
}
namespace olvex::probe {
class CURRENTPROBE;
}

namespace olvex::testsupport {

class RecordingJobHost : public QObject, public probe::JobHost {
    Q_OBJECT
public:
    struct Call {
        std::chrono::steady_clock::time_point at; // when the window thread ran it
        QString text;                             // e.g. "setUpgradeCommandEnabled(false)"
    };

    // Traffic logs go to `logDirectory`. All references must outlive the host.
    RecordingJobHost(comms::ComPort &port, probe::CURRENTPROBE &probe, MessageSink &messages,
                     QString logDirectory);

    probe::ReplyState &replyState() { return replyState_; }
    probe::ProbeReplyChannel &replyChannel() { return replyChannel_; }

    // The Upgrade command's state; set it before a job to choose where it starts.
    bool upgradeEnabled() const;
    void setUpgradeEnabled(bool enabled);
    bool probeCommandsEnabled() const;
    bool terminalInputEnabled() const;

    // Run on the window thread when the job shows these windows.
    std::function<void()> onManualSelection;
    std::function<void()> onStandByInstructions;

    // Every call, in order, with its time. The conversation calls (arm,
    // write, timer) are included; actions() leaves them out.
    std::vector<Call> calls() const;
    // The window actions alone: start and end actions and the windows shown.
    std::vector<QString> actions() const;
    void clearCalls();

    // JobHost.
    void armReplyMatcher(const QByteArray &start, const QByteArray &end, bool include) override;
    bool writeToPort(const QByteArray &bytes) override;
    void setReplyTimerRunning(bool running) override;
    bool isUpgradeCommandEnabled() override;
    void setUpgradeCommandEnabled(bool enabled) override;
    void setProbeCommandsEnabled(bool enabled) override;
    void setTerminalInputEnabled(bool enabled) override;
    void ShowStandBy() override;
    void EndStandBy() override;
    void startTrafficLog(const QString &fileName) override;
    void stopTrafficLog() override;
    void TogglePort() override;
    void setIdentified() override;
    void showManualSelection() override;
    void showStandByInstructions() override;
    void showUpgradeHint() override;
    MessageSink &messages() override { return messages_; }

private:
    // Runs `work` on the window thread and records `text` there.
    template <typename Work>
    auto record(const QString &text, Work &&work);

    comms::ComPort &port_;
    probe::CURRENTPROBE &probe_;
    MessageSink &messages_;
    QString logDirectory_;
    probe::ReplyState replyState_;
    probe::ProbeReplyChannel replyChannel_;

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    bool upgradeEnabled_ = false;
    bool probeCommandsEnabled_ = true;
    bool terminalInputEnabled_ = true;
};

} // namespace olvex::testsupport
