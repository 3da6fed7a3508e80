#include "transfer/LinePacing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace olvex;
using transfer::nextLineLength;
using transfer::wireTime;

namespace {

// The pieces a whole buffer is cut into.
std::vector<QByteArray> pieces(const QByteArray &data, qsizetype maxLength)
{
    std::vector<QByteArray> result;
    for (qsizetype from = 0; from < data.size();) {
        const qsizetype length = nextLineLength(data, from, maxLength);
        result.push_back(data.mid(from, length));
        from += length;
    }
    return result;
}

struct SplitCase {
    const char *name;
    QByteArray data;
    qsizetype maxLength;
    std::vector<QByteArray> expected;
};

} // namespace

TEST(LinePacing, CutsAtEveryKindOfLineEndAndAtTheLengthLimit)
{
    const std::vector<SplitCase> cases = {
        {"CR LF stays together", "ab\r\ncd\r\n", 100, {"ab\r\n", "cd\r\n"}},
        {"bare LF", "ab\ncd\n", 100, {"ab\n", "cd\n"}},
        {"lone CR", "ab\rcd\r", 100, {"ab\r", "cd\r"}},
        {"LF CR is two line ends", "a\n\rb", 100, {"a\n", "\r", "b"}},
        {"empty lines", "\r\n\r\n", 100, {"\r\n", "\r\n"}},
        {"last line without end", "ab\r\ncd", 100, {"ab\r\n", "cd"}},
        {"no line end at all", "abcdefg", 3, {"abc", "def", "g"}},
        {"limit inside CR LF", "abc\r\nd", 4, {"abc\r", "\n", "d"}},
        {"high bytes are plain data", "\xe9\xff\x80\n", 100, {"\xe9\xff\x80\n"}},
    };
    for (const SplitCase &c : cases)
        EXPECT_EQ(pieces(c.data, c.maxLength), c.expected) << c.name;
    EXPECT_EQ(nextLineLength("ab\n", 3, 100), 0) << "at the end";
}

TEST(LinePacing, WireTimeCountsEveryFramingBitAndRoundsUp)
{
    comms::PortSettings framing;
    framing.baudRate = 9600;
    framing.dataBits = 8;
    framing.parity = comms::Parity::None;
    framing.stopBits = 1;
    EXPECT_EQ(wireTime(960, framing), timing::Millis(1000)) << "8N1 is 10 bits a character";
    EXPECT_EQ(wireTime(1, framing), timing::Millis(2)) << "1.04 ms rounds up";
    EXPECT_EQ(wireTime(0, framing), timing::Millis(0));

    framing.dataBits = 7;
    framing.parity = comms::Parity::Even;
    framing.stopBits = 2;
    framing.baudRate = 300;
    EXPECT_EQ(wireTime(30, framing), timing::Millis(1100)) << "7E2 is 11 bits a character";
}
