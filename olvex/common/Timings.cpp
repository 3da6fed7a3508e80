#include "common/Timings.h"

#include <atomic>
#include <cmath>

namespace olvex::timing {

namespace {
std::atomic<double> testScale{1.0};
}

Millis scaled(Millis value)
{
    const double factor = testScale.load(std::memory_order_relaxed);
    if (factor == 1.0)
        return value;
    return Millis(std::llround(double(value.count()) * factor));
}

void setTestScale(double factor)
{
    testScale.store(factor > 0 && factor <= 1 ? factor : 1.0, std::memory_order_relaxed);
}

} // namespace olvex::timing
