#include "terminal/TerminalView.h"
#include "testsupport/TestFiles.h"

#include "terminal/VtEmulator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

namespace olvex::terminal {
namespace {

QByteArray typedBytes(const QSignalSpy &spy)
{
    QByteArray all;
    for (const QList<QVariant> &emission : spy)
        all += emission.at(0).toByteArray();
    return all;
}

// A terminal in a window of its own, next to a line edit that could take the focus.
class TerminalViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(view);
        layout->addWidget(edit);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        view->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return view->hasFocus(); }));
    }

    QWidget window;
    TerminalView *view = new TerminalView;
    QLineEdit *edit = new QLineEdit;
    QSignalSpy typed{view, &TerminalView::bytesTyped};
};

TEST_F(TerminalViewTest, TypedKeysLeaveWithoutEcho)
{
    QTest::keyClick(view, Qt::Key_A);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(typedBytes(typed), "a\r\x03");
    EXPECT_TRUE(view->emulator()->rowText(0).isEmpty());
}

TEST_F(TerminalViewTest, RepliesToTheHostLeaveLikeKeys)
{
    view->receive("\x1b[c");
    EXPECT_EQ(typedBytes(typed), "\x1b[?1;2c");
}

TEST_F(TerminalViewTest, InactiveTerminalNeitherShowsNorSends)
{
    view->setActive(false);
    EXPECT_FALSE(view->isActive());
    view->receive("hidden\x1b[c");
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_TRUE(view->emulator()->rowText(0).isEmpty());
    EXPECT_EQ(typed.count(), 0);

    view->setActive(true);
    view->receive("shown");
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(view->emulator()->rowText(0), "shown");
    EXPECT_EQ(typedBytes(typed), "a");
}

TEST_F(TerminalViewTest, DisabledTerminalShowsButSendsNothing)
{
    view->setEnabled(false);
    view->receive("shown\x1b[c");
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(view->emulator()->rowText(0), "shown");
    EXPECT_EQ(typed.count(), 0);
}

TEST_F(TerminalViewTest, TabAndArrowsStayInTheTerminal)
{
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(typedBytes(typed), "\t\x1b[Z\x1b[A\x1b[D");
    EXPECT_TRUE(view->hasFocus());

    QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(edit->hasFocus()) << "Ctrl+Tab leaves the terminal";
    EXPECT_EQ(typedBytes(typed), "\t\x1b[Z\x1b[A\x1b[D");
}

TEST_F(TerminalViewTest, ControlLettersBeatWindowShortcuts)
{
    QAction open(&window);
    open.setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_O));
    window.addAction(&open);
    QSignalSpy triggered(&open, &QAction::triggered);

    QTest::keyClick(view, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(typedBytes(typed), "\x0f");
    EXPECT_EQ(triggered.count(), 0);

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 1) << "the shortcut still works elsewhere";
}

TEST_F(TerminalViewTest, ClearBlanksThePageAndHomesTheCursor)
{
    view->receive("first\r\n\x1b[41msecond\x1b[20;30H");
    view->clearScreen();
    for (int row = 0; row < VtEmulator::Rows; ++row)
        ASSERT_TRUE(view->emulator()->rowText(row).isEmpty()) << row;
    EXPECT_EQ(view->emulator()->cell(1, 0), VtCell{});
    EXPECT_EQ(view->emulator()->cursorRow(), 0);
    EXPECT_EQ(view->emulator()->cursorColumn(), 0);
}

TEST_F(TerminalViewTest, ViewFollowsTheCursor)
{
    view->receive("\x1b[120;125Hdeep");
    ASSERT_TRUE(QTest::qWaitFor([this] {
        return view->visibleCells().contains(QPoint(view->emulator()->cursorColumn(),
                                                    view->emulator()->cursorRow()));
    }));
    view->receive("\x1b[H");
    ASSERT_TRUE(QTest::qWaitFor([this] { return view->visibleCells().topLeft() == QPoint(0, 0); }));
}

class TerminalCaptureTest : public TerminalViewTest {
protected:
    QTemporaryDir dir;
};

