#include "comms/PacketMatcher.h"

#include <cstring>

namespace olvex::comms {

void PacketMatcher::Search::reset(const QByteArray &pattern)
{
    pattern_ = pattern;
    matched_ = 0;
    failure_.assign(std::size_t(pattern.size()), 0);
    for (int i = 1, k = 0; i < pattern.size(); ++i) {
        while (k > 0 && pattern[i] != pattern[k])
            k = failure_[std::size_t(k - 1)];
        if (pattern[i] == pattern[k])
            ++k;
        failure_[std::size_t(i)] = k;
    }
}

bool PacketMatcher::Search::step(char byte)
{
    while (matched_ > 0 && pattern_[matched_] != byte)
        matched_ = failure_[std::size_t(matched_ - 1)];
    if (pattern_[matched_] == byte)
        ++matched_;
    if (matched_ == pattern_.size()) {
        matched_ = 0;
        return true;
    }
    return false;
}

void PacketMatcher::arm(const PacketSettings &settings)
{
    settings_ = settings;
    collected_.clear();
    packet_.clear();
    hasPacket_ = false;
    start_.reset(settings.startString);
    end_.reset(settings.endString);
    state_ = settings.startString.isEmpty() ? State::Collecting : State::Skipping;
    if (state_ == State::Collecting && settings.packetSize <= 0 && settings.endString.isEmpty())
        state_ = State::Idle; // nothing could ever complete
}

void PacketMatcher::disarm()
{
    state_ = State::Idle;
    collected_.clear();
}

QByteArray PacketMatcher::takePacket()
{
    hasPacket_ = false;
    return std::exchange(packet_, QByteArray());
}

qsizetype PacketMatcher::feed(const char *data, qsizetype size)
{
    qsizetype used = 0;
    if (state_ == State::Skipping)
        used += skip(data, size);
    if (state_ == State::Collecting)
        used += collect(data + used, size - used);
    return used;
}

qsizetype PacketMatcher::skip(const char *data, qsizetype size)
{
    const char first = start_.pattern()[0];
    qsizetype i = 0;
    while (i < size) {
        if (start_.matched() == 0) {
            // Nothing partially matched: jump straight to the next candidate.
            const void *hit = std::memchr(data + i, first, std::size_t(size - i));
            if (!hit)
                return size;
            i = static_cast<const char *>(hit) - data;
        }
        if (start_.step(data[i++])) {
            state_ = State::Collecting;
            if (settings_.includeStrings)
                collected_ = settings_.startString;
            return i;
        }
    }
    return i;
}

qsizetype PacketMatcher::collect(const char *data, qsizetype size)
{
    if (settings_.packetSize > 0) {
        const qsizetype wanted = settings_.packetSize
            - (collected_.size() - (settings_.includeStrings ? settings_.startString.size() : 0));
        const qsizetype take = std::min(size, wanted);
        collected_.append(data, take);
        if (take == wanted)
            complete();
        return take;
    }
    const char first = end_.pattern()[0];
    qsizetype i = 0;
    while (i < size) {
        if (end_.matched() == 0) {
            const void *hit = std::memchr(data + i, first, std::size_t(size - i));
            const qsizetype next = hit ? static_cast<const char *>(hit) - data : size;
            collected_.append(data + i, next - i);
            i = next;
            if (i == size)
                break;
        }
        collected_.append(data[i]);
        if (end_.step(data[i++])) {
            if (!settings_.includeStrings)
                collected_.chop(settings_.endString.size());
            complete();
            break;
        }
    }
    return i;
}

void PacketMatcher::complete()
{
    packet_ = std::exchange(collected_, QByteArray());
    hasPacket_ = true;
    state_ = State::Idle;
}

} // namespace olvex::comms
