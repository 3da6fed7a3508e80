// Simulated probe for trying the terminal without hardware:
//   probesim --link /tmp/olvex-probe   then   olvex --device /tmp/olvex-probe

#include "probesim/CommandLine.h"
#include "probesim/ProbeSimulator.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<probesim::CommandLine> commandLine =
        probesim::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!commandLine) {
        std::cerr << "probesim: " << error << "\n\n" << probesim::usageText();
        return 2;
    }
    if (commandLine->help) {
        std::cout << probesim::usageText();
        return 0;
    }

    // Blocked before the service thread exists, so that only sigwait() below
    // ever sees them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    probesim::ProbeSimulator simulator(commandLine->config);
    if (!simulator.start(&error)) {
        std::cerr << "probesim: " << error << "\n";
        return 1;
    }
    const std::string link = simulator.linkPath();
    std::cout << "Probe simulator on " << simulator.devicePath();
    if (!link.empty())
        std::cout << " (link " << link << ")";
    std::cout << "\nUse: olvex --device " << (link.empty() ? simulator.devicePath() : link)
              << std::endl;

    int signal = 0;
    sigwait(&endSignals, &signal);
    simulator.stop();
    return 0;
}
