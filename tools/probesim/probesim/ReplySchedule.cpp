#include "probesim/ReplySchedule.h"

#include <algorithm>

namespace probesim {

namespace {

std::string withoutDroppedBytes(std::string_view reply, std::size_t dropEvery)
{
    if (dropEvery == 0)
        return std::string(reply);
    std::string kept;
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if ((i + 1) % dropEvery != 0)
            kept.push_back(reply[i]);
    }
    return kept;
}

}  // namespace

void ReplySchedule::add(std::string_view reply, Clock::time_point received,
                        const ReplyShaping& shaping)
{
    const std::string bytes = withoutDroppedBytes(reply, shaping.dropEvery);
    if (bytes.empty())
        return;
    Clock::time_point due = received + shaping.delay;
    if (!pieces_.empty())
        due = std::max(due, pieces_.back().due);
    const std::size_t pieceSize = shaping.pieceSize == 0 ? bytes.size() : shaping.pieceSize;
    for (std::size_t start = 0; start < bytes.size(); start += pieceSize) {
        if (start > 0)
            due += shaping.pieceGap;
        pieces_.push_back({due, bytes.substr(start, pieceSize)});
    }
}

std::optional<ReplySchedule::Clock::time_point> ReplySchedule::nextDue() const
{
    if (pieces_.empty())
        return std::nullopt;
    return pieces_.front().due;
}

std::string_view ReplySchedule::due(Clock::time_point now) const
{
    if (pieces_.empty() || pieces_.front().due > now)
        return {};
    return pieces_.front().bytes;
}

void ReplySchedule::consume(std::size_t count)
{
    std::string& front = pieces_.front().bytes;
    front.erase(0, count);
    if (front.empty())
        pieces_.pop_front();
}

}  // namespace probesim
