#include "transfer/AsciiSender.h"

#include "common/Timings.h"
#include "transfer/LinePacing.h"

#include <QDir>
#include <QFile>

namespace olvex::transfer {

namespace {
// A file without line ends still goes out in pieces of this size, so that
// pacing and progress work for it too.
constexpr qsizetype MaxPieceLength = 256;
} // namespace

AsciiSender::AsciiSender(QObject *parent) : QObject(parent)
{
    pace_.setSingleShot(true);
    // A coarse timer may fire early, and the pause must never be shorter
    // than the time the line needs on the wire.
    pace_.setTimerType(Qt::PreciseTimer);
    connect(&pace_, &QTimer::timeout, this, &AsciiSender::onPaceElapsed);
}

bool AsciiSender::start(const QString &path, comms::ComPort &port, QString *error)
{
    const auto refuse = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QString shownPath = QDir::toNativeSeparators(path);
    if (isSending())
        return refuse(tr("A file is being sent already: %1").arg(QDir::toNativeSeparators(path_)));
    if (!port.isOpen())
        return refuse(tr("Cannot send %1: the port is not open").arg(shownPath));
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    QByteArray data = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError)
        return refuse(tr("Cannot read %1: %2").arg(shownPath, file.errorString()));

    data_ = std::move(data);
    path_ = path;
    sent_ = 0;
    total_ = data_.size();
    portLossReason_.clear();
    port_ = &port;
    state_ = State::Sending;
    portConnections_ = {
        connect(&port, &comms::ComPort::closed, this, &AsciiSender::onPortClosed),
        connect(&port, &comms::ComPort::vanished, this,
                [this](const QString &reason) { portLossReason_ = reason; }),
    };
    emit started(path_, total_);
    if (state_ == State::Sending)
        pace_.start(0);
    return true;
}

void AsciiSender::cancel()
{
    if (state_ != State::Sending)
        return;
    finish(false, stoppedMessage(tr("cancelled by the user")));
}

void AsciiSender::onPaceElapsed()
{
    if (sent_ >= total_)
        finish(true, tr("Transfer complete: %1 bytes sent").arg(total_));
    else
        sendNextLine();
}

void AsciiSender::sendNextLine()
{
    const qsizetype length = nextLineLength(data_, sent_, MaxPieceLength);
    const QByteArray piece = data_.mid(sent_, length);
    if (!port_->write(piece)) {
        finish(false, stoppedMessage(tr("the port refused the data")));
        return;
    }
    sent_ += length;
    // Listeners of the port or of progress() may have closed the port or
    // cancelled meanwhile; only a transfer still running paces on.
    if (state_ != State::Sending)
        return;
    emit progress(sent_, total_);
    if (state_ != State::Sending)
        return;
    const timing::Millis lineDelay =
        endsLine(piece) ? timing::scaled(timing::AsciiLineDelay) : timing::Millis(0);
    pace_.start(wireTime(length, port_->settings()) + lineDelay);
}

void AsciiSender::onPortClosed()
{
    if (state_ != State::Sending)
        return;
    // Nothing more goes out from here on. The port reports why it went away
    // (if it did) right after closing, so the report waits for that.
    state_ = State::PortLost;
    pace_.stop();
    QMetaObject::invokeMethod(this, &AsciiSender::reportPortLoss, Qt::QueuedConnection);
}

void AsciiSender::reportPortLoss()
{
    if (portLossReason_.isEmpty())
        finish(false, stoppedMessage(tr("the port was closed")));
    else
        finish(false, stoppedMessage(tr("the port went away (%1)").arg(portLossReason_)));
}

void AsciiSender::finish(bool completed, const QString &message)
{
    state_ = State::Idle;
    pace_.stop();
    for (const QMetaObject::Connection &connection : std::as_const(portConnections_))
        disconnect(connection);
    portConnections_.clear();
    port_ = nullptr;
    data_.clear();
    emit finished(completed, message);
}

QString AsciiSender::stoppedMessage(const QString &reason) const
{
    return tr("Transfer stopped, %1: %2 of %3 bytes sent")
        .arg(reason, QString::number(sent_), QString::number(total_));
}

} // namespace olvex::transfer
