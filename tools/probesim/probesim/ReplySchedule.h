#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace probesim {

// How replies are mangled on their way out, to mimic slow, bursty or lossy
// lines.
struct ReplyShaping {
    // Time between the command's last byte and the reply's first.
    std::chrono::milliseconds delay{0};
    // Replies are written in pieces of this many bytes; 0 writes each reply
    // in one piece.
    std::size_t pieceSize = 0;
    // Pause between two pieces of one reply.
    std::chrono::milliseconds pieceGap{0};
    // Every Nth byte of each reply (counted from 1 within that reply) is
    // lost; 0 loses nothing.
    std::size_t dropEvery = 0;
};

// Queue of reply pieces, each with the earliest time it may be written.
// Replies leave in the order they were added: one is never started before
// the previous one has been scheduled completely. Not thread-safe.
class ReplySchedule {
public:
    using Clock = std::chrono::steady_clock;

    // Queues `reply` as the answer to a command received at `received`.
    void add(std::string_view reply, Clock::time_point received, const ReplyShaping& shaping);

    // When the next piece is due, or nothing when the queue is empty.
    std::optional<Clock::time_point> nextDue() const;

    // The unwritten bytes of the first piece if it is due at `now`, else empty.
    std::string_view due(Clock::time_point now) const;

    // Marks `count` bytes of the first piece as written; the queue must not
    // be empty and `count` must not exceed what due() returned.
    void consume(std::size_t count);

    bool empty() const { return pieces_.empty(); }

private:
    struct Piece {
        Clock::time_point due;
        std::string bytes;
    };

    std::deque<Piece> pieces_;
};

}  // namespace probesim
