#pragma once
#include <QByteArray>
#include <QString>

namespace olvex::files {

// True when a file of that name exists and cannot be opened for writing with
// exclusive access right now: not writable, or held locked by another program.
// False when the file does not exist or could be opened (it is closed at once).
bool fileInUse(const QString &path);

// Writes `contents` as the whole new file at `path`, replacing an older one
// only once everything is written. False, with the reason, on failure.
bool replaceFile(const QString &path, const QByteArray &contents, QString *error = nullptr);

// The directory of the running executable, without a trailing separator.
QString executableDirectory();

} // namespace olvex::files
