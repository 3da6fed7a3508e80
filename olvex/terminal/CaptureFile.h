#pragma once
// The file the terminal copies received bytes into while capture is on.
//
// The file is held exclusively for writing from start() to stop(), so a
// second program (or a second capture) cannot write into it meanwhile. Bytes
// go to the file exactly as received, unbuffered, so the file is complete at
// every moment. Failures come back as a message for the user; nothing throws.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace olvex::terminal {

class CaptureFile {
public:
    // Creates `path`, or empties it when it exists, and keeps it open. A
    // capture already running is stopped first. On failure (the file cannot be
    // created, or another program holds it) the file is not touched, no
    // capture runs, and the message is returned.
    [[nodiscard]] std::optional<QString> start(const QString &path);

    // Appends `bytes` unchanged. Precondition: isOpen(). On failure the file
    // stays open with whatever part of `bytes` reached it.
    [[nodiscard]] std::optional<QString> write(const QByteArray &bytes);

    // Closes the file; does nothing when no capture runs.
    [[nodiscard]] std::optional<QString> stop();

    bool isOpen() const { return file_.isOpen(); }

private:
    QFile file_;
};

} // namespace olvex::terminal
