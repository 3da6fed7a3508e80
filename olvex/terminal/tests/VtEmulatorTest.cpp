#include "terminal/VtEmulator.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <map>

namespace olvex::terminal {
namespace {

using namespace Qt::StringLiterals;

void feed(VtEmulator &emulator, const QByteArray &bytes)
{
    emulator.write(bytes.constData(), bytes.size());
}

// Text of every row, as expected rows are written: row index to text.
std::map<int, QString> nonEmptyRows(const VtEmulator &emulator)
{
    std::map<int, QString> rows;
    for (int row = 0; row < VtEmulator::Rows; ++row)
        if (const QString text = emulator.rowText(row); !text.isEmpty())
            rows[row] = text;
    return rows;
}

QByteArray linesThrough(int last)
{
    QByteArray lines;
    for (int i = 0; i <= last; ++i)
        lines += "L" + QByteArray::number(i) + (i < last ? "\r\n" : "");
    return lines;
}

struct ScreenCase {
    const char *name;
    QByteArray input;
    std::map<int, QString> rows;
    int cursorRow;
    int cursorColumn;
};

void PrintTo(const ScreenCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScreenModel : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenModel, InputGivesRowsAndCursor)
{
    const ScreenCase &c = GetParam();
    VtEmulator emulator;
    feed(emulator, c.input);
    EXPECT_EQ(nonEmptyRows(emulator), c.rows);
    EXPECT_EQ(emulator.cursorRow(), c.cursorRow);
    EXPECT_EQ(emulator.cursorColumn(), c.cursorColumn);
}

const QByteArray threeRows = "aaaa\r\nbbbb\r\ncccc\x1b[2;3H";
const QByteArray regionRows = "\x1b[1;1Htop\x1b[2;1Hr2\x1b[3;1Hr3\x1b[4;1Hbottom\x1b[2;3r";

INSTANTIATE_TEST_SUITE_P(
    CursorMoves, ScreenModel,
    ::testing::Values(
        ScreenCase{"CrLf", "ab\r\ncd", {{0, "ab"}, {1, "cd"}}, 1, 2},
        ScreenCase{"LfKeepsColumn", "ab\ncd", {{0, "ab"}, {1, "  cd"}}, 1, 4},
        ScreenCase{"Backspace", "abc\b\bX", {{0, "aXc"}}, 0, 2},
        ScreenCase{"Cup", "\x1b[5;10HX", {{4, "         X"}}, 4, 10},
        ScreenCase{"CupReachesRow132", "\x1b[132;132HZ", {{131, QString(131, u' ') + "Z"}}, 131, 131},
        ScreenCase{"CupClampsToPage", "\x1b[200;200H", {}, 131, 131},
        ScreenCase{"UpDownForwardBack", "\x1b[10;10H\x1b[3A\x1b[2B\x1b[4C\x1b[6D", {}, 8, 7},
        ScreenCase{"UpStopsAtTop", "\x1b[2;1H\x1b[5A", {}, 0, 0},
        ScreenCase{"WrapsAfterColumn132", QByteArray(133, 'x'), {{0, QString(132, u'x')}, {1, "x"}}, 1, 1}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Erase, ScreenModel,
    ::testing::Values(
        ScreenCase{"DisplayBelow", threeRows + "\x1b[J", {{0, "aaaa"}, {1, "bb"}}, 1, 2},
        ScreenCase{"DisplayAbove", threeRows + "\x1b[1J", {{1, "   b"}, {2, "cccc"}}, 1, 2},
        ScreenCase{"DisplayAll", threeRows + "\x1b[2J", {}, 1, 2},
        ScreenCase{"LineRight", threeRows + "\x1b[K", {{0, "aaaa"}, {1, "bb"}, {2, "cccc"}}, 1, 2},
        ScreenCase{"LineLeft", threeRows + "\x1b[1K", {{0, "aaaa"}, {1, "   b"}, {2, "cccc"}}, 1, 2},
        ScreenCase{"LineAll", threeRows + "\x1b[2K", {{0, "aaaa"}, {2, "cccc"}}, 1, 2},
        ScreenCase{"ThenWriteAgain", threeRows + "\x1b[2J\x1b[Hz", {{0, "z"}}, 0, 1}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Scrolling, ScreenModel,
    ::testing::Values(
        ScreenCase{"LineFeedOnRow132DropsTopLine",
                   "first\x1b[2;1Hsecond\x1b[132;1Hlast\n",
                   {{0, "second"}, {130, "last"}}, 131, 4},
        ScreenCase{"RegionLineFeed", regionRows + "\x1b[3;1H\nnew",
                   {{0, "top"}, {1, "r3"}, {2, "new"}, {3, "bottom"}}, 2, 3},
        ScreenCase{"RegionReverseIndex", regionRows + "\x1b[2;1H\x1bMx",
                   {{0, "top"}, {1, "x"}, {2, "r2"}, {3, "bottom"}}, 1, 1},
        ScreenCase{"InsertLine", "a\r\nb\r\nc\x1b[2;1H\x1b[L", {{0, "a"}, {2, "b"}, {3, "c"}}, 1, 0},
        ScreenCase{"DeleteLine", "a\r\nb\r\nc\x1b[1;1H\x1b[M", {{0, "b"}, {1, "c"}}, 0, 0},
        ScreenCase{"InsertCharacters", "abcdef\x1b[1;2H\x1b[2@", {{0, "a  bcdef"}}, 0, 1},
        ScreenCase{"DeleteCharacters", "abcdef\x1b[1;2H\x1b[2P", {{0, "adef"}}, 0, 1}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Windows1252, ScreenModel,
    ::testing::Values(
        ScreenCase{"EuroAndAccents", "\x80 \xe9t\xe9 \xb0" "C \xff", {{0, u"€ été °C ÿ"_s}}, 0, 10},
        // 0x9B would be CSI, 0x84 IND and 0x85 NEL if taken as C1 controls.
        ScreenCase{"NoC1Controls", "ab\x9b" "2Jc\x84\x85", {{0, u"ab›2Jc„…"_s}}, 0, 8},
        ScreenCase{"UndefinedBytesTakeOneCell", "a\x81\x8d\x8f\x90\x9d" "b",
                   {{0, u"a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDb"_s}}, 0, 7}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScreenModelRows, StreamOf133LinesKeepsTheLast132)
{
    VtEmulator emulator;
    feed(emulator, linesThrough(132));
    EXPECT_EQ(emulator.rowText(0), "L1");
    EXPECT_EQ(emulator.rowText(65), "L66");
    EXPECT_EQ(emulator.rowText(131), "L132");
    EXPECT_EQ(emulator.cursorRow(), 131);
}

TEST(ScreenModelRows, SequenceSplitAcrossWritesIsCompleted)
{
    VtEmulator emulator;
    feed(emulator, "abc\x1b[");
    feed(emulator, "1;2");
    feed(emulator, "HX");
    EXPECT_EQ(emulator.rowText(0), "aXc");
}

TEST(ScreenModelRows, ClearBlanksPageAndHomesCursor)
{
    VtEmulator emulator;
    feed(emulator, "\x1b[44mblue\x1b[K\r\n\x1b[20;30Hx");
    emulator.clear();
    EXPECT_TRUE(nonEmptyRows(emulator).empty());
    EXPECT_EQ(emulator.cell(0, 10), VtCell{});
    EXPECT_EQ(emulator.cursorRow(), 0);
    EXPECT_EQ(emulator.cursorColumn(), 0);
}

TEST(ScreenCells, ColoursAndAttributes)
{
    VtEmulator emulator;
    feed(emulator, "\x1b[1;4;31mR\x1b[0mN\x1b[7;42mG\x1b[44m\x1b[K");

    const VtCell red = emulator.cell(0, 0);
    EXPECT_EQ(red.character, u'R');
    EXPECT_EQ(red.pen.attributes, Bold | Underline);
    EXPECT_NE(red.pen.foreground, DefaultColor);
    EXPECT_EQ(red.pen.foreground & 0x00FF00u, 0u) << "red has no green";
    EXPECT_EQ(red.pen.background, DefaultColor);

    EXPECT_EQ(emulator.cell(0, 1), (VtCell{u'N', VtPen{}}));

    const VtCell green = emulator.cell(0, 2);
    EXPECT_EQ(green.pen.attributes, Reverse);
    EXPECT_NE(green.pen.background, DefaultColor);

    // Erasing takes the current background colour, not the other attributes.
    const VtCell erased = emulator.cell(0, 100);
    EXPECT_EQ(erased.character, 0);
    EXPECT_EQ(erased.pen.attributes, 0);
    EXPECT_EQ(erased.pen.foreground, DefaultColor);
    EXPECT_NE(erased.pen.background, DefaultColor);
    EXPECT_NE(erased.pen.background, green.pen.background);
}

TEST(ScreenCells, CursorVisibilityFollowsHost)
{
    VtEmulator emulator;
    EXPECT_TRUE(emulator.isCursorVisible());
    feed(emulator, "\x1b[?25l");
    EXPECT_FALSE(emulator.isCursorVisible());
    feed(emulator, "\x1b[?25h");
    EXPECT_TRUE(emulator.isCursorVisible());
}

TEST(ScreenDamage, CoversChangedCellsOnlyAndResets)
{
    VtEmulator emulator;
    emulator.takeDamage();
    feed(emulator, "\x1b[3;5Hxy\x1b[4;2Hz");
    EXPECT_EQ(emulator.takeDamage(), QRect(1, 2, 5, 2));
    EXPECT_TRUE(emulator.takeDamage().isEmpty());
}

TEST(ScreenDamage, ScrollDamagesTheScrolledRegion)
{
    VtEmulator emulator;
    feed(emulator, "\x1b[10;20r\x1b[20;1Hx");
    emulator.takeDamage();
    feed(emulator, "\n");
    EXPECT_EQ(emulator.takeDamage(), QRect(0, 9, VtEmulator::Columns, 11));
}

TEST(ScreenDamage, ErasingBlankCellsChangesNothing)
{
    VtEmulator emulator;
    feed(emulator, "x\x1b[2J");
    emulator.takeDamage();
    feed(emulator, "\x1b[2J\x1b[5;1H\x1b[K");
    EXPECT_TRUE(emulator.takeDamage().isEmpty());
}

// Bytes leaving the terminal: keys and the emulator's own replies.
struct KeyCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QByteArray sent;
};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.name;
}

class KeyBytes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyBytes, KeySendsBytes)
{
    const KeyCase &c = GetParam();
    VtEmulator emulator;
    QSignalSpy output(&emulator, &VtEmulator::output);
    const bool sent = emulator.sendKey(c.key, c.modifiers, c.text);
    EXPECT_EQ(sent, !c.sent.isEmpty());
    if (c.sent.isEmpty()) {
        EXPECT_EQ(output.count(), 0);
    } else {
        ASSERT_EQ(output.count(), 1);
        EXPECT_EQ(output.at(0).at(0).toByteArray(), c.sent);
    }
    EXPECT_TRUE(emulator.rowText(0).isEmpty()) << "no local echo";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyBytes,
    ::testing::Values(
        KeyCase{"Letter", Qt::Key_A, Qt::NoModifier, "a", "a"},
        KeyCase{"ShiftedLetter", Qt::Key_A, Qt::ShiftModifier, "A", "A"},
        KeyCase{"EAcute", Qt::Key_Eacute, Qt::NoModifier, u"é"_s, "\xe9"},
        KeyCase{"EuroOnAltGr", Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, u"€"_s, "\x80"},
        KeyCase{"NotInWindows1252", Qt::Key_unknown, Qt::NoModifier, u"Ж"_s, ""},
        KeyCase{"Enter", Qt::Key_Return, Qt::NoModifier, "\r", "\r"},
        KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, "\r", "\r"},
        KeyCase{"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", "\x08"},
        KeyCase{"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", "\x7f"},
        KeyCase{"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", "\t"},
        KeyCase{"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier, "", "\x1b[Z"},
        KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", "\x1b"},
        KeyCase{"Up", Qt::Key_Up, Qt::NoModifier, "", "\x1b[A"},
        KeyCase{"Down", Qt::Key_Down, Qt::NoModifier, "", "\x1b[B"},
        KeyCase{"Right", Qt::Key_Right, Qt::NoModifier, "", "\x1b[C"},
        KeyCase{"Left", Qt::Key_Left, Qt::NoModifier, "", "\x1b[D"},
        KeyCase{"F1", Qt::Key_F1, Qt::NoModifier, "", "\x1bOP"},
        KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, "\x03", "\x03"},
        KeyCase{"CtrlM", Qt::Key_M, Qt::ControlModifier, "\r", "\r"},
        KeyCase{"CtrlI", Qt::Key_I, Qt::ControlModifier, "\t", "\t"},
        KeyCase{"CtrlBracket", Qt::Key_BracketLeft, Qt::ControlModifier, "\x1b", "\x1b"},
        KeyCase{"Shift", Qt::Key_Shift, Qt::ShiftModifier, "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(KeyBytesModes, CursorKeysFollowCursorKeyMode)
{
    VtEmulator emulator;
    QSignalSpy output(&emulator, &VtEmulator::output);
    emulator.write("\x1b[?1h", 5);
    emulator.sendKey(Qt::Key_Up, Qt::NoModifier, {});
    ASSERT_EQ(output.count(), 1);
    EXPECT_EQ(output.at(0).at(0).toByteArray(), "\x1bOA");
}

TEST(KeyBytesModes, NewLineModeMakesEnterSendCrLf)
{
    VtEmulator emulator;
    QSignalSpy output(&emulator, &VtEmulator::output);
    emulator.write("\x1b[20h", 5);
    emulator.sendKey(Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(output.count(), 1);
    EXPECT_EQ(output.at(0).at(0).toByteArray(), "\r\n");
}

TEST(Replies, QueriesAreAnsweredThroughOutput)
{
    VtEmulator emulator;
    QSignalSpy output(&emulator, &VtEmulator::output);
    feed(emulator, "\x1b[c");
    feed(emulator, "\x1b[5;10H\x1b[6n");
    ASSERT_EQ(output.count(), 2);
    EXPECT_EQ(output.at(0).at(0).toByteArray(), "\x1b[?1;2c");
    EXPECT_EQ(output.at(1).at(0).toByteArray(), "\x1b[5;10R");
}

TEST(Replies, BellIsSignalled)
{
    VtEmulator emulator;
    QSignalSpy bell(&emulator, &VtEmulator::bell);
    feed(emulator, "ding\a");
    EXPECT_EQ(bell.count(), 1);
    EXPECT_EQ(emulator.rowText(0), "ding");
}

} // namespace
} // namespace olvex::terminal
