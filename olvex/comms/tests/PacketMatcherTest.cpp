#include "comms/PacketMatcher.h"

#include <gtest/gtest.h>

#include <vector>

using olvex::comms::PacketMatcher;
using olvex::comms::PacketSettings;

namespace {

struct MatchCase {
    const char *name;
    PacketSettings settings;
    QByteArray stream;
    QByteArray packet;     // expected delivery
    QByteArray remainder;  // bytes left unconsumed after it
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

// Feeds `stream` split into two chunks at `split`, returning the packet (or an
// empty array) and what was left unconsumed.
std::pair<QByteArray, QByteArray> feedSplit(const MatchCase &c, qsizetype split)
{
    PacketMatcher m;
    m.arm(c.settings);
    QByteArray rest;
    const QByteArray parts[] = {c.stream.left(split), c.stream.mid(split)};
    for (const QByteArray &part : parts) {
        if (m.hasPacket()) {
            rest += part;
            continue;
        }
        const qsizetype used = m.feed(part.constData(), part.size());
        rest += part.mid(used);
    }
    return {m.hasPacket() ? m.takePacket() : QByteArray(), rest};
}

const std::vector<MatchCase> &cases()
{
    static const std::vector<MatchCase> all = {
        {"AcknowledgementIncluded", {"ER", "000", 0, true}, "\r\nER 000\r\n", "ER 000", "\r\n"},
        {"FirmwareExcluded", {"FR", "\r\n", 0, false}, "xxFR 9.0\r\ncmd>", " 9.0", "cmd>"},
        {"PromptSplitStrings", {"cm", "d>", 0, true}, "\r\ncmd>", "cmd>", ""},
        {"OverlappingStart", {"ER", "000", 0, true}, "EEER 000", "ER 000", ""},
        {"OverlappingEnd", {"ER", "000", 0, true}, "ER 0 00 0000", "ER 0 00 000", "0"},
        {"RepeatedPrefixStart", {"aab", "!", 0, false}, "aaaabX!", "X", ""},
        {"RefusalNeverCompletes", {"ER", "000", 0, true}, "\r\nER 003\r\n", "", ""},
        {"TypeFromIdentityBlock", {"LUMEN KAROS:", "\r", 0, false},
         "\r\nLUMEN KAROS: 427Qx\r\nRevision: 8.0\r\n", " 427Qx", "\nRevision: 8.0\r\n"},
        {"FixedSizeBlockAnyByte", {"", "", 4, true}, "\x01\x02\x03\x04\x05", "\x01\x02\x03\x04", "\x05"},
        {"FixedSizeAfterStart", {"SS", "", 3, false}, "..SSabcdef", "abc", "def"},
        {"HighBytesKept", {"SN ", "\r\n", 0, false}, "SN \xe9\x80\xff\r\n", "\xe9\x80\xff", ""},
    };
    return all;
}

class PacketMatcherSplits : public ::testing::TestWithParam<MatchCase> {};

} // namespace

TEST_P(PacketMatcherSplits, SameResultAtEverySplitPosition)
{
    const MatchCase &c = GetParam();
    const QByteArray &expectedPacket = c.packet;
    for (qsizetype split = 0; split <= c.stream.size(); ++split) {
        const auto [packet, rest] = feedSplit(c, split);
        EXPECT_EQ(packet, expectedPacket) << "split at " << split;
        if (!expectedPacket.isEmpty())
            EXPECT_EQ(rest, c.remainder) << "split at " << split;
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, PacketMatcherSplits, ::testing::ValuesIn(cases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PacketMatcher, ByteByByteFeedMatchesWholeFeed)
{
    PacketMatcher m;
    m.arm({"Product code:", "\r", 0, false});
    const QByteArray stream = "Product cod Product code: 427Qx\r\n";
    qsizetype i = 0;
    while (i < stream.size() && !m.hasPacket())
        i += m.feed(stream.constData() + i, 1);
    EXPECT_EQ(m.takePacket(), " 427Qx");
    EXPECT_EQ(m.state(), PacketMatcher::State::Idle);
    EXPECT_EQ(stream.mid(i), "\n");
}

TEST(PacketMatcher, DoesNotRearmItselfAndRearmDropsPartialData)
{
    PacketMatcher m;
    m.arm({"ER", "000", 0, true});
    const QByteArray two = "ER 000ER 000";
    const qsizetype used = m.feed(two.constData(), two.size());
    EXPECT_EQ(used, 6);
    EXPECT_EQ(m.feed(two.constData() + used, two.size() - used), 0) << "idle matcher consumes nothing";

    m.arm({"ER", "000", 0, true});
    m.feed("ER 0", 4);
    m.arm({"ER", "000", 0, true});
    m.feed("00", 2);
    EXPECT_FALSE(m.hasPacket()) << "a re-armed matcher starts afresh";
}
