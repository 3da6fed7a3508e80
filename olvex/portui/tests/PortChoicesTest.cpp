#include "portui/PortChoices.h"

#include <gtest/gtest.h>

#include <vector>

using namespace olvex;
using comms::ComPort;
using portui::PortChoice;
using portui::portChoices;

namespace {

comms::PortSettings numbered(int number)
{
    comms::PortSettings settings;
    settings.portNumber = number;
    return settings;
}

comms::PortSettings device(const QString &path, int number = 1)
{
    comms::PortSettings settings = numbered(number);
    settings.devicePath = path;
    return settings;
}

// What settings a choice turns into, written as "n" or "path".
std::vector<QString> chosen(const QList<PortChoice> &choices)
{
    std::vector<QString> result;
    for (const PortChoice &choice : choices) {
        comms::PortSettings settings = numbered(99);
        choice.applyTo(settings);
        result.push_back(settings.devicePath.isEmpty() ? QString::number(settings.portNumber)
                                                       : settings.devicePath);
    }
    return result;
}

struct ChoicesCase {
    const char *name;
    QStringList locations;
    comms::PortSettings current;
    std::vector<QString> expected;
};

} // namespace

TEST(PortChoices, ListTheMachinesPortsAndAlwaysTheConfiguredOne)
{
    const QString com1 = ComPort::systemNameForNumber(1);
    const QString com3 = ComPort::systemNameForNumber(3);
    const std::vector<ChoicesCase> cases = {
        {"system names map back to numbers, others stay devices",
         {com3, "/dev/ttyUSB0", com1}, numbered(1), {"1", "3", "/dev/ttyUSB0"}},
        {"configured number the machine does not list", {com1}, numbered(5), {"1", "5"}},
        {"configured device the machine does not list", {com1}, device("/dev/pts/4"), {"1", "/dev/pts/4"}},
        {"configured device that is a numbered port's name stays as configured",
         {com1, com3}, device(com1), {"3", com1}},
        {"nothing on the machine", {}, numbered(2), {"2"}},
    };
    for (const ChoicesCase &c : cases)
        EXPECT_EQ(chosen(portChoices(c.locations, c.current)), c.expected) << c.name;
}

TEST(PortChoices, ApplyingAChoiceNamesThatPortAndKeepsTheRest)
{
    comms::PortSettings settings = device("/dev/ttyUSB3", 4);
    settings.baudRate = 9600;

    portui::choiceForLocation(ComPort::systemNameForNumber(7)).applyTo(settings);
    EXPECT_EQ(settings.portNumber, 7);
    EXPECT_TRUE(settings.devicePath.isEmpty());
    EXPECT_EQ(settings.baudRate, 9600);

    portui::choiceForLocation("/dev/ttyACM0").applyTo(settings);
    EXPECT_EQ(settings.devicePath, "/dev/ttyACM0");
    EXPECT_EQ(settings.portNumber, 7) << "the number is kept for when the path is cleared";
}
