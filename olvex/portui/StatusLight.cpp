#include "portui/StatusLight.h"

#include <QPainter>

namespace olvex::portui {

namespace {
constexpr int LampSize = 8;
constexpr int CaptionGap = 3;
} // namespace

StatusLight::StatusLight(const QString &caption, const QString &meaning, const QColor &litColour,
                         QWidget *parent)
    : QWidget(parent), caption_(caption), litColour_(litColour)
{
    setAccessibleDescription(meaning);
    flashEnd_.setSingleShot(true);
    connect(&flashEnd_, &QTimer::timeout, this, [this] { display(false); });
    display(false);
}

void StatusLight::setLit(bool lit)
{
    flashEnd_.stop();
    display(lit);
}

void StatusLight::flash(std::chrono::milliseconds duration)
{
    display(true);
    flashEnd_.start(duration);
}

void StatusLight::display(bool lit)
{
    const bool changed = lit != lit_;
    lit_ = lit;
    setAccessibleName((lit ? tr("%1 on") : tr("%1 off")).arg(caption_));
    if (changed)
        update();
}

QSize StatusLight::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {LampSize + CaptionGap + metrics.horizontalAdvance(caption_) + 2,
            std::max(LampSize, metrics.height())};
}

void StatusLight::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect lamp(0, (height() - LampSize) / 2, LampSize, LampSize);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.setBrush(lit_ ? litColour_ : litColour_.darker(400));
    painter.drawRect(lamp.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect text(lamp.right() + 1 + CaptionGap, 0, width() - lamp.width() - CaptionGap, height());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

} // namespace olvex::portui
