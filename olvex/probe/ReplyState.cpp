#include "probe/ReplyState.h"

namespace olvex::probe {

void ReplyState::clear()
{
    packetArrived_.store(false, std::memory_order_release);
    replyTimedOut_.store(false, std::memory_order_release);
}

void ReplyState::storePacket(const QByteArray &text)
{
    {
        std::lock_guard lock(textMutex_);
        replyText_ = text;
    }
    packetArrived_.store(true, std::memory_order_release);
}

void ReplyState::setTimedOut()
{
    replyTimedOut_.store(true, std::memory_order_release);
}

QByteArray ReplyState::ReplyText() const
{
    std::lock_guard lock(textMutex_);
    return replyText_;
}

} // namespace olvex::probe
