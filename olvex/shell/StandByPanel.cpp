#include "shell/StandByPanel.h"

#include <QPainter>

namespace olvex::shell {

StandByPanel::StandByPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StatusPanelProbe"));
    setMinimumWidth(50);
    setAccessibleName(QStringLiteral("Probe status"));
}

void StandByPanel::setText(const QString &text)
{
    text_ = text;
    setAccessibleDescription(text);
    updateGeometry();
    update();
}

void StandByPanel::setColor(const QColor &color)
{
    color_ = color;
    update();
}

QSize StandByPanel::sizeHint() const
{
    return {std::max(50, fontMetrics().horizontalAdvance(text_) + 8), fontMetrics().height() + 4};
}

void StandByPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(color_);
    painter.drawText(QPoint(2, 2 + fontMetrics().ascent()), text_);
}

} // namespace olvex::shell
