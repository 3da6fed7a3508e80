#pragma once
// The command line of olvex: "--admin", "-b" baud rate, "-p" port number and
// "--device" path.
#include "common/Messages.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace olvex::shell {

struct CommandLineOptions {
    bool admin = false;
    std::optional<int> baudRate;
    std::optional<int> portNumber;
    std::optional<QString> devicePath;
};

// The baud rates "-b" accepts.
bool isAcceptedBaudRate(int baud);

// Reads `arguments` (argument 0 is the program path). An unaccepted "-b"
// value shows "Not a valid baud rate" and is then examined as an option
// itself; a missing or non-numeric number (or a missing path) shows the
// conversion error and abandons the rest of the line, keeping what was read.
CommandLineOptions parseCommandLine(const QStringList &arguments, MessageSink &messages);

} // namespace olvex::shell
