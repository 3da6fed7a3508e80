#include "probe/ProbeVariants.h"

#include "common/Text.h"

namespace olvex::probe {

QString variantCaption(const ProbeVariant &variant)
{
    return QStringLiteral("LUMEN KAROS %1 Hw revision %2")
        .arg(QLatin1String(variant.typeText), QLatin1String(variant.revisionText));
}

void applyVariant(const ProbeVariant &variant, CURRENTPROBE &probe)
{
    probe.SetProbeType(variant.probeType);
    probe.SetTypeText(variant.typeText);
    probe.SetHwRevision(variant.hwRevision);
    probe.SetHwRevisionText(variant.revisionText);
    probe.SetFwVersionText(text::withLocaleSeparator(variant.firmwareText));
    probe.SetIdentified(1);
}

} // namespace olvex::probe
