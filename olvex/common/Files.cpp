#include "common/Files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace olvex::files {

bool fileInUse(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
#ifdef Q_OS_WIN
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(h);
    return false;
#else
    // POSIX has no share modes; programs that hold a file exclusively take an
    // advisory lock on it (the capture file does), so that is what counts.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
#endif
}

bool replaceFile(const QString &path, const QByteArray &contents, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QString executableDirectory()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace olvex::files
