#pragma once
// Incremental reply matcher on a byte stream: skips input until a start
// string, then collects until an end string or a fixed number of bytes.
//
// Pure and synchronous: feed() it bytes in chunks of any size; it reports how
// many it consumed, and stops right after a completed packet so the caller can
// hand the rest of the chunk to whatever it arms next. It never re-arms itself.
#include <QByteArray>

#include <vector>

namespace olvex::comms {

struct PacketSettings {
    QByteArray startString;   // empty: collecting starts with the first byte
    QByteArray endString;     // used when packetSize is 0
    int packetSize = 0;       // > 0: the packet ends after this many collected bytes
    bool includeStrings = true; // deliver the start and end strings with the data
};

class PacketMatcher {
public:
    enum class State { Idle, Skipping, Collecting };

    // Starts looking for a packet with `settings`; drops anything collected.
    void arm(const PacketSettings &settings);
    // Stops looking; drops anything collected.
    void disarm();

    State state() const { return state_; }

    // Consumes bytes from `data` until a packet completes or the input ends.
    // Returns the number of bytes consumed (less than `size` only when a
    // packet completed). Does nothing while Idle and returns 0.
    qsizetype feed(const char *data, qsizetype size);

    // True after a packet completed; the matcher is then Idle.
    bool hasPacket() const { return hasPacket_; }
    // Returns the completed packet and forgets it.
    QByteArray takePacket();

private:
    // Knuth-Morris-Pratt search state for one pattern fed byte by byte.
    class Search {
    public:
        void reset(const QByteArray &pattern);
        // Advances by one byte; true when the whole pattern has just been seen.
        bool step(char byte);
        const QByteArray &pattern() const { return pattern_; }
        int matched() const { return matched_; }

    private:
        QByteArray pattern_;
        std::vector<int> failure_;
        int matched_ = 0;
    };

    qsizetype skip(const char *data, qsizetype size);
    qsizetype collect(const char *data, qsizetype size);
    void complete();

    PacketSettings settings_;
    State state_ = State::Idle;
    Search start_;
    Search end_;
    QByteArray collected_;
    QByteArray packet_;
    bool hasPacket_ = false;
};

} // namespace olvex::comms
