#include "comms/ComPort.h"

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

namespace olvex::comms {

QString parityName(Parity parity)
{
    switch (parity) {
    case Parity::None: return QStringLiteral("None");
    case Parity::Odd: return QStringLiteral("Odd");
    case Parity::Even: return QStringLiteral("Even");
    case Parity::Mark: return QStringLiteral("Mark");
    case Parity::Space: return QStringLiteral("Space");
    }
    return {};
}

ComPort::ComPort(QObject *parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &ComPort::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &ComPort::onError);
}

ComPort::~ComPort()
{
    close();
}

QString ComPort::systemNameForNumber(int number)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QString ComPort::displayName() const
{
    return settings_.devicePath.isEmpty() ? QStringLiteral("COM%1").arg(settings_.portNumber)
                                          : settings_.devicePath;
}

QString ComPort::systemName() const
{
    return settings_.devicePath.isEmpty() ? systemNameForNumber(settings_.portNumber)
                                          : settings_.devicePath;
}

bool ComPort::open(QString *error)
{
    if (port_.isOpen())
        return true;
    port_.setPortName(systemName());
    if (!port_.open(QIODevice::ReadWrite)) {
        if (error)
            *error = port_.errorString();
        port_.clearError();
        return false;
    }
    applySettings();
    // Whatever the line carried while nobody listened is stale.
    port_.clear(QSerialPort::AllDirections);
    port_.clearError();
    pending_.clear();
    emit opened();
    return true;
}

void ComPort::close()
{
    if (!port_.isOpen())
        return;
    port_.close();
    port_.clearError();
    emit closed();
}

bool ComPort::isOpen() const
{
    return port_.isOpen();
}

void ComPort::setSettings(const PortSettings &settings)
{
    settings_ = settings;
    if (port_.isOpen())
        applySettings();
}

void ComPort::setPortNumber(int number)
{
    settings_.portNumber = number;
}

void ComPort::setDevicePath(const QString &path)
{
    settings_.devicePath = path;
}

void ComPort::setBaudRate(qint32 baud)
{
    settings_.baudRate = baud;
    if (port_.isOpen())
        port_.setBaudRate(baud);
}

void ComPort::setHardwareFlow(HardwareFlow flow)
{
    settings_.hardwareFlow = flow;
    if (port_.isOpen())
        applySettings();
}

void ComPort::setSoftwareFlow(SoftwareFlow flow)
{
    settings_.softwareFlow = flow;
    if (port_.isOpen())
        applySettings();
}

void ComPort::applySettings()
{
    port_.setBaudRate(settings_.baudRate);
    port_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits));
    static constexpr QSerialPort::Parity parities[] = {
        QSerialPort::NoParity, QSerialPort::OddParity, QSerialPort::EvenParity,
        QSerialPort::MarkParity, QSerialPort::SpaceParity};
    port_.setParity(parities[int(settings_.parity)]);
    port_.setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    // The serial driver offers one hardware handshake (RTS/CTS); DTR/DSR alone
    // is kept as a setting but cannot be enforced by it.
    if (settings_.softwareFlow != SoftwareFlow::None)
        port_.setFlowControl(QSerialPort::SoftwareControl);
    else if (settings_.hardwareFlow.rtsCts)
        port_.setFlowControl(QSerialPort::HardwareControl);
    else
        port_.setFlowControl(QSerialPort::NoFlowControl);
    applySoftwareFlow();
    port_.clearError();
}

void ComPort::applySoftwareFlow()
{
#ifdef Q_OS_UNIX
    // Receive-only or transmit-only XON/XOFF and the two characters are set
    // on the line discipline directly.
    if (settings_.softwareFlow == SoftwareFlow::None)
        return;
    termios tio{};
    const int fd = int(port_.handle());
    if (fd < 0 || tcgetattr(fd, &tio) != 0)
        return;
    const bool receive = settings_.softwareFlow != SoftwareFlow::Transmit;
    const bool transmit = settings_.softwareFlow != SoftwareFlow::Receive;
    tio.c_iflag = (tio.c_iflag & ~tcflag_t(IXON | IXOFF)) | (transmit ? IXON : 0) | (receive ? IXOFF : 0);
    tio.c_cc[VSTART] = cc_t(settings_.xonChar);
    tio.c_cc[VSTOP] = cc_t(settings_.xoffChar);
    tcsetattr(fd, TCSANOW, &tio);
#endif
}

int ComPort::flowState() const
{
    const bool on = settings_.softwareFlow != SoftwareFlow::None || settings_.hardwareFlow.rtsCts
        || settings_.hardwareFlow.dtrDsr;
    return on ? 1 : 0;
}

bool ComPort::setDtr(bool high)
{
    if (!port_.isOpen())
        return false;
    const bool done = port_.setDataTerminalReady(high);
    port_.clearError();
    return done;
}

void ComPort::flush()
{
    if (!port_.isOpen())
        return;
    port_.clear(QSerialPort::AllDirections);
    port_.clearError();
    pending_.clear();
}

bool ComPort::write(const QByteArray &bytes)
{
    if (!port_.isOpen())
        return false;
    if (port_.write(bytes) != bytes.size())
        return false;
    trace_.record(Direction::Sent, bytes.constData(), bytes.size());
    emit dataSent(bytes);
    return true;
}

LineStatus ComPort::lineStatus()
{
    if (!port_.isOpen())
        return {};
    const QSerialPort::PinoutSignals pins = port_.pinoutSignals();
    if (port_.error() != QSerialPort::NoError) {
        port_.clearError();
        return {};
    }
    return {true, pins.testFlag(QSerialPort::DataSetReadySignal),
            pins.testFlag(QSerialPort::ClearToSendSignal),
            pins.testFlag(QSerialPort::DataCarrierDetectSignal)};
}

void ComPort::onReadyRead()
{
    pending_ += port_.readAll();
    if (delivering_)
        return;
    delivering_ = true;
    while (!pending_.isEmpty()) {
        const QByteArray chunk = std::exchange(pending_, QByteArray());
        trace_.record(Direction::Received, chunk.constData(), chunk.size());
        emit dataReceived(chunk);
    }
    delivering_ = false;
}

void ComPort::onError(QSerialPort::SerialPortError error)
{
    // A pulled adapter shows as a resource error; a hung-up line (the far end
    // of a pseudo-terminal closed) as a read error that would repeat forever.
    const bool deviceLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!deviceLost || !port_.isOpen())
        return;
    const QString reason = port_.errorString();
    close();
    emit vanished(reason);
}

} // namespace olvex::comms
