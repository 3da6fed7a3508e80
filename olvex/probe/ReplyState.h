#pragma once
// The reply of the step a probe job is waiting for, shared between the window
// thread (which writes it from the matcher and timer events) and the job's
// thread (which polls it).
//
// Only the window thread writes; the job reads. A delivered text is stored
// before PacketArrived is raised, so a job that sees the flag also sees the
// text.
#include <QByteArray>

#include <atomic>
#include <mutex>

namespace olvex::probe {

class ReplyState {
public:
    // Window thread: forgets the previous step's outcome (ReplyText is kept).
    void clear();
    // Window thread: the matcher delivered `text`.
    void storePacket(const QByteArray &text);
    // Window thread: the reply timer expired.
    void setTimedOut();

    bool PacketArrived() const { return packetArrived_.load(std::memory_order_acquire); }
    bool ReplyTimedOut() const { return replyTimedOut_.load(std::memory_order_acquire); }
    // The last text the matcher delivered.
    QByteArray ReplyText() const;

private:
    std::atomic<bool> packetArrived_{false};
    std::atomic<bool> replyTimedOut_{false};
    mutable std::mutex textMutex_;
    QByteArray replyText_;
};

} // namespace olvex::probe
