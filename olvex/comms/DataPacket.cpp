#include "comms/DataPacket.h"

#include "comms/ComPort.h"
#include "common/Timings.h"

namespace olvex::comms {

DataPacket::DataPacket(QObject *parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &DataPacket::onTimeout);
}

void DataPacket::attach(ComPort *port)
{
    disconnect(connection_);
    port_ = port;
    if (port)
        connection_ = connect(port, &ComPort::dataReceived, this, &DataPacket::consume);
}

void DataPacket::setEnabled(bool enabled)
{
    timer_.stop();
    if (enabled)
        matcher_.arm(settings_);
    else
        matcher_.disarm();
}

void DataPacket::consume(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0 && isEnabled()) {
        const qsizetype used = matcher_.feed(data, left);
        if (timeoutTicks_ > 0 && !timer_.isActive()
            && matcher_.state() == PacketMatcher::State::Collecting)
            timer_.start(timing::scaled(timing::MatcherTick * timeoutTicks_));
        data += used;
        left -= used;
        if (matcher_.hasPacket()) {
            timer_.stop();
            emit packet(matcher_.takePacket());
        }
    }
}

void DataPacket::onTimeout()
{
    if (!isEnabled())
        return;
    matcher_.disarm();
    emit timeout();
}

} // namespace olvex::comms
