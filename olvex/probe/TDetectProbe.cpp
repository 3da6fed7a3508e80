#include "probe/TDetectProbe.h"

#include "common/Messages.h"
#include "probe/CurrentProbe.h"
#include "probe/Identification.h"
#include "probe/JobFrame.h"
#include "probe/JobHost.h"
#include "probe/ProbeDialogue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <algorithm>

namespace olvex::probe {

namespace {

// The conversations of jobs 20 to 50 end with this message on failure.
bool reportFailure(ProbeDialogue &dialogue)
{
    messages::probeJobFailed(dialogue.messages());
    return false;
}

} // namespace

TDetectProbe::TDetectProbe(int probeJob, CURRENTPROBE &probe, JobHost &host, ReplyState &replies,
                           QObject *parent)
    : QThread(parent), probeJob_(probeJob), probe_(probe), host_(host), replies_(replies)
{
}

void TDetectProbe::requestStop()
{
    stop_.raise();
}

void TDetectProbe::stopAndWait()
{
    requestStop();
    while (!wait(QDeadlineTimer(10)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TDetectProbe::run()
{
    Execute();
}

void TDetectProbe::Execute()
{
    using Action = JobFrame::StartAction;
    using Restore = JobFrame::UpgradeRestore;
    struct Job {
        int code;
        JobFrame::Plan frame;
        bool (TDetectProbe::*conversation)(ProbeDialogue &);
        bool showsUpgradeHint; // after the end actions, on success
    };
    static const Job jobs[] = {
        {10,
         {{Action::DisableUpgrade, Action::DisableProbeCommands, Action::DisableTerminalInput,
           Action::ShowStandBy, Action::StartTrafficLog},
          QStringLiteral("detect.log"), Restore::WhenIdentified},
         &TDetectProbe::identify, false},
        {20,
         {{Action::DisableUpgrade, Action::StartTrafficLog, Action::ShowStandBy,
           Action::DisableProbeCommands, Action::DisableTerminalInput},
          QStringLiteral("upgrade.log"), Restore::WhenIdentified},
         &TDetectProbe::prepareUpgrade, true},
        {30,
         {{Action::DisableUpgrade, Action::ShowStandBy, Action::DisableProbeCommands,
           Action::DisableTerminalInput},
          {}, Restore::WhenEnabledAtStart},
         &TDetectProbe::sendCommand, false},
        {40,
         {{Action::DisableUpgrade, Action::ShowStandBy, Action::DisableProbeCommands,
           Action::DisableTerminalInput},
          {}, Restore::WhenEnabledAtStart},
         &TDetectProbe::startUnattendedCast, false},
        {50,
         {{Action::DisableUpgrade, Action::ShowStandBy, Action::DisableProbeCommands,
           Action::DisableTerminalInput},
          {}, Restore::WhenEnabledAtStart},
         &TDetectProbe::stopCast, false},
    };

    const Job *job = std::find_if(std::begin(jobs), std::end(jobs),
                                  [this](const Job &candidate) { return candidate.code == probeJob_; });
    if (job == std::end(jobs))
        return;

    ProbeDialogue dialogue(host_, replies_, probe_, stop_);
    JobFrame frame(host_, probe_, job->frame);
    try {
        frame.start();
        const bool succeeded = (this->*job->conversation)(dialogue);
        dialogue.checkStop();
        frame.finish();
        if (succeeded && job->showsUpgradeHint)
            host_.showUpgradeHint();
    } catch (const JobInterrupted &interruption) {
        if (interruption.cause == JobInterrupted::Cause::StopRequested || stop_.isRaised())
            return;
        // The port has gone away: retrying or resetting it would only wait
        // for time-outs that cannot end otherwise.
        messages::probeJobFailed(host_.messages());
        frame.finish();
    }
}

bool TDetectProbe::identify(ProbeDialogue &dialogue)
{
    return Identification(dialogue, probe_, host_).run();
}

bool TDetectProbe::prepareUpgrade(ProbeDialogue &dialogue)
{
    return dialogue.run(CommandStep::Status, retries::UpToTwice) || reportFailure(dialogue);
}

bool TDetectProbe::sendCommand(ProbeDialogue &dialogue)
{
    return (dialogue.run(CommandStep::Status, retries::UpToTwice)
            && dialogue.run(CommandStep::Command, retries::UpToTwice)
            && dialogue.run(CommandStep::Prompt))
        || reportFailure(dialogue);
}

bool TDetectProbe::startUnattendedCast(ProbeDialogue &dialogue)
{
    const bool started = dialogue.run(CommandStep::Status, retries::UpToTwice)
        && (probe_.PreCommandPending() != 1
            || dialogue.run(CommandStep::PreCommand, retries::UpToTwice))
        && dialogue.run(CommandStep::Command, retries::UpToTwice);
    if (!started)
        return reportFailure(dialogue);
    host_.showStandByInstructions();
    return true;
}

bool TDetectProbe::stopCast(ProbeDialogue &dialogue)
{
    return (dialogue.run(CommandStep::Stop, retries::StopCast)
            && dialogue.run(CommandStep::Prompt, retries::UpToTwice))
        || reportFailure(dialogue);
}

} // namespace olvex::probe
