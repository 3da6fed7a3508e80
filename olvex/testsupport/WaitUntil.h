#pragma once
// Lets the event loop run until a condition holds, for tests on live ports.
#include <QDeadlineTimer>
#include <QTest>

#include <functional>

namespace olvex::testsupport {

// True as soon as `condition` holds; false when it still fails after
// `timeoutMs`. Events are processed meanwhile.
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace olvex::testsupport
