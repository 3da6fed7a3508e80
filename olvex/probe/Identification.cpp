#include "probe/Identification.h"

#include "common/Messages.h"
#include "common/Text.h"
#include "probe/CurrentProbe.h"
#include "probe/JobHost.h"
#include "probe/ProbeDialogue.h"

#include <array>

namespace olvex::probe {

namespace {

struct ModelCode {
    const char *code;
    int probeType;
};

// First match wins: "WG" probes also carry other model codes. "411Qx HT"
// needs no entry of its own, "411Qx" already names it.
constexpr std::array<ModelCode, 7> ModelCodes{{
    {"WG", 413},
    {"427Qx", 427},
    {"431Qx", 431},
    {"413Qx", 413},
    {"412Qx", 412},
    {"411Qx", 411},
    {"420", 420},
}};

// Probes whose firmware is older than this cannot describe themselves.
constexpr double FirstDescribingFirmware = 7.0;

const QString ManualSelectionQuestion = QStringLiteral(
    "Due to communication problems the Probe Firmware and Hardware\n"
    "release can not be automatically detected.\n"
    "Do you like to manually select your probe type to complete the identification process ?");

// The probe type a PI type reply names: the first model code it contains,
// else the reply itself read as a decimal integer; nothing when it is neither.
std::optional<int> probeTypeFromReply(const QByteArray &reply)
{
    for (const ModelCode &model : ModelCodes)
        if (reply.contains(model.code))
            return model.probeType;
    bool isInteger = false;
    const int number = text::trimmed(reply).toInt(&isInteger, 10);
    if (!isInteger)
        return std::nullopt;
    return number;
}

} // namespace

Identification::Identification(ProbeDialogue &dialogue, CURRENTPROBE &probe, JobHost &host)
    : dialogue_(dialogue), probe_(probe), host_(host)
{
}

bool Identification::run()
{
    if (!identify()) {
        offerManualSelection();
        return false;
    }
    // The probe has said all it needs to; a missing prompt changes nothing.
    dialogue_.run(CommandStep::Prompt, retries::UpToTwice);
    probe_.BuildDescription();
    host_.setIdentified();
    return true;
}

bool Identification::identify()
{
    if (!statusAnswers() && !statusAnswersAfterPortReset())
        return false;
    const std::optional<bool> oldFirmware = readFirmware();
    if (!oldFirmware)
        return false;
    const std::optional<QByteArray> type = dialogue_.run(CommandStep::Type);
    if (!type)
        return *oldFirmware; // such probes need not know the PI command
    return storeType(*type) && readProduct() && readRevision() && readSerial();
}

bool Identification::statusAnswers()
{
    return dialogue_.run(CommandStep::Status, retries::UpToTwice).has_value();
}

bool Identification::statusAnswersAfterPortReset()
{
    dialogue_.pause(timing::PortResetPause);
    host_.TogglePort(); // closes
    dialogue_.pause(timing::PortResetPause);
    host_.TogglePort(); // opens again
    dialogue_.pause(timing::PortResetPause);
    return statusAnswers();
}

std::optional<bool> Identification::readFirmware()
{
    const std::optional<QByteArray> firmware = dialogue_.run(CommandStep::Firmware);
    if (!firmware)
        return std::nullopt;
    const std::optional<double> version = text::parseLocaleFloat(*firmware);
    if (!version) {
        messages::error(dialogue_.messages(),
                        QStringLiteral("Invalid firmware version: ") + text::fromCp1252(*firmware));
        return std::nullopt;
    }
    probe_.SetFwVersionText(*firmware);
    const bool old = *version < FirstDescribingFirmware;
    if (old)
        storeOldFirmwareIdentity();
    return old;
}

void Identification::storeOldFirmwareIdentity()
{
    probe_.SetProbeType(427);
    probe_.SetTypeText("427");
    probe_.SetProductCode({});
    probe_.SetHwRevision(5.0);
    probe_.SetHwRevisionText("5.0");
}

bool Identification::storeType(const QByteArray &reply)
{
    const std::optional<int> probeType = probeTypeFromReply(reply);
    if (!probeType) {
        messages::error(dialogue_.messages(),
                        QStringLiteral("Invalid product name: ") + text::fromCp1252(reply));
        return false;
    }
    probe_.SetProbeType(*probeType);
    probe_.SetTypeText(reply);
    return true;
}

bool Identification::readProduct()
{
    const std::optional<QByteArray> product = dialogue_.run(CommandStep::Product);
    if (product)
        probe_.SetProductCode(*product);
    return product.has_value();
}

bool Identification::readRevision()
{
    const std::optional<QByteArray> reply = dialogue_.run(CommandStep::Revision);
    if (!reply)
        return false;
    const QByteArray revision = text::withLocaleSeparator(*reply);
    const QByteArray trimmed = text::trimmed(revision);
    const std::optional<double> number = text::parseLocaleFloat(trimmed);
    if (!number) {
        messages::error(dialogue_.messages(),
                        QStringLiteral("Invalid hardware revison: ") + text::fromCp1252(revision));
        return false;
    }
    probe_.SetHwRevision(*number);
    probe_.SetHwRevisionText(trimmed);
    return true;
}

bool Identification::readSerial()
{
    const std::optional<QByteArray> serial = dialogue_.run(CommandStep::Serial);
    if (serial)
        probe_.SetSerialNumber(*serial);
    return serial.has_value();
}

void Identification::offerManualSelection()
{
    if (messages::warningQuestion(dialogue_.messages(), ManualSelectionQuestion))
        host_.showManualSelection();
}

} // namespace olvex::probe
