#pragma once
// One line-status light: an 8 x 8 lamp with its caption beside it, drawn in
// the widget's font. Its accessible name carries the state ("DSR on").
#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace olvex::portui {

class StatusLight : public QWidget {
    Q_OBJECT
public:
    // `caption` is drawn and named ("DSR"); `meaning` becomes the accessible
    // description ("Data set ready").
    StatusLight(const QString &caption, const QString &meaning, const QColor &litColour,
                QWidget *parent = nullptr);

    bool isLit() const { return lit_; }
    // Lights or darkens the lamp for good, ending a flash that is under way.
    void setLit(bool lit);
    // Lights the lamp for `duration`; a flash during a flash starts it anew.
    void flash(std::chrono::milliseconds duration);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void display(bool lit);

    QString caption_;
    QColor litColour_;
    bool lit_ = false;
    QTimer flashEnd_;
};

} // namespace olvex::portui
