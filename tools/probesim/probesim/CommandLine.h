#pragma once

#include "probesim/ProbeSimulator.h"

#include <optional>
#include <string>
#include <vector>

namespace probesim {

struct CommandLine {
    Config config;
    bool help = false;
};

// Reads the switches that follow the program name (see usageText()).
// Returns nothing and describes the first bad switch in *error (when not
// null) if the arguments cannot be used.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::string* error);

std::string usageText();

}  // namespace probesim
