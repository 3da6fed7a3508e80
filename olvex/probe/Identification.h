#pragma once
// The identification job's procedure: asks the probe for its firmware, type,
// product code, hardware revision and serial number, fills the record, and
// offers the manual selection when the probe does not answer well enough.
#include <QByteArray>

#include <optional>

namespace olvex::probe {

class CURRENTPROBE;
class JobHost;
class ProbeDialogue;

class Identification {
public:
    Identification(ProbeDialogue &dialogue, CURRENTPROBE &probe, JobHost &host);

    // Runs the steps and the success ending (Prompt, BuildDescription,
    // Identified set on the window thread), or the failure ending (the
    // question, then the manual selection on Yes). True on success.
    bool run();

private:
    bool identify();
    bool statusAnswers();
    bool statusAnswersAfterPortReset();
    // Whether the firmware is old, or nothing on failure.
    std::optional<bool> readFirmware();
    void storeOldFirmwareIdentity();
    bool storeType(const QByteArray &reply);
    bool readProduct();
    bool readRevision();
    bool readSerial();
    void offerManualSelection();

    ProbeDialogue &dialogue_;
    CURRENTPROBE &probe_;
    JobHost &host_;
};

} // namespace olvex::probe
