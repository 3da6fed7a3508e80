#include "PtyClient.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

PtyClient::~PtyClient()
{
    close();
}

bool PtyClient::open(const std::string& path)
{
    close();
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return false;
    termios raw{};
    if (::tcgetattr(fd_, &raw) != 0) {
        close();
        return false;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(fd_, TCSANOW, &raw);
    return true;
}

void PtyClient::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool PtyClient::send(std::string_view bytes)
{
    for (const char byte : bytes) {
        std::this_thread::sleep_for(kByteGap);
        if (::write(fd_, &byte, 1) != 1)
            return false;
    }
    return true;
}

std::string PtyClient::read(std::size_t count, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string received;
    while (received.size() < count) {
        pollfd fd{fd_, POLLIN, 0};
        if (::poll(&fd, 1, millisecondsLeft(deadline)) <= 0 || (fd.revents & POLLIN) == 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - received.size()));
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

bool PtyClient::waitForHangUp(std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        pollfd fd{fd_, POLLIN, 0};
        const int ready = ::poll(&fd, 1, millisecondsLeft(deadline));
        if (ready <= 0)
            return false;
        if ((fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
            return true;
        char byte;
        const ssize_t n = ::read(fd_, &byte, 1);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
            return true;
    }
}
