#pragma once
// The probe variants a user can pick when a probe cannot identify itself.
#include "probe/CurrentProbe.h"

#include <QString>

#include <array>

namespace olvex::probe {

struct ProbeVariant {
    int probeType;
    const char *typeText;
    double hwRevision;
    const char *revisionText;
    const char *firmwareText; // with '.', converted to the locale when applied
};

inline constexpr std::array<ProbeVariant, 20> ProbeVariants{{
    {427, "427", 5.0, "5.0", "6.9"},      {427, "427", 6.0, "6.0", "7.1"},
    {427, "427Qx", 7.1, "7.1", "7.5"},    {427, "427Qx", 8.0, "8.0", "9.0"},
    {431, "431", 1.0, "1.0", "8.1"},      {431, "431Qx", 2.0, "2.0", "8.5"},
    {431, "431Qx", 8.0, "8.0", "9.0"},    {412, "412", 4.0, "4.0", "7.2"},
    {412, "412", 6.0, "6.0", "8.0"},      {413, "413", 1.0, "1.0", "7.0"},
    {413, "413", 2.0, "2.0", "8.0"},      {411, "411", 0.0, "0.0", "1.0"},
    {411, "411", 1.0, "1.0", "7.0"},      {411, "411", 2.0, "2.0", "8.0"},
    {413, "WG/57", 2.0, "2.0", "8.0"},    {412, "412Qx", 1.0, "1.0", "8.5"},
    {413, "413Qx", 3.0, "3.0", "8.1"},    {411, "411Qx", 1.0, "1.0", "9.0"},
    {411, "411Qx HT", 1.0, "1.0", "9.0"}, {420, "420", 1.0, "1.0", "1.0"},
}};

// The list entry shown to the user: "LUMEN KAROS 427Qx Hw revision 7.1".
QString variantCaption(const ProbeVariant &variant);

// Copies the variant's identity into `probe` and marks it identified.
// ProductCode and SerialNumber are left as they are.
void applyVariant(const ProbeVariant &variant, CURRENTPROBE &probe);

} // namespace olvex::probe
