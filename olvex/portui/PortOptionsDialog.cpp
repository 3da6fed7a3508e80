#include "portui/PortOptionsDialog.h"

#include "portui/LabelledRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace olvex::portui {

namespace {

constexpr std::array<qint32, 10> StandardBaudRates = {300,   600,   1200,  2400,  4800,
                                                       9600,  19200, 38400, 57600, 115200};

QComboBox *newCombo(const QString &objectName, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    return combo;
}

QCheckBox *newCheck(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *check = new QCheckBox(caption, parent);
    check->setObjectName(objectName);
    return check;
}

QSpinBox *newCharacterField(const QString &objectName, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(objectName);
    spin->setRange(0, 255);
    return spin;
}

void selectData(QComboBox *combo, const QVariant &value)
{
    combo->setCurrentIndex(combo->findData(value));
}

QStringList machinePortLocations()
{
    QStringList locations;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        locations.append(info.systemLocation());
    return locations;
}

} // namespace

PortOptionsDialog::PortOptionsDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Com Port Options"));
    buildFields();
    load(comms::PortSettings{});
}

void PortOptionsDialog::buildFields()
{
    port_ = newCombo(QStringLiteral("ComboPort"), this);
    baud_ = newCombo(QStringLiteral("ComboBaud"), this);
    parity_ = newCombo(QStringLiteral("ComboParity"), this);
    for (comms::Parity parity : {comms::Parity::None, comms::Parity::Odd, comms::Parity::Even,
                                 comms::Parity::Mark, comms::Parity::Space})
        parity_->addItem(comms::parityName(parity), int(parity));
    dataBits_ = newCombo(QStringLiteral("ComboDataBits"), this);
    for (int bits : {8, 7, 6, 5})
        dataBits_->addItem(QString::number(bits), bits);
    stopBits_ = newCombo(QStringLiteral("ComboStopBits"), this);
    for (int bits : {1, 2})
        stopBits_->addItem(QString::number(bits), bits);

    auto *lineForm = new QFormLayout;
    addLabelledRow(*lineForm, tr("&Port:"), port_);
    addLabelledRow(*lineForm, tr("&Baud rate:"), baud_);
    addLabelledRow(*lineForm, tr("P&arity:"), parity_);
    addLabelledRow(*lineForm, tr("&Data bits:"), dataBits_);
    addLabelledRow(*lineForm, tr("&Stop bits:"), stopBits_);

    auto *flowGroup = new QGroupBox(tr("Flow control"), this);
    dtrDsr_ = newCheck(tr("D&TR/DSR"), QStringLiteral("CheckDtrDsr"), flowGroup);
    rtsCts_ = newCheck(tr("&RTS/CTS"), QStringLiteral("CheckRtsCts"), flowGroup);
    softwareTransmit_ = newCheck(tr("Software trans&mit"), QStringLiteral("CheckSoftwareTransmit"), flowGroup);
    softwareReceive_ = newCheck(tr("Software re&ceive"), QStringLiteral("CheckSoftwareReceive"), flowGroup);
    xon_ = newCharacterField(QStringLiteral("SpinXon"), flowGroup);
    xoff_ = newCharacterField(QStringLiteral("SpinXoff"), flowGroup);
    auto *flowForm = new QFormLayout(flowGroup);
    flowForm->addRow(dtrDsr_);
    flowForm->addRow(rtsCts_);
    flowForm->addRow(softwareTransmit_);
    flowForm->addRow(softwareReceive_);
    addLabelledRow(*flowForm, tr("&XON character:"), xon_);
    addLabelledRow(*flowForm, tr("X&OFF character:"), xoff_);
    connect(softwareTransmit_, &QCheckBox::toggled, this, &PortOptionsDialog::enableXonXoff);
    connect(softwareReceive_, &QCheckBox::toggled, this, &PortOptionsDialog::enableXonXoff);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lineForm);
    layout->addWidget(flowGroup);
    layout->addWidget(buttons);
}

void PortOptionsDialog::load(const comms::PortSettings &settings)
{
    loaded_ = settings;
    fillPorts(settings);
    fillBaudRates(settings.baudRate);
    selectData(parity_, int(settings.parity));
    selectData(dataBits_, settings.dataBits);
    selectData(stopBits_, settings.stopBits);
    dtrDsr_->setChecked(settings.hardwareFlow.dtrDsr);
    rtsCts_->setChecked(settings.hardwareFlow.rtsCts);
    const int software = int(settings.softwareFlow);
    softwareTransmit_->setChecked(software & int(comms::SoftwareFlow::Transmit));
    softwareReceive_->setChecked(software & int(comms::SoftwareFlow::Receive));
    xon_->setValue(settings.xonChar);
    xoff_->setValue(settings.xoffChar);
    enableXonXoff();
}

comms::PortSettings PortOptionsDialog::settings() const
{
    comms::PortSettings result = loaded_;
    portChoices_.at(port_->currentIndex()).applyTo(result);
    result.baudRate = baud_->currentData().toInt();
    result.parity = comms::Parity(parity_->currentData().toInt());
    result.dataBits = dataBits_->currentData().toInt();
    result.stopBits = stopBits_->currentData().toInt();
    result.hardwareFlow = {dtrDsr_->isChecked(), rtsCts_->isChecked()};
    result.softwareFlow =
        comms::SoftwareFlow((softwareTransmit_->isChecked() ? int(comms::SoftwareFlow::Transmit) : 0)
                            | (softwareReceive_->isChecked() ? int(comms::SoftwareFlow::Receive) : 0));
    result.xonChar = quint8(xon_->value());
    result.xoffChar = quint8(xoff_->value());
    return result;
}

void PortOptionsDialog::fillPorts(const comms::PortSettings &settings)
{
    portChoices_ = portChoices(machinePortLocations(), settings);
    port_->clear();
    const QString current = choiceForSettings(settings).systemName;
    for (const PortChoice &choice : std::as_const(portChoices_)) {
        port_->addItem(choice.text);
        if (choice.systemName == current)
            port_->setCurrentIndex(port_->count() - 1);
    }
}

void PortOptionsDialog::fillBaudRates(qint32 current)
{
    QList<qint32> rates(StandardBaudRates.begin(), StandardBaudRates.end());
    if (!rates.contains(current)) {
        rates.append(current);
        std::sort(rates.begin(), rates.end());
    }
    baud_->clear();
    for (qint32 rate : std::as_const(rates))
        baud_->addItem(QString::number(rate), rate);
    selectData(baud_, current);
}

void PortOptionsDialog::enableXonXoff()
{
    const bool software = softwareTransmit_->isChecked() || softwareReceive_->isChecked();
    xon_->setEnabled(software);
    xoff_->setEnabled(software);
}

} // namespace olvex::portui
