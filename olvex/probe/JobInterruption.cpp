#include "probe/JobInterruption.h"

namespace olvex::probe {

void StopRequest::raise()
{
    {
        std::lock_guard lock(mutex_);
        isRaised_ = true;
    }
    raised_.notify_all();
}

bool StopRequest::isRaised() const
{
    std::lock_guard lock(mutex_);
    return isRaised_;
}

bool StopRequest::waitFor(timing::Millis duration)
{
    std::unique_lock lock(mutex_);
    return !raised_.wait_for(lock, duration, [this] { return isRaised_; });
}

} // namespace olvex::probe
