#include "portui/StatusLights.h"

#include "common/Timings.h"
#include "portui/StatusLight.h"

#include <QFontDatabase>
#include <QHBoxLayout>

namespace olvex::portui {

namespace {

constexpr int PanelWidth = 232;
constexpr int CaptionPixelSize = 9;

const QColor LineLit(0, 224, 0);
const QColor TrafficLit(255, 64, 0);

StatusLight *newLight(const QString &objectName, const QString &caption, const QString &meaning,
                      const QColor &litColour, const QFont &font, QWidget *parent)
{
    auto *light = new StatusLight(caption, meaning, litColour, parent);
    light->setObjectName(objectName);
    light->setFont(font);
    return light;
}

} // namespace

StatusLights::StatusLights(QWidget *parent) : QWidget(parent)
{
    QFont captionFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    captionFont.setPixelSize(CaptionPixelSize);
    QFont boldCaptionFont = captionFont;
    boldCaptionFont.setBold(true);

    dsr_ = newLight(QStringLiteral("ApdStatusLightDSR"), QStringLiteral("DSR"), tr("Data set ready"),
                    LineLit, boldCaptionFont, this);
    tx_ = newLight(QStringLiteral("ApdStatusLightTX"), QStringLiteral("TX"), tr("Transmitting"),
                   TrafficLit, captionFont, this);
    rx_ = newLight(QStringLiteral("ApdStatusLightRX"), QStringLiteral("RX"), tr("Receiving"),
                   TrafficLit, captionFont, this);
    cts_ = newLight(QStringLiteral("ApdStatusLightCTS"), QStringLiteral("CTS"), tr("Clear to send"),
                    LineLit, captionFont, this);
    dcd_ = newLight(QStringLiteral("ApdStatusLightDCD"), QStringLiteral("DCD"), tr("Data carrier detect"),
                    LineLit, captionFont, this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    for (StatusLight *light : {dsr_, tx_, rx_, cts_, dcd_})
        layout->addWidget(light, 1);
    setFixedWidth(PanelWidth);
    setAccessibleName(tr("Line status"));
}

void StatusLights::attach(comms::LineStatusMonitor &monitor)
{
    if (monitor_)
        disconnect(monitor_, nullptr, this, nullptr);
    monitor_ = &monitor;
    connect(&monitor, &comms::LineStatusMonitor::linesChanged, this, &StatusLights::showLines);
    connect(&monitor, &comms::LineStatusMonitor::sent, this, [this] { tx_->flash(timing::TrafficFlash); });
    connect(&monitor, &comms::LineStatusMonitor::received, this, [this] { rx_->flash(timing::TrafficFlash); });
}

void StatusLights::showLines(const comms::LineStatus &status)
{
    dsr_->setLit(status.available && status.dsr);
    cts_->setLit(status.available && status.cts);
    dcd_->setLit(status.available && status.dcd);
    if (!monitor_->isMonitoring()) {
        tx_->setLit(false);
        rx_->setLit(false);
    }
}

} // namespace olvex::portui
