#include "probe/CommandSteps.h"

#include "common/Text.h"

#include <algorithm>

namespace olvex::probe {

const StepDefinition &stepDefinition(CommandStep step)
{
    return *std::find_if(CommandSteps.begin(), CommandSteps.end(),
                         [step](const StepDefinition &definition) { return definition.step == step; });
}

QByteArray cleanReply(ReplyCleaning cleaning, QByteArray reply)
{
    switch (cleaning) {
    case ReplyCleaning::None:
        return reply;
    case ReplyCleaning::FirmwareVersion:
        return text::withLocaleSeparator(reply.replace("_", ""));
    }
    return reply;
}

} // namespace olvex::probe
