#include "shell/CommandLine.h"
#include "testsupport/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace olvex;
using namespace olvex::shell;

namespace {

struct LineCase {
    const char *name;
    QStringList arguments;
    bool admin;
    std::optional<int> baud;
    std::optional<int> port;
    std::optional<QString> device;
    std::vector<QString> messages;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommandLineCases : public ::testing::TestWithParam<LineCase> {};

const QString notValidBaud = QStringLiteral("Not a valid baud rate");

} // namespace

TEST_P(CommandLineCases, ReadsOptionsAndReportsBadValues)
{
    const LineCase &c = GetParam();
    testsupport::ScriptedMessages messages;
    QStringList arguments = c.arguments;
    arguments.prepend("/opt/olvex/olvex");
    const CommandLineOptions options = parseCommandLine(arguments, messages);
    EXPECT_EQ(options.admin, c.admin);
    EXPECT_EQ(options.baudRate, c.baud);
    EXPECT_EQ(options.portNumber, c.port);
    EXPECT_EQ(options.devicePath, c.device);
    EXPECT_EQ(messages.texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineCases,
    ::testing::Values(
        LineCase{"Nothing", {}, false, {}, {}, {}, {}},
        LineCase{"Baud57600", {"-b", "57600"}, false, 57600, {}, {}, {}},
        LineCase{"Baud150", {"-b", "150"}, false, 150, {}, {}, {}},
        LineCase{"Baud38400", {"-b", "38400"}, false, 38400, {}, {}, {}},
        LineCase{"Baud100Refused", {"-b", "100"}, false, {}, {}, {}, {notValidBaud}},
        LineCase{"Baud75Refused", {"-b", "75"}, false, {}, {}, {}, {notValidBaud}},
        LineCase{"Baud76800Refused", {"-b", "76800"}, false, {}, {}, {}, {notValidBaud}},
        LineCase{"RefusedBaudThenPort", {"-b", "100", "-p", "2"}, false, {}, 2, {}, {notValidBaud}},
        // The refused value is examined as an option itself, so "-p" right
        // after "-b" is still an option.
        LineCase{"RefusedValueIsReexamined", {"-b", "-p", "4"}, false, {}, {}, {},
                 {"'-p' is not a valid integer value"}},
        LineCase{"Port4", {"-p", "4"}, false, {}, 4, {}, {}},
        LineCase{"PortLastIsAConversionError", {"--admin", "-p"}, true, {}, {}, {},
                 {"'' is not a valid integer value"}},
        LineCase{"ErrorAbandonsTheRest", {"-p", "x", "--admin"}, false, {}, {}, {},
                 {"'x' is not a valid integer value"}},
        LineCase{"AdminIsCaseSensitive", {"--ADMIN", "--admin"}, true, {}, {}, {}, {}},
        LineCase{"UnknownIgnored", {"-x", "foo", "-b", "9600"}, false, 9600, {}, {}, {}},
        LineCase{"Device", {"--device", "/dev/pts/3", "-b", "115200"}, false, 115200, {}, "/dev/pts/3", {}},
        LineCase{"DeviceWithoutPath", {"--device"}, false, {}, {}, {},
                 {"Missing device path after --device"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CommandLine, ConversionErrorsUseTheStandardExceptionDisplay)
{
    testsupport::ScriptedMessages messages;
    parseCommandLine({"olvex", "-b"}, messages);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, ApplicationTitle);
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Stop);

    messages.clear();
    parseCommandLine({"olvex", "-b", "100"}, messages);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Error");
}
