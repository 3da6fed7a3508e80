#include "terminal/TerminalView.h"

#include "common/Timings.h"

#include "terminal/VtEmulator.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace olvex::terminal {

namespace {

QFont defaultTerminalFont()
{
    const QString family = QStringLiteral("Lucida Console");
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family)
                                                  : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    return font;
}

// Keys the terminal takes before the window's shortcuts see them: the probe
// needs its control characters, and Tab and the cursor keys must not move
// the focus.
bool claimsShortcut(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return key >= Qt::Key_A && key <= Qt::Key_Z;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// What a run of cells looks like; cells that look alike are drawn together.
struct CellLook {
    QRgb foreground;
    QRgb background;
    quint8 fontAttributes;

    bool operator==(const CellLook &) const = default;
};

constexpr quint8 fontAttributeMask = Bold | Underline | Italic | Strike;

} // namespace

TerminalView::TerminalView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , emulator_(new VtEmulator(this))
    , captureFileName_(QStringLiteral("capture.log"))
    , font_(defaultTerminalFont())
{
    setAccessibleName(QStringLiteral("Terminal"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    updateMetrics();

    connect(emulator_, &VtEmulator::output, this, [this](const QByteArray &bytes) {
        if (active_ && isEnabled())
            emit bytesTyped(bytes);
    });
    connect(emulator_, &VtEmulator::bell, this, [] { QApplication::beep(); });

    repaintTimer_.setSingleShot(true);
    repaintTimer_.setInterval(timing::TerminalRepaint);
    connect(&repaintTimer_, &QTimer::timeout, this, &TerminalView::showChanges);
    blinkTimer_.setInterval(timing::CursorBlink);
    connect(&blinkTimer_, &QTimer::timeout, this, &TerminalView::blinkCursor);
    blinkTimer_.start();
}

TerminalView::~TerminalView() = default;

void TerminalView::receive(const QByteArray &bytes)
{
    if (!active_)
        return;
    emulator_->write(bytes.constData(), bytes.size());
    if (capture_.isOpen()) {
        if (const auto failure = capture_.write(bytes)) {
            // The write failure is what the user needs to hear about.
            static_cast<void>(capture_.stop());
            emit captureFailed(*failure);
        }
    }
    if (!repaintTimer_.isActive())
        repaintTimer_.start();
}

void TerminalView::setActive(bool active)
{
    active_ = active;
}

bool TerminalView::startCapture(const QString &path, QString *error)
{
    captureFileName_ = path;
    if (const auto failure = capture_.start(path)) {
        if (error)
            *error = *failure;
        return false;
    }
    return true;
}

bool TerminalView::stopCapture(QString *error)
{
    if (const auto failure = capture_.stop()) {
        if (error)
            *error = *failure;
        return false;
    }
    return true;
}

void TerminalView::copySelection()
{
    if (!selection_.isEmpty())
        QApplication::clipboard()->setText(selection_.text(*emulator_));
}

void TerminalView::clearScreen()
{
    emulator_->clear();
    selection_.clear();
    showChanges();
    viewport()->update();
}

void TerminalView::setTerminalFont(const QFont &font)
{
    font_ = font;
    updateMetrics();
}

void TerminalView::setTextColor(const QColor &color)
{
    textColor_ = color;
    viewport()->update();
}

void TerminalView::setBackgroundColor(const QColor &color)
{
    backgroundColor_ = color;
    viewport()->update();
}

QRect TerminalView::visibleCells() const
{
    const int rows = std::clamp(viewport()->height() / cellHeight_, 1, VtEmulator::Rows);
    const int columns = std::clamp(int(viewport()->width() / cellWidth_), 1, VtEmulator::Columns);
    return QRect(horizontalScrollBar()->value(), verticalScrollBar()->value(), columns, rows);
}

QSize TerminalView::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return QSize(int(std::ceil(VisibleColumns * cellWidth_)) + frame
                     + verticalScrollBar()->sizeHint().width(),
                 VisibleRows * cellHeight_ + frame + horizontalScrollBar()->sizeHint().height());
}

bool TerminalView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && active_
        && claimsShortcut(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TerminalView::keyPressEvent(QKeyEvent *event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && (event->modifiers() & Qt::ControlModifier)) {
        // Tab itself goes to the probe; Ctrl+Tab is the way out of the terminal.
        const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        QAbstractScrollArea::focusNextPrevChild(forward);
        return;
    }
    if (active_ && emulator_->sendKey(Qt::Key(event->key()), event->modifiers(), event->text())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool TerminalView::focusNextPrevChild(bool /*next*/)
{
    return false;
}

void TerminalView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    selection_.start(pointAt(event->position()));
    viewport()->update();
}

void TerminalView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    selection_.extendTo(pointAt(event->position()));
    viewport()->update();
}

void TerminalView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    // The scroll bars count cells, not pixels.
    viewport()->update();
}

void TerminalView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TerminalView::showChanges()
{
    const QRect damage = emulator_->takeDamage();
    followCursor();
    if (!damage.isEmpty())
        viewport()->update(cellsToPixels(damage));
    updateCell(paintedCursorRow_, paintedCursorColumn_);
    paintedCursorRow_ = emulator_->cursorRow();
    paintedCursorColumn_ = emulator_->cursorColumn();
    // A full blink phase after every change, so the cursor stays in sight while data flows.
    cursorOn_ = true;
    blinkTimer_.start();
    updateCell(paintedCursorRow_, paintedCursorColumn_);
}

