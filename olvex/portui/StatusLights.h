#pragma once
// The five line-status lights of the toolbar: DSR, TX, RX, CTS and DCD.
// DSR, CTS and DCD follow the modem lines; TX and RX flash on traffic. The
// lights are StatusLight children named ApdStatusLightDSR, ...TX, ...RX,
// ...CTS and ...DCD.
#include "comms/LineStatusMonitor.h"

#include <QPointer>
#include <QWidget>

namespace olvex::portui {

class StatusLight;

class StatusLights : public QWidget {
    Q_OBJECT
public:
    explicit StatusLights(QWidget *parent = nullptr);

    // Follows `monitor` from now on, and only it. Every light is unlit until
    // the monitor reports otherwise, and whenever monitoring is off.
    void attach(comms::LineStatusMonitor &monitor);

private:
    void showLines(const comms::LineStatus &status);

    QPointer<comms::LineStatusMonitor> monitor_;
    StatusLight *dsr_ = nullptr;
    StatusLight *tx_ = nullptr;
    StatusLight *rx_ = nullptr;
    StatusLight *cts_ = nullptr;
    StatusLight *dcd_ = nullptr;
};

} // namespace olvex::portui
