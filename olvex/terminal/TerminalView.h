#pragma once
// The terminal window on the port: draws the emulator's 132 x 132 page, of
// which 44 rows by 87 columns show at the preferred size, with both scroll
// bars; sends typed keys; captures received bytes into a file; copies the
// mouse selection.
//
// Received bytes are emulated at once, but the window repaints only what
// changed, at most once per repaint interval, so a continuous stream costs
// little. When new data arrives the view scrolls to keep the cursor in sight.
// Nothing typed is echoed locally.
#include "terminal/CaptureFile.h"
#include "terminal/VtSelection.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QTimer>

#include <chrono>

namespace olvex::terminal {

class VtEmulator;

class TerminalView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int VisibleRows = 44;
    static constexpr int VisibleColumns = 87;

    explicit TerminalView(QWidget *parent = nullptr);
    ~TerminalView() override;

    // Emulates bytes from the port and, while capturing, appends them to the
    // capture file. Ignored while the terminal is inactive.
    void receive(const QByteArray &bytes);

    // An inactive terminal is detached from the port: it shows nothing it
    // receives and sends nothing. Active at creation.
    void setActive(bool active);
    bool isActive() const { return active_; }

    // Starts capturing into `path` (created, or emptied when it exists) and
    // makes it the capture file name. On failure returns false with the
    // message in `*error`, and no capture runs.
    bool startCapture(const QString &path, QString *error);
    // Stops capturing (nothing to do when none runs). On failure returns false
    // with the message in `*error`.
    bool stopCapture(QString *error);
    bool isCapturing() const { return capture_.isOpen(); }
    // The file of the last capture start; "capture.log" before the first.
    QString captureFileName() const { return captureFileName_; }

    // Puts the text marked with the mouse on the clipboard; does nothing when
    // nothing is marked.
    void copySelection();
    // Blanks the page, homes the cursor and drops the selection.
    void clearScreen();

    // Font of the page: "Lucida Console" 11 pt where installed, otherwise the
    // system's fixed-pitch font at 11 pt.
    void setTerminalFont(const QFont &font);
    QFont terminalFont() const { return font_; }
    // Colours of text and background the host has not coloured; white on
    // black at creation.
    void setTextColor(const QColor &color);
    QColor textColor() const { return textColor_; }
    void setBackgroundColor(const QColor &color);
    QColor backgroundColor() const { return backgroundColor_; }

    // The page model. Feed received bytes through receive(), not through the
    // emulator, so that capture and the active flag apply.
    VtEmulator *emulator() const { return emulator_; }

    // The part of the page in view, in cells (x: column, y: row).
    QRect visibleCells() const;

    QSize sizeHint() const override;

signals:
    // Bytes for the port: typed keys and the emulator's replies; never
    // emitted while the terminal is inactive or disabled.
    void bytesTyped(const QByteArray &bytes);
    // Writing to the capture file failed; the capture has been stopped.
    void captureFailed(const QString &message);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void showChanges();
    void followCursor();
    void blinkCursor();
    void updateCell(int row, int column);
    void updateMetrics();
    void updateScrollBars();
    QRect cellsToPixels(const QRect &cells) const;
    VtPoint pointAt(const QPointF &position) const;
    void paintRow(QPainter &painter, int row, int firstColumn, int endColumn);

    VtEmulator *emulator_;
    CaptureFile capture_;
    QString captureFileName_;
    VtSelection selection_;
    bool active_ = true;

    QFont font_;
    QColor textColor_{Qt::white};
    QColor backgroundColor_{Qt::black};
    qreal cellWidth_ = 1;
    int cellHeight_ = 1;
    int ascent_ = 0;

    QTimer repaintTimer_;
    QTimer blinkTimer_;
    bool cursorOn_ = true;
    int paintedCursorRow_ = 0;
    int paintedCursorColumn_ = 0;
};

} // namespace olvex::terminal
