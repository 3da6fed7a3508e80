#include "terminal/CaptureFile.h"

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#endif

namespace olvex::terminal {

namespace {

QString cannotCreate(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot create the capture file \"%1\": %2").arg(path, reason);
}

QString heldByOther(const QString &path)
{
    return QStringLiteral("The capture file \"%1\" is in use by another program").arg(path);
}

} // namespace

std::optional<QString> CaptureFile::start(const QString &path)
{
    if (auto failure = stop())
        return failure;
    file_.setFileName(path);
    constexpr auto mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
#ifdef Q_OS_WIN
    // Share mode: others may read the capture as it grows, but not write.
    // Creating with it fails before truncation when someone holds the file.
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE,
                                FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION
                   ? heldByOther(path)
                   : cannotCreate(path, QStringLiteral("error %1").arg(GetLastError()));
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY);
    if (fd == -1) {
        CloseHandle(handle);
        return cannotCreate(path, QStringLiteral("no file descriptor left"));
    }
    if (!file_.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return cannotCreate(path, file_.errorString());
    }
#else
    // POSIX has no share modes: an advisory lock is what other programs (and
    // the in-use check) honour. The file is opened without truncation and
    // only emptied once the lock is held, so a held file keeps its content.
    if (!file_.open(mode | QIODevice::Append))
        return cannotCreate(path, file_.errorString());
    if (::flock(file_.handle(), LOCK_EX | LOCK_NB) != 0) {
        file_.close();
        return heldByOther(path);
    }
    if (!file_.resize(0)) {
        const QString reason = file_.errorString();
        file_.close();
        return cannotCreate(path, reason);
    }
#endif
    return std::nullopt;
}

std::optional<QString> CaptureFile::write(const QByteArray &bytes)
{
    if (file_.write(bytes) == bytes.size())
        return std::nullopt;
    return QStringLiteral("Cannot write to the capture file \"%1\": %2")
        .arg(file_.fileName(), file_.errorString());
}

std::optional<QString> CaptureFile::stop()
{
    if (!file_.isOpen())
        return std::nullopt;
    file_.unsetError();
    file_.close();
    if (file_.error() == QFileDevice::NoError)
        return std::nullopt;
    return QStringLiteral("Cannot close the capture file \"%1\": %2")
        .arg(file_.fileName(), file_.errorString());
}

} // namespace olvex::terminal
