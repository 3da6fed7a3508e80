#pragma once
// Watches a port's modem lines and traffic for the five status lights.
#include "comms/ComPort.h"

#include <QObject>
#include <QTimer>

namespace olvex::comms {

class LineStatusMonitor : public QObject {
    Q_OBJECT
public:
    explicit LineStatusMonitor(ComPort &port, QObject *parent = nullptr);

    // Monitoring on: reads DSR, CTS and DCD periodically and reports traffic.
    // Off: reports every line unlit once and stays quiet.
    void setMonitoring(bool on);
    bool isMonitoring() const { return monitoring_; }

signals:
    void linesChanged(const olvex::comms::LineStatus &status);
    void sent();
    void received();

private:
    void poll();

    ComPort &port_;
    QTimer pollTimer_;
    LineStatus last_;
    bool monitoring_ = false;
};

} // namespace olvex::comms
