#pragma once
// The two ways a probe job ends before its steps are done: the port went away
// under it, or the program asked it to stop (at shutdown).
#include "common/Timings.h"

#include <condition_variable>
#include <mutex>

namespace olvex::probe {

// Thrown on the job's thread from deep inside a step; the job catches it at
// its top and ends there.
struct JobInterrupted {
    enum class Cause { PortLost, StopRequested };
    Cause cause;
};

// Raised once from any thread; every wait of the job watches it.
class StopRequest {
public:
    void raise();
    bool isRaised() const;
    // Waits `duration`, or less when the request is raised meanwhile.
    // Returns false when it has been raised.
    bool waitFor(timing::Millis duration);

private:
    mutable std::mutex mutex_;
    std::condition_variable raised_;
    bool isRaised_ = false;
};

} // namespace olvex::probe
