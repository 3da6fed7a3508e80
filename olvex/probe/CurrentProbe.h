#pragma once
// What the program knows about the connected probe: its identity, the
// firmware reference line that matches it, and the commands that the set-up
// dialogs hand to the probe jobs.
//
// A plain value class. Texts are the probe's 8-bit strings. The program keeps
// one instance, `CurrentProbe`, from start to exit; probe jobs and windows
// take turns with it (a job writes it only while the commands that could
// write it are disabled, and the window reads it in the job's own callbacks).
#include <QByteArray>

#include <cstdint>

namespace olvex::probe {

class CURRENTPROBE {
public:
#define OLVEX_PROBE_FIELD(Type, Name)                        \
public:                                                      \
    Type Name() const { return Name##_; }                    \
    void Set##Name(const Type &value) { Name##_ = value; }   \
private:                                                     \
    Type Name##_{};

    OLVEX_PROBE_FIELD(std::uint8_t, PreCommandPending)
    OLVEX_PROBE_FIELD(std::int32_t, ProbeType)
    OLVEX_PROBE_FIELD(std::uint8_t, Identified)
    OLVEX_PROBE_FIELD(std::uint8_t, PartialUpgrade)
    OLVEX_PROBE_FIELD(QByteArray, TypeText)
    OLVEX_PROBE_FIELD(double, HwRevision)
    OLVEX_PROBE_FIELD(QByteArray, HwRevisionText)
    OLVEX_PROBE_FIELD(QByteArray, SerialNumber)
    OLVEX_PROBE_FIELD(QByteArray, FileName)
    OLVEX_PROBE_FIELD(QByteArray, FWPartialVersion)
    OLVEX_PROBE_FIELD(QByteArray, PartialFileName)
    OLVEX_PROBE_FIELD(QByteArray, FwVersionText)
    OLVEX_PROBE_FIELD(double, FileRev)
    OLVEX_PROBE_FIELD(QByteArray, UpgradeCommand)
    OLVEX_PROBE_FIELD(QByteArray, PartialUpgradeCommand)
    OLVEX_PROBE_FIELD(QByteArray, Srecord)
    OLVEX_PROBE_FIELD(QByteArray, PartialSrecord)
    OLVEX_PROBE_FIELD(QByteArray, Xor)
    OLVEX_PROBE_FIELD(QByteArray, PartialXor)
    OLVEX_PROBE_FIELD(QByteArray, Bytes)
    OLVEX_PROBE_FIELD(QByteArray, PartialBytes)
    OLVEX_PROBE_FIELD(QByteArray, Password)
    OLVEX_PROBE_FIELD(QByteArray, Description)
    OLVEX_PROBE_FIELD(QByteArray, ProductCode)
    OLVEX_PROBE_FIELD(QByteArray, PreCommand)
    OLVEX_PROBE_FIELD(QByteArray, Command)

#undef OLVEX_PROBE_FIELD

public:
    // Rebuilds Description from TypeText, FwVersionText, ProductCode and
    // HwRevisionText, e.g. "LK 427Qx - FW version 9.0 - Product code  427Qx -
    // Hw revision 8.0". A firmware text that is not a positive number is left out.
    void BuildDescription();

    // FWPartialVersion read with the C conversion: "." always, leading number
    // only, 0 for an empty or non-numeric text.
    double FWPartialVersionNumber() const;
};

} // namespace olvex::probe
