#pragma once
// The far end of a port under test: a pseudo-terminal whose slave a ComPort
// opens by its device path, while the test collects on the master side what
// the program wrote.
#include "probesim/PtyDevice.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <memory>

namespace olvex::testsupport {

class PseudoTerminal {
public:
    // Opens the pseudo-terminal; a failure fails the running test.
    PseudoTerminal();

    // The slave's device path.
    const QString &path() const { return path_; }
    // Everything read from the master so far; reading happens in the event loop.
    const QByteArray &received() const { return received_; }
    // Writes to the master, as a probe would reply.
    void write(const QByteArray &bytes);
    // Closes the pseudo-terminal: for the program the device goes away.
    void hangUp();

private:
    void readAvailable();

    probesim::PtyDevice device_;
    QString path_;
    QByteArray received_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace olvex::testsupport
