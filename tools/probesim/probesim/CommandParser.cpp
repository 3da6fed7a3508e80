#include "probesim/CommandParser.h"

#include <utility>

namespace probesim {

namespace {

bool isCapital(char c)
{
    return c >= 'A' && c <= 'Z';
}

}  // namespace

std::optional<Command> CommandParser::feed(unsigned char byte, const CommandTable& table)
{
    if (byte == kStatusByte)
        return Command{std::string(kStatusCommand), std::string(1, static_cast<char>(byte))};
    if (byte == '\n' || byte == '\r')
        return endLine();
    if (line_.size() < kMaxLineLength)
        line_.push_back(static_cast<char>(byte));
    if (table.isBareWord(line_)) {
        Command word{line_, line_};
        line_.clear();
        return word;
    }
    return std::nullopt;
}

std::optional<Command> CommandParser::endLine()
{
    std::string line = std::exchange(line_, {});
    if (line.size() < 2 || !isCapital(line[0]) || !isCapital(line[1]))
        return std::nullopt;
    return Command{line.substr(0, 2), std::move(line)};
}

}  // namespace probesim
