#pragma once

#include "probesim/CommandTable.h"

#include <cstddef>
#include <optional>
#include <string>

namespace probesim {

// Splits the byte stream from the program into commands, one byte at a time.
//
// - The status byte 0x14 is a command by itself ("STATUS") wherever it
//   arrives; a partly received line is kept.
// - LF or CR ends a line, so "FR\n", "FR\r\n" and a terminal user's "FR\r"
//   all give one "FR" (the LF after a CR ends an empty line, which is
//   ignored). A line is a command when it starts with two capital letters;
//   its name is those two letters. Other lines are ignored.
// - A line that equals one of the table's bare words is that command as soon
//   as its last letter arrives, without waiting for a line end.
class CommandParser {
public:
    static constexpr unsigned char kStatusByte = 0x14;
    // Longer lines are cut: they are noise, not commands.
    static constexpr std::size_t kMaxLineLength = 4096;

    // Returns the command that `byte` completes, if any.
    std::optional<Command> feed(unsigned char byte, const CommandTable& table);

private:
    std::optional<Command> endLine();

    std::string line_;
};

}  // namespace probesim
