#include "probe/ProbeReplyChannel.h"

#include "common/Timings.h"

namespace olvex::probe {

ProbeReplyChannel::ProbeReplyChannel(comms::ComPort &port, ReplyState &state, QObject *parent)
    : QObject(parent), state_(state)
{
    ApdDataPacket1.attach(&port);
    connect(&ApdDataPacket1, &comms::DataPacket::packet, this,
            &ProbeReplyChannel::ApdDataPacket1StringPacket);
    // A coarse timer may fire a little early; the probe is promised its full time.
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &ProbeReplyChannel::Timer1Timer);
}

void ProbeReplyChannel::arm(const QByteArray &start, const QByteArray &end, bool include)
{
    state_.clear();
    ApdDataPacket1.setStartString(start);
    ApdDataPacket1.setEndString(end);
    ApdDataPacket1.setIncludeStrings(include);
    ApdDataPacket1.setEnabled(true);
}

void ProbeReplyChannel::setTimerRunning(bool running)
{
    if (running)
        Timer1.start(timing::scaled(timing::ReplyTimeout));
    else
        Timer1.stop();
}

void ProbeReplyChannel::ApdDataPacket1StringPacket(const QByteArray &data)
{
    ApdDataPacket1.setEnabled(false);
    state_.storePacket(data);
}

void ProbeReplyChannel::Timer1Timer()
{
    state_.setTimedOut();
}

} // namespace olvex::probe
