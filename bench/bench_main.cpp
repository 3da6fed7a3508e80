#include "bench_stream.h"

#include <string>

namespace bench {
void runMatcherBenchmark(const std::string &stream);
void runEmulatorBenchmark(const std::string &stream);
} // namespace bench

int main()
{
    const std::string stream = bench::makeMixedStream(10 * 1000 * 1000);
    bench::runMatcherBenchmark(stream);
    bench::runEmulatorBenchmark(stream);
    return 0;
}
