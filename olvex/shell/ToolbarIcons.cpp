#include "shell/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace olvex::shell {

namespace {

constexpr int IconSize = 16;

QPixmap blank()
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawPlug(QPainter &p, const QColor &lamp)
{
    p.setPen(QPen(Qt::darkGray, 1.5));
    p.setBrush(Qt::lightGray);
    p.drawRect(QRectF(2, 5, 8, 6));
    p.drawLine(QPointF(10, 6.5), QPointF(14, 6.5));
    p.drawLine(QPointF(10, 9.5), QPointF(14, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawEllipse(QPointF(6, 8), 2, 2);
}

void drawDisk(QPainter &p, bool recording)
{
    p.setPen(QPen(Qt::darkBlue, 1));
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 2.5, 6, 4));
    if (recording) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(11.5, 11.5), 3.5, 3.5);
    }
}

void drawArrow(QPainter &p, const QColor &color, bool up)
{
    QPainterPath arrow;
    if (up) {
        arrow.moveTo(8, 1); arrow.lineTo(14, 8); arrow.lineTo(10, 8);
        arrow.lineTo(10, 15); arrow.lineTo(6, 15); arrow.lineTo(6, 8); arrow.lineTo(2, 8);
    } else {
        arrow.moveTo(8, 15); arrow.lineTo(14, 8); arrow.lineTo(10, 8);
        arrow.lineTo(10, 1); arrow.lineTo(6, 1); arrow.lineTo(6, 8); arrow.lineTo(2, 8);
    }
    arrow.closeSubpath();
    p.setPen(QPen(color.darker(), 1));
    p.setBrush(color);
    p.drawPath(arrow);
}

void drawClock(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
    p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
}

void drawGear(QPainter &p)
{
    p.setPen(QPen(Qt::darkGray, 2.5));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(0, -7), QPointF(0, 7));
        p.restore();
    }
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(Qt::lightGray);
    p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
}

void drawProbe(QPainter &p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(240, 200, 40));
    p.drawRoundedRect(QRectF(5, 3, 6, 11), 2, 2);
    p.drawLine(QPointF(8, 0), QPointF(8, 3));
}

} // namespace

QIcon toolbarIcon(int slot)
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (slot) {
    case 0: // identify: a magnifier over a probe
        drawProbe(p);
        p.setPen(QPen(Qt::darkBlue, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 6), 4, 4);
        p.drawLine(QPointF(9, 9), QPointF(14, 14));
        break;
    case 1: drawArrow(p, QColor(40, 160, 60), true); break;
    case 2: drawPlug(p, Qt::red); break;
    case 3: drawPlug(p, QColor(0, 200, 0)); break;
    case 4: drawArrow(p, QColor(60, 120, 220), false); break;
    case 5: drawDisk(p, false); break;
    case 6: drawDisk(p, true); break;
    case 7:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        p.drawRect(QRectF(3, 3, 10, 10));
        break;
    case 8: drawClock(p); break;
    case 9: drawGear(p); break;
    case 10: drawArrow(p, QColor(220, 140, 30), false); break;
    case 11:
        p.setPen(QPen(Qt::darkGreen, 1.5));
        p.setBrush(Qt::NoBrush);
        for (int r = 3; r <= 9; r += 3)
            p.drawArc(QRectF(8 - r, 12 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        p.drawLine(QPointF(8, 12), QPointF(8, 15));
        break;
    default: break;
    }
    return QIcon(pixmap);
}

QIcon windowIcon()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawProbe(p);
    return QIcon(pixmap);
}

} // namespace olvex::shell