void TerminalView::followCursor()
{
    const QRect view = visibleCells();
    const int row = emulator_->cursorRow();
    const int column = emulator_->cursorColumn();
    if (row < view.top())
        verticalScrollBar()->setValue(row);
    else if (row > view.bottom())
        verticalScrollBar()->setValue(row - view.height() + 1);
    if (column < view.left())
        horizontalScrollBar()->setValue(column);
    else if (column > view.right())
        horizontalScrollBar()->setValue(column - view.width() + 1);
}

void TerminalView::blinkCursor()
{
    cursorOn_ = !cursorOn_;
    updateCell(paintedCursorRow_, paintedCursorColumn_);
}

void TerminalView::updateCell(int row, int column)
{
    viewport()->update(cellsToPixels(QRect(column, row, 1, 1)));
}

void TerminalView::updateMetrics()
{
    const QFontMetricsF metrics(font_, viewport());
    cellWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(u'M'));
    cellHeight_ = std::max(1, int(std::ceil(metrics.height())));
    ascent_ = int(std::round(metrics.ascent()));
    updateScrollBars();
    updateGeometry();
    viewport()->update();
}

void TerminalView::updateScrollBars()
{
    const QRect view = visibleCells();
    verticalScrollBar()->setRange(0, VtEmulator::Rows - view.height());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setRange(0, VtEmulator::Columns - view.width());
    horizontalScrollBar()->setPageStep(view.width());
}

QRect TerminalView::cellsToPixels(const QRect &cells) const
{
    const int left = cells.left() - horizontalScrollBar()->value();
    const int top = cells.top() - verticalScrollBar()->value();
    const int x = int(std::floor(left * cellWidth_));
    const int right = int(std::ceil((left + cells.width()) * cellWidth_));
    return QRect(x, top * cellHeight_, right - x, cells.height() * cellHeight_);
}

VtPoint TerminalView::pointAt(const QPointF &position) const
{
    const int row = verticalScrollBar()->value() + int(std::floor(position.y() / cellHeight_));
    const int column = horizontalScrollBar()->value() + int(std::lround(position.x() / cellWidth_));
    return {std::clamp(row, 0, VtEmulator::Rows - 1), std::clamp(column, 0, VtEmulator::Columns)};
}

void TerminalView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, backgroundColor_);

    const int firstRow = verticalScrollBar()->value() + area.top() / cellHeight_;
    const int endRow = std::min(VtEmulator::Rows, verticalScrollBar()->value() + area.bottom() / cellHeight_ + 1);
    const int firstColumn = horizontalScrollBar()->value() + int(area.left() / cellWidth_);
    const int endColumn = std::min(VtEmulator::Columns,
                                   horizontalScrollBar()->value() + int(area.right() / cellWidth_) + 1);
    for (int row = firstRow; row < endRow; ++row)
        paintRow(painter, row, firstColumn, endColumn);
}

void TerminalView::paintRow(QPainter &painter, int row, int firstColumn, int endColumn)
{
    const bool cursorShown = cursorOn_ && emulator_->isCursorVisible() && row == paintedCursorRow_;
    const auto lookOf = [&](int column) {
        const VtCell &cell = emulator_->cell(row, column);
        QRgb foreground = cell.pen.foreground == DefaultColor ? textColor_.rgb() : (0xFF000000u | cell.pen.foreground);
        QRgb background = cell.pen.background == DefaultColor ? backgroundColor_.rgb()
                                                              : (0xFF000000u | cell.pen.background);
        const bool inverted = bool(cell.pen.attributes & Reverse) != selection_.contains(row, column)
                              != (cursorShown && column == paintedCursorColumn_);
        if (inverted)
            std::swap(foreground, background);
        return CellLook{foreground, background, quint8(cell.pen.attributes & fontAttributeMask)};
    };

    const int y = (row - verticalScrollBar()->value()) * cellHeight_;
    const int scrolledColumns = horizontalScrollBar()->value();
    for (int column = firstColumn; column < endColumn;) {
        const CellLook look = lookOf(column);
        QString text;
        int end = column;
        for (; end < endColumn && lookOf(end) == look; ++end) {
            const char16_t character = emulator_->cell(row, end).character;
            text.append(character ? QChar(character) : QChar(u' '));
        }

        const int left = int(std::round((column - scrolledColumns) * cellWidth_));
        const int right = int(std::round((end - scrolledColumns) * cellWidth_));
        if (look.background != backgroundColor_.rgb())
            painter.fillRect(QRect(left, y, right - left, cellHeight_), QColor::fromRgb(look.background));
        const bool lined = look.fontAttributes & (Underline | Strike);
        if (lined || !text.trimmed().isEmpty()) {
            QFont font = font_;
            font.setBold(font_.bold() || (look.fontAttributes & Bold));
            font.setItalic(font_.italic() || (look.fontAttributes & Italic));
            font.setUnderline(font_.underline() || (look.fontAttributes & Underline));
            font.setStrikeOut(font_.strikeOut() || (look.fontAttributes & Strike));
            painter.setFont(font);
            painter.setPen(QColor::fromRgb(look.foreground));
            painter.drawText(QPointF(left, y + ascent_), text);
        }
        column = end;
    }
}

} // namespace olvex::terminal
