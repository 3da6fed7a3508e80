#pragma once
// Records the bytes sent to and received from the port, with their direction
// and order, and writes them to a file on request.
#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <mutex>
#include <vector>

namespace olvex::comms {

enum class Direction { Sent, Received };

class TrafficTrace {
public:
    // Starts a new trace for `targetPath`, forgetting an earlier one.
    void start(const QString &targetPath);
    bool isOn() const;
    QString targetPath() const;

    // Appends bytes; ignored while the trace is off. Thread-safe.
    void record(Direction direction, const char *data, qsizetype size);

    // Writes everything traced since start() to the target, replacing an older
    // file, and switches the trace off. False (with `error`) when the file
    // cannot be written; the trace is switched off all the same.
    bool stopAndWrite(QString *error = nullptr);

    // The text stopAndWrite() writes: one line per run of bytes in one
    // direction, "[   12.345] TX: ..." with the elapsed seconds, printable
    // ASCII as is and every other byte as an escape (\r, \n, \t, \\, \xHH).
    QByteArray text() const;

private:
    struct Run {
        Direction direction;
        qint64 startedMs;
        QByteArray bytes;
    };

    mutable std::mutex mutex_;
    bool on_ = false;
    QString target_;
    QElapsedTimer clock_;
    std::vector<Run> runs_;
};

} // namespace olvex::comms
