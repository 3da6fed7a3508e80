#pragma once

#include <string>

namespace probesim {

// A pseudo-terminal that stands in for a serial port: the simulator uses the
// master side, the program opens the slave path. A slave descriptor of our
// own stays open so that the program can close and reopen its port without
// the master reading EIO in between.
class PtyDevice {
public:
    PtyDevice() = default;
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    // Opens a non-blocking master and its slave, sets the slave raw, and,
    // unless `linkPath` is empty, makes `linkPath` a symbolic link to the
    // slave (replacing a stale symbolic link, never another kind of file).
    // On failure returns false, describes the cause in *error (when not
    // null) and leaves nothing open.
    bool open(const std::string& linkPath, std::string* error);

    // Removes the link (if it still points at our slave), then closes our
    // slave and the master: a program that still holds the slave sees a
    // hang-up. Harmless when not open.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    // Path of the slave of the last successful open; kept after close().
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace probesim
