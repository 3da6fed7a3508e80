#include "portui/PortChoices.h"

#include <algorithm>

namespace olvex::portui {

namespace {

// The highest port number a system name can map back to.
constexpr int MaxPortNumber = 256;

PortChoice numberedChoice(int number)
{
    const QString systemName = comms::ComPort::systemNameForNumber(number);
    const QString comName = QStringLiteral("COM%1").arg(number);
    const QString text = systemName == comName ? comName : QStringLiteral("%1 (%2)").arg(comName, systemName);
    return {systemName, number, QString(), text};
}

PortChoice deviceChoice(const QString &path)
{
    return {path, 0, path, path};
}

} // namespace

void PortChoice::applyTo(comms::PortSettings &settings) const
{
    if (portNumber > 0)
        settings.portNumber = portNumber;
    settings.devicePath = devicePath;
}

PortChoice choiceForLocation(const QString &systemLocation)
{
    for (int number = 1; number <= MaxPortNumber; ++number) {
        if (comms::ComPort::systemNameForNumber(number) == systemLocation)
            return numberedChoice(number);
    }
    return deviceChoice(systemLocation);
}

PortChoice choiceForSettings(const comms::PortSettings &settings)
{
    return settings.devicePath.isEmpty() ? numberedChoice(settings.portNumber)
                                         : deviceChoice(settings.devicePath);
}

QList<PortChoice> portChoices(const QStringList &systemLocations, const comms::PortSettings &current)
{
    QList<PortChoice> choices{choiceForSettings(current)};
    for (const QString &location : systemLocations) {
        const bool listed = std::any_of(choices.cbegin(), choices.cend(), [&](const PortChoice &choice) {
            return choice.systemName == location;
        });
        if (!listed)
            choices.append(choiceForLocation(location));
    }
    std::sort(choices.begin(), choices.end(), [](const PortChoice &a, const PortChoice &b) {
        const bool aNumbered = a.devicePath.isEmpty();
        const bool bNumbered = b.devicePath.isEmpty();
        if (aNumbered != bNumbered)
            return aNumbered;
        return aNumbered ? a.portNumber < b.portNumber : a.devicePath < b.devicePath;
    });
    return choices;
}

} // namespace olvex::portui
