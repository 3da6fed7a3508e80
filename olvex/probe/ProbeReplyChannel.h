#pragma once
// The window-side half of a probe job's conversation: the reply matcher on the
// main port and the reply timer, whose events fill the shared ReplyState.
//
// Lives on the window thread, like the port it watches; the job reaches arm()
// and setTimerRunning() through synchronous calls into that thread.
#include "comms/DataPacket.h"
#include "probe/ReplyState.h"

#include <QObject>
#include <QTimer>

namespace olvex::comms {
class ComPort;
}

namespace olvex::probe {

class ProbeReplyChannel : public QObject {
    Q_OBJECT
public:
    // Attaches the matcher to `port`; both `port` and `state` must outlive the channel.
    ProbeReplyChannel(comms::ComPort &port, ReplyState &state, QObject *parent = nullptr);

    // Starts a new step: clears PacketArrived and ReplyTimedOut, sets the
    // matcher's start and end strings and include flag, and enables it.
    // Clearing here, on the thread that delivers replies, keeps a late reply
    // of the previous step from slipping in between clearing and arming.
    void arm(const QByteArray &start, const QByteArray &end, bool include);

    // true: starts the reply timer afresh (4000 ms, repeating until stopped);
    // false: stops it.
    void setTimerRunning(bool running);
    bool isTimerRunning() const { return Timer1.isActive(); }

    // The matcher delivered a reply: disables it, stores the text, raises PacketArrived.
    void ApdDataPacket1StringPacket(const QByteArray &data);
    // The reply timer expired: raises ReplyTimedOut and leaves the timer running.
    void Timer1Timer();

private:
    ReplyState &state_;
    comms::DataPacket ApdDataPacket1;
    QTimer Timer1;
};

} // namespace olvex::probe
