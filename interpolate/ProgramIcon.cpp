#include "ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(QColor(0xfa, 0xfa, 0xf5));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);

    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.2));
    p.drawLine(QPointF(6, 5), QPointF(6, 26));
    p.drawLine(QPointF(6, 26), QPointF(27, 26));

    p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 24), QPointF(27, 7));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x50, 0xb0));
    for (const QPointF c : {QPointF(10, 19.5), QPointF(14, 19), QPointF(17.5, 13.5),
                            QPointF(21, 13), QPointF(24.5, 7.5)})
        p.drawEllipse(c, 1.8, 1.8);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}
