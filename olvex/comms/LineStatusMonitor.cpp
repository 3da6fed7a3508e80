#include "comms/LineStatusMonitor.h"

#include "common/Timings.h"

namespace olvex::comms {

LineStatusMonitor::LineStatusMonitor(ComPort &port, QObject *parent)
    : QObject(parent), port_(port)
{
    connect(&pollTimer_, &QTimer::timeout, this, &LineStatusMonitor::poll);
    connect(&port_, &ComPort::dataSent, this, [this] {
        if (monitoring_)
            emit sent();
    });
    connect(&port_, &ComPort::dataReceived, this, [this] {
        if (monitoring_)
            emit received();
    });
}

void LineStatusMonitor::setMonitoring(bool on)
{
    monitoring_ = on;
    if (on) {
        pollTimer_.start(timing::LineStatusPoll);
        poll();
    } else {
        pollTimer_.stop();
        last_ = {};
        emit linesChanged(last_);
    }
}

void LineStatusMonitor::poll()
{
    const LineStatus now = port_.lineStatus();
    if (now == last_)
        return;
    last_ = now;
    emit linesChanged(now);
}

} // namespace olvex::comms
