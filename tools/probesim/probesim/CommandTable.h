#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace probesim {

// A command as recognised in the byte stream from the program.
struct Command {
    // "STATUS" for the status byte, the two capital letters that start a
    // line ("FR", "TS", ...), or a bare word ("SERV").
    std::string name;
    // The received bytes that make up the command, line end excluded.
    std::string text;
};

// Produces the reply to a command, or nothing when the probe stays silent.
// Runs on the simulator's service thread, outside its lock, so it may call
// the simulator's public methods.
using Handler = std::function<std::optional<std::string>(const Command&)>;

// Name of the command made of the single status byte.
inline constexpr std::string_view kStatusCommand = "STATUS";

// Maps command names to their handlers. Line commands without an entry of
// their own get the fallback handler, so that every composed command the
// program sends is answered. Not thread-safe; the simulator guards it.
class CommandTable {
public:
    explicit CommandTable(Handler fallback);

    // Sets or replaces the handler of a line command or of "STATUS".
    void set(const std::string& name, Handler handler);

    // Sets or replaces the handler of a word that arrives without a line end
    // and is complete as soon as its last letter arrives.
    void setBareWord(const std::string& word, Handler handler);

    // The handler registered for `name`, else the fallback. Never empty
    // unless an empty handler was registered.
    const Handler& handlerFor(const std::string& name) const;

    bool isBareWord(std::string_view text) const;

private:
    Handler fallback_;
    std::map<std::string, Handler, std::less<>> handlers_;
    std::set<std::string, std::less<>> bareWords_;
};

}  // namespace probesim
