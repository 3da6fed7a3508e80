#pragma once
// Sends a text file through the port as it stands, one line at a time, paced
// so that a slow probe keeps up. The sending runs on the owning thread's event
// loop; the caller gets control back at once.
#include "comms/ComPort.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

namespace olvex::transfer {

class AsciiSender : public QObject {
    Q_OBJECT
public:
    explicit AsciiSender(QObject *parent = nullptr);

    // Reads the whole file and begins sending it through `port`, then returns.
    // False, with the reason in `error`, when a transfer is running already,
    // the port is closed or the file cannot be read; nothing is sent then.
    // On true, started() has been emitted and finished() follows exactly once.
    // `port` must outlive the transfer or close before it goes.
    bool start(const QString &path, comms::ComPort &port, QString *error = nullptr);

    // Stops a running transfer before its next line; finished(false, ...) is
    // emitted before this returns. Does nothing when no transfer runs.
    void cancel();

    // From a successful start() until finished() is emitted.
    bool isSending() const { return state_ != State::Idle; }

    // The file, byte count and total of the running transfer, or of the last
    // one once it has finished.
    const QString &filePath() const { return path_; }
    qint64 bytesSent() const { return sent_; }
    qint64 totalBytes() const { return total_; }

signals:
    void started(const QString &path, qint64 totalBytes);
    // After every line handed to the port; the last one has bytesSent == totalBytes.
    void progress(qint64 bytesSent, qint64 totalBytes);
    // completed: every byte has been sent and has had time to leave the port.
    // Otherwise `message` says why the transfer stopped (cancelled, port
    // closed or gone, data refused) and how far it got.
    void finished(bool completed, const QString &message);

private:
    enum class State { Idle, Sending, PortLost };

    void onPaceElapsed();
    void sendNextLine();
    void onPortClosed();
    void reportPortLoss();
    void finish(bool completed, const QString &message);
    QString stoppedMessage(const QString &reason) const;

    State state_ = State::Idle;
    comms::ComPort *port_ = nullptr;
    QList<QMetaObject::Connection> portConnections_;
    QTimer pace_;
    QByteArray data_;
    QString path_;
    qint64 sent_ = 0;
    qint64 total_ = 0;
    QString portLossReason_;
};

} // namespace olvex::transfer
