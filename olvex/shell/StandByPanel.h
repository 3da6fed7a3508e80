#pragma once
// The status bar's third panel: a text drawn in the stand-by colour, 2 pixels
// right of and below the panel's corner, over the bar's own background.
#include <QColor>
#include <QWidget>

namespace olvex::shell {

class StandByPanel : public QWidget {
    Q_OBJECT
public:
    explicit StandByPanel(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return text_; }
    void setColor(const QColor &color);
    QColor color() const { return color_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
    QColor color_ = Qt::black;
};

} // namespace olvex::shell
