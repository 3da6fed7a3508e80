#include "probesim/CommandLine.h"

#include <gtest/gtest.h>

using namespace probesim;
using namespace std::chrono_literals;

namespace {

Config parsed(const std::vector<std::string>& args)
{
    std::string error;
    const std::optional<CommandLine> commandLine = parseCommandLine(args, &error);
    EXPECT_TRUE(commandLine) << error;
    return commandLine ? commandLine->config : Config{};
}

}  // namespace

TEST(CommandLine, DefaultsWithoutSwitches)
{
    const Config config = parsed({});
    EXPECT_EQ(config.linkPath, "");
    EXPECT_EQ(config.identity.firmware, Identity{}.firmware);
    EXPECT_TRUE(config.identity.answersPi);
    EXPECT_FALSE(config.faults.silent);
}

TEST(CommandLine, IdentitySwitchesKeepTextsVerbatim)
{
    const Config config = parsed({"--link", "/tmp/p", "--firmware", " 6.9", "--type=  5x",
                                  "--revision", "2.0", "--product", "P-1", "--serial", "777",
                                  "--no-pi"});
    EXPECT_EQ(config.linkPath, "/tmp/p");
    EXPECT_EQ(config.identity.firmware, " 6.9");
    EXPECT_EQ(config.identity.type, "  5x");
    EXPECT_EQ(config.identity.revision, "2.0");
    EXPECT_EQ(config.identity.product, "P-1");
    EXPECT_EQ(config.identity.serial, "777");
    EXPECT_FALSE(config.identity.answersPi);
}

TEST(CommandLine, FaultSwitches)
{
    const Config config = parsed({"--silent", "--silence", "FR:2", "--silence", "status",
                                  "--refuse", "TS:003", "--delay", "250", "--split", "3:40",
                                  "--drop-every", "5"});
    EXPECT_TRUE(config.faults.silent);
    EXPECT_EQ(config.faults.silences, (std::map<std::string, int>{{"FR", 2}, {"STATUS", kAlways}}));
    EXPECT_EQ(config.faults.refusals, (std::map<std::string, std::string>{{"TS", "003"}}));
    EXPECT_EQ(config.faults.shaping.delay, 250ms);
    EXPECT_EQ(config.faults.shaping.pieceSize, 3u);
    EXPECT_EQ(config.faults.shaping.pieceGap, 40ms);
    EXPECT_EQ(config.faults.shaping.dropEvery, 5u);
}

TEST(CommandLine, Help)
{
    const std::optional<CommandLine> commandLine = parseCommandLine({"--help"}, nullptr);
    ASSERT_TRUE(commandLine);
    EXPECT_TRUE(commandLine->help);
}

TEST(CommandLine, RejectsBadSwitches)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},          {"--link"},           {"--link", ""},      {"--silence", "FR:0"},
        {"--silence", "FR:x"}, {"--silence", ":2"}, {"--refuse", "TS"},  {"--refuse", "TS:"},
        {"--delay", "-1"},    {"--delay", "1s"},    {"--split", "3"},    {"--split", "0:10"},
        {"--drop-every", "x"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}