TEST_F(TerminalCaptureTest, FileHoldsWhatArrivedWhileCapturing)
{
    EXPECT_EQ(view->captureFileName(), "capture.log");
    view->receive("before ");
    const QString path = dir.filePath("session.txt");
    QString error;
    ASSERT_TRUE(view->startCapture(path, &error)) << error.toStdString();
    EXPECT_TRUE(view->isCapturing());
    EXPECT_EQ(view->captureFileName(), path);

    view->receive("FR 9.0\r\n\xb0" "C\x80");
    view->setActive(false);
    view->receive("while detached");
    view->setActive(true);
    view->receive("\x1b[2Jcmd>");
    ASSERT_TRUE(view->stopCapture(&error)) << error.toStdString();
    view->receive("after");

    EXPECT_FALSE(view->isCapturing());
    EXPECT_EQ(testsupport::readFile(path), "FR 9.0\r\n\xb0" "C\x80\x1b[2Jcmd>");
}

TEST_F(TerminalCaptureTest, StartThatFailsReportsAndDoesNotCapture)
{
    QString error;
    EXPECT_FALSE(view->startCapture(dir.filePath("missing/session.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(view->isCapturing());
}

class TerminalLookTest : public TerminalViewTest {
protected:
    // Centre of a cell in viewport coordinates (the view shows the top left).
    QPoint cellCentre(int row, int column) const
    {
        const QFontMetricsF metrics(view->terminalFont(), view->viewport());
        return QPoint(int((column + 0.5) * metrics.horizontalAdvance(u'M')),
                      int((row + 0.5) * std::ceil(metrics.height())));
    }
    // The boundary before a cell, slightly inside it.
    QPoint cellStart(int row, int column) const
    {
        const QFontMetricsF metrics(view->terminalFont(), view->viewport());
        return QPoint(int((column + 0.2) * metrics.horizontalAdvance(u'M')),
                      int((row + 0.5) * std::ceil(metrics.height())));
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view->viewport(), to);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    }
};

TEST_F(TerminalLookTest, PreferredSizeShows44RowsBy87Columns)
{
    view->resize(view->sizeHint());
    EXPECT_EQ(view->visibleCells().size(), QSize(TerminalView::VisibleColumns, TerminalView::VisibleRows));
    EXPECT_EQ(view->verticalScrollBar()->maximum(), VtEmulator::Rows - TerminalView::VisibleRows);
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), VtEmulator::Columns - TerminalView::VisibleColumns);
}

TEST_F(TerminalLookTest, FontKeepsTheGridAt11Points)
{
    const QFont font = view->terminalFont();
    EXPECT_EQ(QFontInfo(font).pointSize(), 11);
    const QFontMetricsF metrics(font);
    for (const char16_t character : {u'i', u'W', u'\u00e9', u'\u20ac'})
        EXPECT_EQ(metrics.horizontalAdvance(QChar(character)), metrics.horizontalAdvance(u'M'))
            << QFontInfo(font).family().toStdString();
}

TEST_F(TerminalLookTest, SelectionIsCopiedAcrossRows)
{
    view->receive("hello world\r\nsecond line");
    drag(cellStart(0, 6), cellStart(1, 6));
    view->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), "world\nsecond");
}

TEST_F(TerminalLookTest, ClickWithoutDragCopiesNothing)
{
    QApplication::clipboard()->setText("kept");
    view->receive("hello");
    drag(cellStart(0, 1), cellStart(0, 1));
    view->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), "kept");
}

TEST_F(TerminalLookTest, SelectionIsDrawnInverted)
{
    view->setTextColor(Qt::yellow);
    view->setBackgroundColor(Qt::blue);
    view->receive("\x1b[41m   \x1b[m\x1b[10;1H");
    drag(cellStart(2, 0), cellStart(2, 4));
    const QImage image = view->viewport()->grab().toImage();
    const auto colourAt = [&](int row, int column) {
        return QColor(image.pixel(cellCentre(row, column) * image.devicePixelRatio()));
    };
    EXPECT_EQ(colourAt(2, 2), QColor(Qt::yellow)) << "selected: text colour behind";
    EXPECT_EQ(colourAt(5, 5), QColor(Qt::blue)) << "blank: background colour";
    const QColor red = colourAt(0, 1);
    EXPECT_GT(red.red(), 150);
    EXPECT_LT(red.blue(), 50);
}

} // namespace
} // namespace olvex::terminal
