#pragma once
// The program's serial port: parameters, open/close, writing, and the one
// place where received bytes enter the program.
//
// Received bytes are handed out in order through dataReceived(). A handler
// that runs a nested event loop cannot make bytes overtake each other: bytes
// that arrive meanwhile are delivered after the handler returns.
#include "comms/TrafficTrace.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

namespace olvex::comms {

enum class Parity { None, Odd, Even, Mark, Space };
enum class SoftwareFlow { None = 0, Receive = 1, Transmit = 2, Both = 3 };

struct HardwareFlow {
    bool dtrDsr = false; // DTR used, DSR required
    bool rtsCts = false; // RTS used, CTS required
    bool operator==(const HardwareFlow &) const = default;
};

struct PortSettings {
    int portNumber = 1;
    QString devicePath;        // overrides portNumber when not empty
    qint32 baudRate = 115200;
    int dataBits = 8;          // 5 to 8
    Parity parity = Parity::None;
    int stopBits = 1;          // 1 or 2
    HardwareFlow hardwareFlow{false, true};
    SoftwareFlow softwareFlow = SoftwareFlow::None;
    quint8 xonChar = 17;
    quint8 xoffChar = 19;
    bool operator==(const PortSettings &) const = default;
};

struct LineStatus {
    bool available = false; // false where the lines cannot be read (pseudo-terminals)
    bool dsr = false;
    bool cts = false;
    bool dcd = false;
    bool operator==(const LineStatus &) const = default;
};

QString parityName(Parity parity);

class ComPort : public QObject {
    Q_OBJECT
public:
    explicit ComPort(QObject *parent = nullptr);
    ~ComPort() override;

    // The system name of port number n: "COMn" on Windows, /dev/ttyS(n-1) elsewhere.
    static QString systemNameForNumber(int number);

    // Opens with the current settings. False, with the reason in `error`, when
    // the port cannot be opened; the port then stays closed.
    bool open(QString *error = nullptr);
    // Closes; does nothing when closed.
    void close();
    bool isOpen() const;

    const PortSettings &settings() const { return settings_; }
    // Stores the settings and applies them at once when the port is open.
    void setSettings(const PortSettings &settings);
    // Copies every setting of `other` (the options dialog's port object).
    void copySettingsFrom(const ComPort &other) { setSettings(other.settings()); }

    void setPortNumber(int number);
    void setDevicePath(const QString &path);
    void setBaudRate(qint32 baud);
    void setHardwareFlow(HardwareFlow flow);
    void setSoftwareFlow(SoftwareFlow flow);

    // "COMn" for a numbered port, or the device path that replaces it.
    QString displayName() const;
    // What the port layer opens: the device path, or the system name of the number.
    QString systemName() const;

    // 0 when no flow control is in effect, 1 when it is on and not holding.
    // (2 to 7 would mean holding; the serial driver does not report that.)
    int flowState() const;

    // Raises or lowers DTR. False when the line cannot be set (a pseudo-terminal
    // has none); that is not a port failure.
    bool setDtr(bool high);
    // Discards what waits in the input and output buffers.
    void flush();

    // Writes bytes. False when the port is closed or refuses them.
    bool write(const QByteArray &bytes);

    LineStatus lineStatus();

    TrafficTrace &trace() { return trace_; }

signals:
    void dataReceived(const QByteArray &bytes);
    void dataSent(const QByteArray &bytes);
    void opened();
    void closed();
    // The device went away while open (adapter pulled). The port is closed
    // already when this is emitted; it is emitted once per loss.
    void vanished(const QString &reason);

private:
    void applySettings();
    void applySoftwareFlow();
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    PortSettings settings_;
    TrafficTrace trace_;
    QByteArray pending_;
    bool delivering_ = false;
};

} // namespace olvex::comms
