// Reply matcher throughput: the stream is fed in 4096-byte reads, as a port
// delivers it, to a matcher re-armed after every acknowledgement, as the
// upload window does with its dataset lines.
#include "bench_stream.h"

#include "comms/PacketMatcher.h"

#include <chrono>
#include <cstdio>

namespace bench {

void runMatcherBenchmark(const std::string &stream)
{
    using olvex::comms::PacketMatcher;
    const olvex::comms::PacketSettings acknowledgement{"ER", "000", 0, true};
    PacketMatcher matcher;
    matcher.arm(acknowledgement);
    std::size_t packets = 0;
    const auto started = std::chrono::steady_clock::now();
    constexpr std::size_t ReadSize = 4096;
    for (std::size_t offset = 0; offset < stream.size(); offset += ReadSize) {
        const char *data = stream.data() + offset;
        qsizetype left = qsizetype(std::min(ReadSize, stream.size() - offset));
        while (left > 0) {
            const qsizetype used = matcher.feed(data, left);
            data += used;
            left -= used;
            if (matcher.hasPacket()) {
                matcher.takePacket();
                ++packets;
                matcher.arm(acknowledgement);
            }
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    printThroughput("reply matcher", stream.size(), elapsed.count());
    std::printf("  (%zu acknowledgements matched)\n", packets);
}

} // namespace bench
