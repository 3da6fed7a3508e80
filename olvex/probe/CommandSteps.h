#pragma once
// The command steps of the probe jobs: what each writes and which reply it
// waits for.
#include <QByteArray>

#include <array>
#include <string_view>

namespace olvex::probe {

enum class CommandStep {
    Status,       // the status request byte
    Service,      // "SERV": enter service mode
    UpgradeEntry, // "FWUP": up to the password prompt
    Prompt,       // "VT": wait for the command prompt
    Stop,         // "SO": stop a running cast
    Command,      // the record's Command text
    PreCommand,   // the record's PreCommand text
    Firmware,     // "FR": firmware version
    Type,         // "PI": probe type
    Revision,     // "PI": hardware revision
    Product,      // "PI": product code
    Serial,       // "SN": serial number
};

// What goes on the line before the step's own bytes, on every attempt.
enum class StepPreamble {
    None,
    LoneLineFeed,           // "\n" at once, then a short pause
    ClearPreCommandPending, // the record's flag is cleared before sending
};

// Where the step's bytes come from.
enum class StepBytes { Fixed, CommandText, PreCommandText };

// How the delivered text is turned into the step's result.
enum class ReplyCleaning {
    None,
    FirmwareVersion, // every "_" removed, then the first "." to the locale separator
};

struct StepDefinition {
    CommandStep step;
    StepPreamble preamble;
    StepBytes source;
    std::string_view bytes; // when source is Fixed
    std::string_view start; // reply matcher strings
    std::string_view end;
    bool include;           // start and end strings delivered with the text
    ReplyCleaning cleaning;
};

inline constexpr std::array<StepDefinition, 12> CommandSteps{{
    // step                      preamble                              source                      bytes     start            end      incl.  cleaning
    {CommandStep::Status,       StepPreamble::None,                   StepBytes::Fixed,          "\x14",   "ER",            "000",   true,  ReplyCleaning::None},
    {CommandStep::Service,      StepPreamble::LoneLineFeed,           StepBytes::Fixed,          "SERV",   "FWUP",          "cmd>",  true,  ReplyCleaning::None},
    {CommandStep::UpgradeEntry, StepPreamble::None,                   StepBytes::Fixed,          "FWUP",   "PassWord",      "<<",    true,  ReplyCleaning::None},
    {CommandStep::Prompt,       StepPreamble::None,                   StepBytes::Fixed,          "VT\n",   "cm",            "d>",    true,  ReplyCleaning::None},
    {CommandStep::Stop,         StepPreamble::None,                   StepBytes::Fixed,          "SO\n",   "ER",            "000",   true,  ReplyCleaning::None},
    {CommandStep::Command,      StepPreamble::None,                   StepBytes::CommandText,    {},       "ER",            "000",   true,  ReplyCleaning::None},
    {CommandStep::PreCommand,   StepPreamble::ClearPreCommandPending, StepBytes::PreCommandText, {},       "ER",            "000",   true,  ReplyCleaning::None},
    {CommandStep::Firmware,     StepPreamble::None,                   StepBytes::Fixed,          "FR\n",   "FR",            "\r\n",  false, ReplyCleaning::FirmwareVersion},
    {CommandStep::Type,         StepPreamble::None,                   StepBytes::Fixed,          "PI\n",   "LUMEN KAROS:",  "\r",    false, ReplyCleaning::None},
    {CommandStep::Revision,     StepPreamble::None,                   StepBytes::Fixed,          "PI\n",   "Revision:",     "\r",    false, ReplyCleaning::None},
    {CommandStep::Product,      StepPreamble::None,                   StepBytes::Fixed,          "PI\n",   "Product code:", "\r",    false, ReplyCleaning::None},
    {CommandStep::Serial,       StepPreamble::None,                   StepBytes::Fixed,          "SN\n",   "SN ",           "\r\n",  false, ReplyCleaning::None},
}};

const StepDefinition &stepDefinition(CommandStep step);

// The delivered text turned into the step's result.
QByteArray cleanReply(ReplyCleaning cleaning, QByteArray reply);

} // namespace olvex::probe
