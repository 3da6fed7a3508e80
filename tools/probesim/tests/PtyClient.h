#pragma once

#include <chrono>
#include <string>
#include <string_view>

// The program's side of the line: opens the slave like a serial port, writes
// one byte every 5 ms, and reads with time-outs.
class PtyClient {
public:
    static constexpr std::chrono::milliseconds kByteGap{5};
    // Long enough for a loaded machine; only a failing test waits this long.
    static constexpr std::chrono::milliseconds kPatience{3000};

    PtyClient() = default;
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    // Opens `path` non-blocking and raw; false if it cannot be opened.
    bool open(const std::string& path);
    void close();

    // Writes the bytes one at a time, kByteGap apart; false if a write fails.
    bool send(std::string_view bytes);

    // Reads until `count` bytes have arrived or `timeout` has passed, and
    // returns what arrived.
    std::string read(std::size_t count, std::chrono::milliseconds timeout = kPatience);

    // Waits up to `timeout` for the line to end: a hang-up, an error, or end
    // of file. False if the line is still alive.
    bool waitForHangUp(std::chrono::milliseconds timeout = kPatience);

private:
    int fd_ = -1;
};
