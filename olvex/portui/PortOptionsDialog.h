#pragma once
// "Com Port Options": edits a set of port settings. It owns no port and does
// no I/O; the caller loads it, runs it and copies settings() on OK.
#include "comms/ComPort.h"
#include "portui/PortChoices.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace olvex::portui {

class PortOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PortOptionsDialog(QWidget *parent = nullptr);

    // Shows `settings`. The port list is read from the machine afresh and
    // always holds the port the settings name; a baud rate outside the
    // standard list is offered as well, so it survives an OK untouched.
    // Edits left over from an earlier run are discarded.
    void load(const comms::PortSettings &settings);

    // The settings as the fields show them now.
    comms::PortSettings settings() const;

private:
    void buildFields();
    void fillPorts(const comms::PortSettings &settings);
    void fillBaudRates(qint32 current);
    void enableXonXoff();

    comms::PortSettings loaded_;
    QList<PortChoice> portChoices_;
    QComboBox *port_ = nullptr;
    QComboBox *baud_ = nullptr;
    QComboBox *parity_ = nullptr;
    QComboBox *dataBits_ = nullptr;
    QComboBox *stopBits_ = nullptr;
    QCheckBox *dtrDsr_ = nullptr;
    QCheckBox *rtsCts_ = nullptr;
    QCheckBox *softwareTransmit_ = nullptr;
    QCheckBox *softwareReceive_ = nullptr;
    QSpinBox *xon_ = nullptr;
    QSpinBox *xoff_ = nullptr;
};

} // namespace olvex::portui
