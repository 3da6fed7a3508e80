#pragma once
// Runs work on the thread that owns a QObject and waits for it to finish.
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <utility>

namespace olvex {

// Calls `work` on `owner`'s thread and returns its result once it has run.
// Called on that thread already, it simply calls `work`.
template <typename Work>
auto runOnThreadOf(QObject *owner, Work &&work)
{
    if (QThread::currentThread() == owner->thread())
        return work();
    using Result = decltype(work());
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(owner, std::forward<Work>(work), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(owner, [&] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

} // namespace olvex
