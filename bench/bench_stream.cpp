#include "bench_stream.h"

#include <cstdio>

namespace bench {

std::string makeMixedStream(std::size_t bytes)
{
    static const char *const pieces[] = {
        "  1023.45   12.301   35.112  8.12  101.3\r\n",
        "\r\nER 000\r\ncmd>",
        "\x1b[2J\x1b[H",
        "\x1b[12;40HDepth\x1b[K",
        "\x1b[1;33mWARNING\x1b[0m low battery\r\n",
        "\x1b[5A\x1b[3C\x1b[J",
        "Temp \xb0" "C  \xe9t\xe9  \x80 12\r\n",
        "FR 9.0\r\nSN 10234\r\n",
        "\x1b[?25l\x1b[?25h\x1b[7mrev\x1b[m\r\n",
    };
    std::string out;
    out.reserve(bytes);
    unsigned state = 12345;
    while (out.size() < bytes) {
        state = state * 1103515245u + 12345u;
        out += pieces[(state >> 16) % (sizeof pieces / sizeof *pieces)];
    }
    out.resize(bytes);
    return out;
}

void printThroughput(const char *name, std::size_t bytes, double seconds)
{
    std::printf("%s: %.1f MB/s (%zu bytes in %.1f ms)\n", name,
                double(bytes) / 1e6 / seconds, bytes, seconds * 1e3);
}

} // namespace bench
