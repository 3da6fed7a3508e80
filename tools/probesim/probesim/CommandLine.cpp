#include "probesim/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

namespace probesim {

namespace {

std::optional<long> parseNumber(std::string_view text)
{
    long value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::string commandName(std::string_view text)
{
    std::string name(text);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

// "A:B" -> {"A", "B"}; no colon -> {"A", nullopt}.
std::pair<std::string_view, std::optional<std::string_view>> splitAtColon(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return {text, std::nullopt};
    return {text.substr(0, colon), text.substr(colon + 1)};
}

// Applies one switch's value to the configuration; false if the value is bad.
using ValueSwitch = std::function<bool(std::string_view, Config&)>;

const std::map<std::string, ValueSwitch, std::less<>>& valueSwitches()
{
    static const std::map<std::string, ValueSwitch, std::less<>> switches = {
        {"--link", [](std::string_view v, Config& c) { c.linkPath = v; return !v.empty(); }},
        {"--firmware", [](std::string_view v, Config& c) { c.identity.firmware = v; return true; }},
        {"--type", [](std::string_view v, Config& c) { c.identity.type = v; return true; }},
        {"--revision", [](std::string_view v, Config& c) { c.identity.revision = v; return true; }},
        {"--product", [](std::string_view v, Config& c) { c.identity.product = v; return true; }},
        {"--serial", [](std::string_view v, Config& c) { c.identity.serial = v; return true; }},
        {"--silence",
         [](std::string_view v, Config& c) {
             const auto [command, times] = splitAtColon(v);
             int count = kAlways;
             if (times) {
                 const std::optional<long> n = parseNumber(*times);
                 if (!n || *n == 0)
                     return false;
                 count = static_cast<int>(*n);
             }
             if (command.empty())
                 return false;
             c.faults.silences[commandName(command)] = count;
             return true;
         }},
        {"--refuse",
         [](std::string_view v, Config& c) {
             const auto [command, code] = splitAtColon(v);
             if (command.empty() || !code || code->empty())
                 return false;
             c.faults.refusals[commandName(command)] = std::string(*code);
             return true;
         }},
        {"--delay",
         [](std::string_view v, Config& c) {
             const std::optional<long> ms = parseNumber(v);
             if (ms)
                 c.faults.shaping.delay = std::chrono::milliseconds(*ms);
             return ms.has_value();
         }},
        {"--split",
         [](std::string_view v, Config& c) {
             const auto [bytes, gap] = splitAtColon(v);
             const std::optional<long> size = parseNumber(bytes);
             const std::optional<long> ms = gap ? parseNumber(*gap) : std::nullopt;
             if (!size || *size == 0 || !ms)
                 return false;
             c.faults.shaping.pieceSize = static_cast<std::size_t>(*size);
             c.faults.shaping.pieceGap = std::chrono::milliseconds(*ms);
             return true;
         }},
        {"--drop-every",
         [](std::string_view v, Config& c) {
             const std::optional<long> n = parseNumber(v);
             if (n)
                 c.faults.shaping.dropEvery = static_cast<std::size_t>(*n);
             return n.has_value();
         }},
    };
    return switches;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::string* error)
{
    const auto fail = [error](std::string message) -> std::optional<CommandLine> {
        if (error)
            *error = std::move(message);
        return std::nullopt;
    };
    CommandLine result;
    // An interactive session may run for hours: keep only the command list.
    result.config.recordTraffic = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.help = true;
            continue;
        }
        if (arg == "--no-pi") {
            result.config.identity.answersPi = false;
            continue;
        }
        if (arg == "--silent") {
            result.config.faults.silent = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const auto handler = valueSwitches().find(name);
        if (handler == valueSwitches().end())
            return fail("unknown switch " + std::string(arg));
        std::string_view value;
        if (equals != std::string_view::npos)
            value = arg.substr(equals + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return fail(std::string(name) + " needs a value");
        if (!handler->second(value, result.config))
            return fail("bad value for " + std::string(name) + ": " + std::string(value));
    }
    return result;
}

std::string usageText()
{
    return "Usage: probesim [switches]\n"
           "Simulated water-quality probe on a pseudo-terminal.\n"
           "Prints the device path, then answers until interrupted.\n"
           "\n"
           "  --link PATH        also reach the device through the symbolic link PATH\n"
           "  --firmware TEXT    text after \"FR\" in the FR reply (default \" 9.0\")\n"
           "  --type TEXT        text after \"LUMEN KAROS:\" (default \" 427Qx\")\n"
           "  --revision TEXT    text after \"Revision:\" (default \" 8.0\")\n"
           "  --product TEXT     text after \"Product code:\" (default \" 427Qx\")\n"
           "  --serial TEXT      text after \"SN \" (default \"10234\")\n"
           "  --no-pi            do not answer PI\n"
           "  --silent           answer nothing at all\n"
           "  --silence CMD[:N]  ignore CMD the next N times (always without N);\n"
           "                     CMD is FR, PI, SN, SO, VT, TS, ... or STATUS for 0x14\n"
           "  --refuse CMD:CODE  answer CMD with \"ER CODE\", e.g. --refuse TS:003\n"
           "  --delay MS         wait MS milliseconds before every reply\n"
           "  --split N:MS       send replies in pieces of N bytes, MS milliseconds apart\n"
           "  --drop-every N     lose every Nth byte of each reply\n"
           "  --help             show this text\n"
           "\n"
           "--silence and --refuse may be given more than once.\n";
}

}  // namespace probesim
