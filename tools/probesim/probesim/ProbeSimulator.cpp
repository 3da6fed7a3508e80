#include "probesim/ProbeSimulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace probesim {

namespace {

std::string acknowledgement(std::string_view code)
{
    return "\r\nER " + std::string(code) + "\r\n";
}

std::optional<std::string> acknowledged(const Command&)
{
    return acknowledgement(kAcceptedCode);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Milliseconds until `due`, rounded up so that poll() never wakes early.
int pollTimeout(std::optional<ReplySchedule::Clock::time_point> due)
{
    if (!due)
        return -1;
    const auto left = *due - ReplySchedule::Clock::now();
    if (left <= ReplySchedule::Clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

}  // namespace

ProbeSimulator::ProbeSimulator(Config config)
    : config_(std::move(config)),
      // Composed commands (TS, LP, ...) are acknowledged without further ado.
      table_(acknowledged)
{
    installStandardCommands();
}

ProbeSimulator::~ProbeSimulator()
{
    stop();
}

void ProbeSimulator::installStandardCommands()
{
    table_.set(std::string(kStatusCommand), acknowledged);
    table_.set("SO", acknowledged);
    table_.set("VT", [](const Command&) { return std::optional<std::string>("\r\ncmd>"); });
    table_.set("FR", [this](const Command&) {
        return std::optional("FR" + identity().firmware + "\r\n");
    });
    table_.set("PI", [this](const Command&) -> std::optional<std::string> {
        const Identity id = identity();
        if (!id.answersPi)
            return std::nullopt;
        return "\r\nLUMEN KAROS:" + id.type + "\r\nRevision:" + id.revision
               + "\r\nProduct code:" + id.product + "\r\n";
    });
    table_.set("SN", [this](const Command&) {
        return std::optional("SN " + identity().serial + "\r\n");
    });
}

bool ProbeSimulator::start(std::string* error)
{
    std::lock_guard lifecycle(lifecycle_);
    if (service_.joinable()) {
        std::lock_guard lock(mutex_);
        if (running_)
            return true;
    }
    shutDown();

    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    if (!device_.open(linkPath(), error)) {
        closeFd(wakeRead_);
        closeFd(wakeWrite_);
        return false;
    }
    parser_ = CommandParser();
    schedule_ = ReplySchedule();
    {
        std::lock_guard lock(mutex_);
        devicePath_ = device_.slavePath();
        running_ = true;
    }
    service_ = std::thread(&ProbeSimulator::serve, this);
    return true;
}

void ProbeSimulator::stop()
{
    std::lock_guard lifecycle(lifecycle_);
    shutDown();
}

void ProbeSimulator::vanish()
{
    stop();
}

void ProbeSimulator::shutDown()
{
    if (service_.joinable()) {
        const char byte = 0;
        while (::write(wakeWrite_, &byte, 1) < 0 && errno == EINTR) {
        }
        service_.join();
    }
    device_.close();
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
    std::lock_guard lock(mutex_);
    running_ = false;
}

bool ProbeSimulator::isRunning() const
{
    std::lock_guard lock(mutex_);
    return running_;
}

std::string ProbeSimulator::devicePath() const
{
    std::lock_guard lock(mutex_);
    return devicePath_;
}

std::string ProbeSimulator::linkPath() const
{
    std::lock_guard lock(mutex_);
    return config_.linkPath;
}

void ProbeSimulator::serve()
{
    const int master = device_.masterFd();
    bool writeBlocked = false;
    for (;;) {
        pollfd fds[2] = {
            {wakeRead_, POLLIN, 0},
            {master, static_cast<short>(POLLIN | (writeBlocked ? POLLOUT : 0)), 0},
        };
        const int timeout = writeBlocked ? -1 : pollTimeout(schedule_.nextDue());
        if (::poll(fds, 2, timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents != 0)
            break;
        // Our own slave descriptor keeps the line up; a hang-up or a read
        // error here means the device itself is broken.
        const short events = fds[1].revents;
        if ((events & POLLIN) != 0) {
            if (!readInput())
                break;
        } else if ((events & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            break;
        }
        writeBlocked = !writeDue();
    }
    std::lock_guard lock(mutex_);
    running_ = false;
}

bool ProbeSimulator::readInput()
{
    unsigned char buffer[256];
    const ssize_t count = ::read(device_.masterFd(), buffer, sizeof buffer);
    if (count < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    const Clock::time_point at = Clock::now();
    for (ssize_t i = 0; i < count; ++i) {
        std::optional<Dispatch> dispatch;
        {
            std::lock_guard lock(mutex_);
            if (config_.recordTraffic)
                received_.push_back({at, buffer[i]});
            if (std::optional<Command> command = parser_.feed(buffer[i], table_))
                dispatch = dispatchLocked(std::move(*command), at);
        }
        if (!dispatch)
            continue;
        commandArrived_.notify_all();
        std::optional<std::string> reply = dispatch->fixedReply;
        if (!reply && dispatch->handler)
            reply = dispatch->handler(dispatch->command);
        if (reply)
            schedule_.add(*reply, at, dispatch->shaping);
    }
    return true;
}

ProbeSimulator::Dispatch ProbeSimulator::dispatchLocked(Command command, Clock::time_point at)
{
    commands_.push_back({at, command.name, command.text});
    Dispatch dispatch{std::move(command), std::nullopt, {}, config_.faults.shaping};
    Faults& faults = config_.faults;
    if (faults.silent)
        return dispatch;
    const std::string& name = dispatch.command.name;
    if (const auto silenced = faults.silences.find(name); silenced != faults.silences.end()) {
        if (silenced->second != kAlways && --silenced->second <= 0)
            faults.silences.erase(silenced);
        return dispatch;
    }
    if (const auto refused = faults.refusals.find(name); refused != faults.refusals.end()) {
        dispatch.fixedReply = acknowledgement(refused->second);
        return dispatch;
    }
    dispatch.handler = table_.handlerFor(name);
    return dispatch;
}

bool ProbeSimulator::writeDue()
{
    for (;;) {
        const std::string_view bytes = schedule_.due(Clock::now());
        if (bytes.empty())
            return true;
        // Written and recorded under the lock: whoever has received a byte
        // finds it in sentBytes() afterwards. The write does not block.
        std::lock_guard lock(mutex_);
        const ssize_t written = ::write(device_.masterFd(), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return false;
            // The line is broken; what was due is lost, as on a real cable.
            schedule_.consume(bytes.size());
            continue;
        }
        if (config_.recordTraffic) {
            const Clock::time_point at = Clock::now();
            for (ssize_t i = 0; i < written; ++i)
                sent_.push_back({at, static_cast<unsigned char>(bytes[i])});
        }
        schedule_.consume(static_cast<std::size_t>(written));
    }
}

Identity ProbeSimulator::identity() const
{
    std::lock_guard lock(mutex_);
    return config_.identity;
}

void ProbeSimulator::setIdentity(Identity identity)
{
    std::lock_guard lock(mutex_);
    config_.identity = std::move(identity);
}

void ProbeSimulator::setFirmware(std::string text)
{
    std::lock_guard lock(mutex_);
    config_.identity.firmware = std::move(text);
}

void ProbeSimulator::setType(std::string text)
{
    std::lock_guard lock(mutex_);
    config_.identity.type = std::move(text);
}

void ProbeSimulator::setRevision(std::string text)
{
    std::lock_guard lock(mutex_);
    config_.identity.revision = std::move(text);
}

void ProbeSimulator::setProduct(std::string text)
{
    std::lock_guard lock(mutex_);
    config_.identity.product = std::move(text);
}

void ProbeSimulator::setSerial(std::string text)
{
    std::lock_guard lock(mutex_);
    config_.identity.serial = std::move(text);
}

void ProbeSimulator::setAnswersPi(bool answers)
{
    std::lock_guard lock(mutex_);
    config_.identity.answersPi = answers;
}

Faults ProbeSimulator::faults() const
{
    std::lock_guard lock(mutex_);
    return config_.faults;
}

void ProbeSimulator::setFaults(Faults faults)
{
    std::lock_guard lock(mutex_);
    config_.faults = std::move(faults);
}

void ProbeSimulator::clearFaults()
{
    setFaults({});
}

void ProbeSimulator::setSilent(bool silent)
{
    std::lock_guard lock(mutex_);
    config_.faults.silent = silent;
}

void ProbeSimulator::silence(const std::string& command, int times)
{
    std::lock_guard lock(mutex_);
    if (times == 0)
        config_.faults.silences.erase(command);
    else
        config_.faults.silences[command] = times;
}

void ProbeSimulator::refuse(const std::string& command, std::string code)
{
    std::lock_guard lock(mutex_);
    config_.faults.refusals[command] = std::move(code);
}

void ProbeSimulator::accept(const std::string& command)
{
    std::lock_guard lock(mutex_);
    config_.faults.refusals.erase(command);
}

void ProbeSimulator::setReplyDelay(std::chrono::milliseconds delay)
{
    std::lock_guard lock(mutex_);
    config_.faults.shaping.delay = delay;
}

void ProbeSimulator::setSplit(std::size_t bytes, std::chrono::milliseconds gap)
{
    std::lock_guard lock(mutex_);
    config_.faults.shaping.pieceSize = bytes;
    config_.faults.shaping.pieceGap = gap;
}

void ProbeSimulator::setDropEvery(std::size_t n)
{
    std::lock_guard lock(mutex_);
    config_.faults.shaping.dropEvery = n;
}

void ProbeSimulator::setCommandHandler(const std::string& name, Handler handler)
{
    std::lock_guard lock(mutex_);
    table_.set(name, std::move(handler));
}

void ProbeSimulator::setBareWordHandler(const std::string& word, Handler handler)
{
    std::lock_guard lock(mutex_);
    table_.setBareWord(word, std::move(handler));
}

std::vector<TimedByte> ProbeSimulator::receivedBytes() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<TimedByte> ProbeSimulator::sentBytes() const
{
    std::lock_guard lock(mutex_);
    return sent_;
}

std::vector<CommandRecord> ProbeSimulator::commands() const
{
    std::lock_guard lock(mutex_);
    return commands_;
}

std::size_t ProbeSimulator::commandCount(const std::string& name) const
{
    std::lock_guard lock(mutex_);
    return countLocked(name);
}

std::size_t ProbeSimulator::countLocked(const std::string& name) const
{
    return static_cast<std::size_t>(std::count_if(
        commands_.begin(), commands_.end(),
        [&](const CommandRecord& record) { return record.name == name; }));
}

void ProbeSimulator::clearLog()
{
    std::lock_guard lock(mutex_);
    received_.clear();
    sent_.clear();
    commands_.clear();
}

bool ProbeSimulator::waitForCommand(const std::string& name, std::size_t times,
                                    std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return commandArrived_.wait_for(lock, timeout, [&] { return countLocked(name) >= times; });
}

}  // namespace probesim
