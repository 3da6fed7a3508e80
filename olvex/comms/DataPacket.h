#pragma once
// A reply matcher watching a port: the event-driven face of PacketMatcher.
//
// Set the strings (or a size), then setEnabled(true) to arm it. It raises
// packet() when a reply completes and then disables itself; the handler may
// re-arm it at once and the rest of the same input goes to the new match.
// Its own time-out, in ticks of 55 ms, runs from the start of a match (the
// start string seen, or the first byte when there is no start string); when it
// expires the matcher drops what it had collected, disables itself and raises
// timeout(). Several matchers may watch one port.
#include "comms/ComPort.h"
#include "comms/PacketMatcher.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace olvex::comms {

class ComPort;

class DataPacket : public QObject {
    Q_OBJECT
public:
    explicit DataPacket(QObject *parent = nullptr);

    // Starts watching `port` (nullptr: none).
    void attach(ComPort *port);
    ComPort *port() const { return port_; }

    void setStartString(const QByteArray &start) { settings_.startString = start; }
    void setEndString(const QByteArray &end) { settings_.endString = end; }
    void setPacketSize(int size) { settings_.packetSize = size; }
    void setIncludeStrings(bool include) { settings_.includeStrings = include; }
    // Completion limit in ticks from the start of a match; 0: none.
    void setTimeoutTicks(int ticks) { timeoutTicks_ = ticks; }
    const PacketSettings &settings() const { return settings_; }

    // true: arms with the current settings (starting afresh); false: disarms.
    void setEnabled(bool enabled);
    bool isEnabled() const { return matcher_.state() != PacketMatcher::State::Idle; }

    // Feeds bytes as if they came from the port (the port's handler calls it).
    void consume(const QByteArray &bytes);

signals:
    void packet(const QByteArray &data);
    void timeout();

private:
    void onTimeout();

    QPointer<ComPort> port_;
    QMetaObject::Connection connection_;
    PacketSettings settings_;
    PacketMatcher matcher_;
    int timeoutTicks_ = 0;
    QTimer timer_;
};

} // namespace olvex::comms
