// Framing of the incoming stream and scheduling of the outgoing one, without
// a device.

#include "probesim/CommandParser.h"
#include "probesim/ReplySchedule.h"

#include <gtest/gtest.h>

#include <vector>

using namespace probesim;
using namespace std::chrono_literals;

namespace {

std::vector<Command> parse(std::string_view stream)
{
    CommandTable table([](const Command&) { return std::optional<std::string>(); });
    table.setBareWord("SERV", table.handlerFor("SERV"));
    CommandParser parser;
    std::vector<Command> commands;
    for (const char byte : stream) {
        if (auto command = parser.feed(static_cast<unsigned char>(byte), table))
            commands.push_back(*command);
    }
    return commands;
}

struct FramingCase {
    const char* label;
    std::string_view stream;
    std::vector<std::pair<std::string, std::string>> expected;  // name, text
};

class Framing : public ::testing::TestWithParam<FramingCase> {};

}  // namespace

TEST_P(Framing, RecognisesCommands)
{
    std::vector<std::pair<std::string, std::string>> found;
    for (const Command& command : parse(GetParam().stream))
        found.emplace_back(command.name, command.text);
    EXPECT_EQ(found, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stream, Framing,
    ::testing::Values(
        FramingCase{"LineFeed", "FR\n", {{"FR", "FR"}}},
        FramingCase{"CarriageReturnBeforeLineFeed", "PI\r\n", {{"PI", "PI"}}},
        FramingCase{"TerminalEnter", "SN\r", {{"SN", "SN"}}},
        FramingCase{"ComposedCommand", "TS 12/05/24 10:11:12\n", {{"TS", "TS 12/05/24 10:11:12"}}},
        FramingCase{"StatusByte", std::string_view("\x14", 1), {{"STATUS", "\x14"}}},
        FramingCase{"StatusInsideLineKeepsLine", "V\x14T\n", {{"STATUS", "\x14"}, {"VT", "VT"}}},
        FramingCase{"Sequence", "VT\nFR\nSO\n", {{"VT", "VT"}, {"FR", "FR"}, {"SO", "SO"}}},
        FramingCase{"LowerCase", "fr\n", {}},
        FramingCase{"OneLetter", "F\n", {}},
        FramingCase{"DigitFirst", "1A\n", {}},
        FramingCase{"EmptyLines", "\n\r\n", {}},
        FramingCase{"BareWordWithoutLineEnd", "\nSERV", {{"SERV", "SERV"}}},
        FramingCase{"PrefixOfBareWordIsLineCommand", "SE\n", {{"SE", "SE"}}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FramingLimits, OverlongLineIsCutButStillNamed)
{
    const std::string line = "LP" + std::string(10000, '1') + "\n";
    const std::vector<Command> commands = parse(line);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].name, "LP");
    EXPECT_EQ(commands[0].text.size(), CommandParser::kMaxLineLength);
}

namespace {

// Drains the schedule as a writer that is always on time would, and returns
// each piece with its offset from `origin`.
std::vector<std::pair<std::chrono::milliseconds, std::string>> drain(
    ReplySchedule& schedule, ReplySchedule::Clock::time_point origin)
{
    std::vector<std::pair<std::chrono::milliseconds, std::string>> pieces;
    while (const auto due = schedule.nextDue()) {
        const std::string bytes(schedule.due(*due));
        schedule.consume(bytes.size());
        pieces.emplace_back(std::chrono::duration_cast<std::chrono::milliseconds>(*due - origin),
                            bytes);
    }
    return pieces;
}

using Pieces = std::vector<std::pair<std::chrono::milliseconds, std::string>>;

}  // namespace

TEST(ReplyScheduling, WholeReplyAtOnceByDefault)
{
    ReplySchedule schedule;
    const auto t0 = ReplySchedule::Clock::now();
    schedule.add("\r\nER 000\r\n", t0, {});
    EXPECT_EQ(drain(schedule, t0), (Pieces{{0ms, "\r\nER 000\r\n"}}));
}

TEST(ReplyScheduling, DelaySplitAndGap)
{
    ReplySchedule schedule;
    const auto t0 = ReplySchedule::Clock::now();
    schedule.add("SN 10234\r\n", t0, {.delay = 100ms, .pieceSize = 4, .pieceGap = 30ms});
    EXPECT_EQ(drain(schedule, t0),
              (Pieces{{100ms, "SN 1"}, {130ms, "0234"}, {160ms, "\r\n"}}));
}

TEST(ReplyScheduling, PieceIsNotDueEarly)
{
    ReplySchedule schedule;
    const auto t0 = ReplySchedule::Clock::now();
    schedule.add("abcd", t0, {.pieceSize = 2, .pieceGap = 50ms});
    EXPECT_EQ(schedule.due(t0), "ab");
    schedule.consume(1);
    EXPECT_EQ(schedule.due(t0), "b");
    schedule.consume(1);
    EXPECT_EQ(schedule.due(t0 + 49ms), "");
    EXPECT_EQ(schedule.due(t0 + 50ms), "cd");
}

TEST(ReplyScheduling, LaterReplyWaitsForEarlierOne)
{
    ReplySchedule schedule;
    const auto t0 = ReplySchedule::Clock::now();
    const ReplyShaping slow{.pieceSize = 1, .pieceGap = 100ms};
    schedule.add("ab", t0, slow);
    schedule.add("c", t0 + 10ms, slow);
    EXPECT_EQ(drain(schedule, t0), (Pieces{{0ms, "a"}, {100ms, "b"}, {100ms, "c"}}));
}

TEST(ReplyScheduling, DropsEveryNthByteOfEachReply)
{
    ReplySchedule schedule;
    const auto t0 = ReplySchedule::Clock::now();
    schedule.add("SN 10234\r\n", t0, {.dropEvery = 3});
    schedule.add("abcdef", t0, {.dropEvery = 3});
    EXPECT_EQ(drain(schedule, t0), (Pieces{{0ms, "SN1034\n"}, {0ms, "abde"}}));
}
