// Throughput of the terminal emulator: the stream goes in as the port hands
// it over, in reads of 4096 bytes, and the view's damage record is taken after
// each read as the widget's repaint would.
#include "bench_stream.h"

#include "terminal/VtEmulator.h"

#include <algorithm>
#include <chrono>

namespace bench {

void runEmulatorBenchmark(const std::string &stream)
{
    constexpr std::size_t chunk = 4096;
    olvex::terminal::VtEmulator emulator;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t offset = 0; offset < stream.size(); offset += chunk) {
        const std::size_t n = std::min(chunk, stream.size() - offset);
        emulator.write(stream.data() + offset, qsizetype(n));
        emulator.takeDamage();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    printThroughput("terminal emulator", stream.size(), elapsed.count());
}

} // namespace bench
