#include "testsupport/RecordingJobHost.h"

#include "common/WindowThread.h"
#include "comms/ComPort.h"
#include "probe/CurrentProbe.h"
#include "probe/TrafficLog.h"

namespace olvex::testsupport {

namespace {

QString flag(const char *name, bool value)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name), value ? QStringLiteral("true")
                                                                   : QStringLiteral("false"));
}

bool isConversationCall(const QString &text)
{
    return text.startsWith(QLatin1String("armReplyMatcher")) || text.startsWith(QLatin1String("write"))
        || text.startsWith(QLatin1String("setReplyTimerRunning"));
}

} // namespace

RecordingJobHost::RecordingJobHost(comms::ComPort &port, probe::CURRENTPROBE &probe,
                                   MessageSink &messages, QString logDirectory)
    : port_(port), probe_(probe), messages_(messages), logDirectory_(std::move(logDirectory)),
      replyChannel_(port, replyState_)
{
}

template <typename Work>
auto RecordingJobHost::record(const QString &text, Work &&work)
{
    return runOnThreadOf(this, [&] {
        {
            std::lock_guard lock(mutex_);
            calls_.push_back({std::chrono::steady_clock::now(), text});
        }
        return work();
    });
}

bool RecordingJobHost::upgradeEnabled() const
{
    std::lock_guard lock(mutex_);
    return upgradeEnabled_;
}

void RecordingJobHost::setUpgradeEnabled(bool enabled)
{
    std::lock_guard lock(mutex_);
    upgradeEnabled_ = enabled;
}

bool RecordingJobHost::probeCommandsEnabled() const
{
    std::lock_guard lock(mutex_);
    return probeCommandsEnabled_;
}

bool RecordingJobHost::terminalInputEnabled() const
{
    std::lock_guard lock(mutex_);
    return terminalInputEnabled_;
}

std::vector<RecordingJobHost::Call> RecordingJobHost::calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<QString> RecordingJobHost::actions() const
{
    std::vector<QString> out;
    for (const Call &call : calls())
        if (!isConversationCall(call.text))
            out.push_back(call.text);
    return out;
}

void RecordingJobHost::clearCalls()
{
    std::lock_guard lock(mutex_);
    calls_.clear();
}

void RecordingJobHost::armReplyMatcher(const QByteArray &start, const QByteArray &end, bool include)
{
    record(QStringLiteral("armReplyMatcher(%1)").arg(QString::fromLatin1(start)),
           [&] { replyChannel_.arm(start, end, include); });
}

bool RecordingJobHost::writeToPort(const QByteArray &bytes)
{
    return record(QStringLiteral("write"), [&] { return port_.write(bytes); });
}

void RecordingJobHost::setReplyTimerRunning(bool running)
{
    record(flag("setReplyTimerRunning", running), [&] { replyChannel_.setTimerRunning(running); });
}

bool RecordingJobHost::isUpgradeCommandEnabled()
{
    // A query, not an action: it is not recorded.
    return runOnThreadOf(this, [&] { return upgradeEnabled(); });
}

void RecordingJobHost::setUpgradeCommandEnabled(bool enabled)
{
    record(flag("setUpgradeCommandEnabled", enabled), [&] { setUpgradeEnabled(enabled); });
}

void RecordingJobHost::setProbeCommandsEnabled(bool enabled)
{
    record(flag("setProbeCommandsEnabled", enabled), [&] {
        std::lock_guard lock(mutex_);
        probeCommandsEnabled_ = enabled;
    });
}

void RecordingJobHost::setTerminalInputEnabled(bool enabled)
{
    record(flag("setTerminalInputEnabled", enabled), [&] {
        std::lock_guard lock(mutex_);
        terminalInputEnabled_ = enabled;
    });
}

void RecordingJobHost::ShowStandBy()
{
    record(QStringLiteral("ShowStandBy"), [] {});
}

void RecordingJobHost::EndStandBy()
{
    record(QStringLiteral("EndStandBy"), [] {});
}

void RecordingJobHost::startTrafficLog(const QString &fileName)
{
    record(QStringLiteral("startTrafficLog(%1)").arg(fileName), [&] {
        probe::trafficlog::start(port_.trace(), logDirectory_, fileName, messages_);
    });
}

void RecordingJobHost::stopTrafficLog()
{
    record(QStringLiteral("stopTrafficLog"), [&] { probe::trafficlog::stop(port_.trace()); });
}

void RecordingJobHost::TogglePort()
{
    record(QStringLiteral("TogglePort"), [&] {
        if (port_.isOpen())
            port_.close();
        else
            port_.open();
    });
}

void RecordingJobHost::setIdentified()
{
    record(QStringLiteral("setIdentified"), [&] { probe_.SetIdentified(1); });
}

void RecordingJobHost::showManualSelection()
{
    record(QStringLiteral("showManualSelection"), [&] {
        if (onManualSelection)
            onManualSelection();
    });
}

void RecordingJobHost::showStandByInstructions()
{
    record(QStringLiteral("showStandByInstructions"), [&] {
        if (onStandByInstructions)
            onStandByInstructions();
    });
}

void RecordingJobHost::showUpgradeHint()
{
    record(QStringLiteral("showUpgradeHint"), [] {});
}

} // namespace olvex::testsupport
