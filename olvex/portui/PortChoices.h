#pragma once
// The entries of the port list in the options dialog.
#include "comms/ComPort.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace olvex::portui {

struct PortChoice {
    QString systemName;  // what the port layer opens
    int portNumber = 0;  // the number of a numbered port, 0 for a device
    QString devicePath;  // set for any other device; empty for a numbered port
    QString text;        // what the list shows

    // Makes `settings` name this port; the other fields stay as they are.
    void applyTo(comms::PortSettings &settings) const;
    bool operator==(const PortChoice &) const = default;
};

// The entry for a port the system lists: a numbered port when `systemLocation`
// is the system name of a port number, otherwise a device by its path.
PortChoice choiceForLocation(const QString &systemLocation);

// The entry for the port that `settings` name, exactly as they name it.
PortChoice choiceForSettings(const comms::PortSettings &settings);

// One entry for each port of `systemLocations` and always one for the port of
// `current`; a listed port the current settings already name appears once, as
// they name it. Numbered ports come first by number, then devices by path.
QList<PortChoice> portChoices(const QStringList &systemLocations, const comms::PortSettings &current);

} // namespace olvex::portui
