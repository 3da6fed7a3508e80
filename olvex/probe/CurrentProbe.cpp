#include "probe/CurrentProbe.h"

#include "common/Text.h"

#include <cstdlib>

namespace olvex::probe {

void CURRENTPROBE::BuildDescription()
{
    QByteArray description;
    if (!TypeText_.isEmpty())
        description += "LK" + TypeText_;
    if (text::parseLocaleFloat(FwVersionText_).value_or(0.0) > 0.0)
        description += " - FW version" + FwVersionText_;
    if (!ProductCode_.isEmpty())
        description += " - Product code " + ProductCode_;
    if (!HwRevisionText_.isEmpty())
        description += " - Hw revision " + HwRevisionText_;
    Description_ = description;
}

double CURRENTPROBE::FWPartialVersionNumber() const
{
    // strtod follows the C locale, which the program never changes.
    return std::strtod(FWPartialVersion_.constData(), nullptr);
}

} // namespace olvex::probe
