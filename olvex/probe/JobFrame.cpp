#include "probe/JobFrame.h"

#include "probe/CurrentProbe.h"
#include "probe/JobHost.h"

namespace olvex::probe {

JobFrame::JobFrame(JobHost &host, const CURRENTPROBE &probe, Plan plan)
    : host_(host), probe_(probe), plan_(std::move(plan))
{
}

void JobFrame::start()
{
    for (StartAction action : plan_.startActions)
        run(action);
}

void JobFrame::run(StartAction action)
{
    switch (action) {
    case StartAction::DisableUpgrade:
        upgradeWasEnabled_ = host_.isUpgradeCommandEnabled();
        if (upgradeWasEnabled_)
            host_.setUpgradeCommandEnabled(false);
        break;
    case StartAction::StartTrafficLog:
        host_.startTrafficLog(plan_.trafficLog);
        logStarted_ = true;
        break;
    case StartAction::ShowStandBy:
        host_.ShowStandBy();
        break;
    case StartAction::DisableProbeCommands:
        host_.setProbeCommandsEnabled(false);
        break;
    case StartAction::DisableTerminalInput:
        host_.setTerminalInputEnabled(false);
        break;
    }
}

void JobFrame::finish()
{
    host_.setTerminalInputEnabled(true);
    host_.setProbeCommandsEnabled(true);
    const bool allowed = plan_.upgradeRestore == UpgradeRestore::WhenIdentified || upgradeWasEnabled_;
    if (allowed && probe_.Identified() == 1)
        host_.setUpgradeCommandEnabled(true);
    host_.EndStandBy();
    if (logStarted_)
        host_.stopTrafficLog();
}

} // namespace olvex::probe
