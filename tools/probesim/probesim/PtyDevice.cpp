#include "probesim/PtyDevice.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace probesim {

namespace {

bool fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool linkPointsAt(const std::string& link, const std::string& target)
{
    char buffer[4096];
    const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
    return length >= 0 && std::string(buffer, static_cast<std::size_t>(length)) == target;
}

}  // namespace

PtyDevice::~PtyDevice()
{
    close();
}

bool PtyDevice::open(const std::string& linkPath, std::string* error)
{
    close();
    const bool opened = [&] {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0)
            return fail(error, "cannot open a pseudo-terminal");
        if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return fail(error, "cannot unlock the pseudo-terminal");
        char name[256];
        if (::ptsname_r(master_, name, sizeof name) != 0)
            return fail(error, "cannot name the pseudo-terminal");
        slavePath_ = name;
        const int flags = ::fcntl(master_, F_GETFL);
        if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
            return fail(error, "cannot make the pseudo-terminal non-blocking");

        slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0)
            return fail(error, "cannot open " + slavePath_);
        termios raw{};
        if (::tcgetattr(slave_, &raw) != 0)
            return fail(error, "cannot read the settings of " + slavePath_);
        ::cfmakeraw(&raw);
        if (::tcsetattr(slave_, TCSANOW, &raw) != 0)
            return fail(error, "cannot set " + slavePath_ + " raw");

        if (linkPath.empty())
            return true;
        struct stat existing{};
        if (::lstat(linkPath.c_str(), &existing) == 0) {
            if (!S_ISLNK(existing.st_mode)) {
                errno = EEXIST;
                return fail(error, "cannot create the link " + linkPath);
            }
            ::unlink(linkPath.c_str());
        }
        if (::symlink(slavePath_.c_str(), linkPath.c_str()) != 0)
            return fail(error, "cannot create the link " + linkPath);
        linkPath_ = linkPath;
        return true;
    }();
    if (!opened)
        close();
    return opened;
}

void PtyDevice::close()
{
    if (!linkPath_.empty() && linkPointsAt(linkPath_, slavePath_))
        ::unlink(linkPath_.c_str());
    linkPath_.clear();
    closeFd(slave_);
    closeFd(master_);
}

}  // namespace probesim
