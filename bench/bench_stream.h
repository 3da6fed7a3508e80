#pragma once
// Synthetic serial traffic shared by the throughput benchmarks: probe-like
// text lines mixed with the VT100 sequences a terminal session carries.
#include <cstddef>
#include <string>

namespace bench {

// Returns exactly `bytes` bytes of mixed text, CR LF line ends, acknowledgements
// ("ER 000"), prompts ("cmd>"), cursor moves, erases, colour changes and a few
// Windows-1252 bytes above 0x7F. Deterministic for a given size.
std::string makeMixedStream(std::size_t bytes);

// Prints one result line: "<name>: <MB/s> MB/s (<bytes> bytes in <ms> ms)".
void printThroughput(const char *name, std::size_t bytes, double seconds);

} // namespace bench
