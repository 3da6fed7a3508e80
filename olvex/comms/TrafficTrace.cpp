#include "comms/TrafficTrace.h"

#include "common/Files.h"

namespace olvex::comms {

void TrafficTrace::start(const QString &targetPath)
{
    std::lock_guard lock(mutex_);
    on_ = true;
    target_ = targetPath;
    runs_.clear();
    clock_.start();
}

bool TrafficTrace::isOn() const
{
    std::lock_guard lock(mutex_);
    return on_;
}

QString TrafficTrace::targetPath() const
{
    std::lock_guard lock(mutex_);
    return target_;
}

void TrafficTrace::record(Direction direction, const char *data, qsizetype size)
{
    std::lock_guard lock(mutex_);
    if (!on_ || size <= 0)
        return;
    // Bytes written one by one a few milliseconds apart belong to one command.
    if (runs_.empty() || runs_.back().direction != direction)
        runs_.push_back({direction, clock_.elapsed(), {}});
    runs_.back().bytes.append(data, size);
}

QByteArray TrafficTrace::text() const
{
    std::lock_guard lock(mutex_);
    QByteArray out;
    for (const Run &run : runs_) {
        out += QString::asprintf("[%8.3f] %s: ", double(run.startedMs) / 1000.0,
                                 run.direction == Direction::Sent ? "TX" : "RX")
                   .toLatin1();
        for (char c : run.bytes) {
            const auto b = static_cast<unsigned char>(c);
            switch (b) {
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\\': out += "\\\\"; break;
            default:
                if (b >= 0x20 && b < 0x7F)
                    out += char(b);
                else
                    out += "\\x" + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
            }
        }
        out += "\r\n";
    }
    return out;
}

bool TrafficTrace::stopAndWrite(QString *error)
{
    const QByteArray contents = text();
    QString target;
    {
        std::lock_guard lock(mutex_);
        if (!on_)
            return true;
        on_ = false;
        target = target_;
        runs_.clear();
    }
    return files::replaceFile(target, contents, error);
}

} // namespace olvex::comms
