#pragma once
// One probe job's side of the conversation, on the job's thread: writes a
// command byte by byte, waits for the reply state, retries as each job says.
//
// Every wait obeys the job's StopRequest. A stop request, and a port that
// refuses a write (it has gone away), end the job at once by throwing
// JobInterrupted out of these calls.
#include "common/Messages.h"
#include "common/Timings.h"
#include "probe/CommandSteps.h"
#include "probe/JobInterruption.h"

#include <QByteArray>

#include <array>
#include <optional>
#include <span>

namespace olvex::probe {

class CURRENTPROBE;
class JobHost;
class ReplyState;

// The pauses between the attempts of a step; a step gets one attempt more
// than it has pauses.
using Retries = std::span<const timing::Millis>;

namespace retries {
inline constexpr std::array<timing::Millis, 0> Once{};
inline constexpr std::array<timing::Millis, 1> UpToTwice{timing::Millis{0}};
// Stopping a cast: the probe may be busy writing its memory for a while.
inline constexpr std::array<timing::Millis, 3> StopCast{
    timing::StopRetryFirstPause, timing::StopRetrySecondPause, timing::Millis{0}};
} // namespace retries

class ProbeDialogue {
public:
    enum class Reply { Arrived, TimedOut };

    // All references must outlive the dialogue. `probe` supplies the Command
    // and PreCommand texts.
    ProbeDialogue(JobHost &host, ReplyState &replies, CURRENTPROBE &probe, StopRequest &stop);

    // Arms the matcher (which forgets the previous reply), waits 250 ms,
    // writes the bytes one at a time each after 5 ms, runs the 4000 ms reply
    // timer and polls the reply state every 50 ms. A reply that is there in
    // the same poll in which the time-out is first seen counts as arrived.
    // Waits 900 ms more before returning either way.
    Reply SendAndWait(const QByteArray &bytes, const QByteArray &start, const QByteArray &end,
                      bool include);

    // Runs `step` until a reply arrives, pausing between attempts as
    // `retries` says. The delivered text, cleaned as the step requires, or
    // nothing when every attempt timed out.
    std::optional<QByteArray> run(CommandStep step, Retries retries = retries::Once);

    // Waits `duration` (scaled like every protocol timing).
    void pause(timing::Millis duration);
    // Ends the job here if a stop has been requested.
    void checkStop() const;

    // The job's message boxes: refused once a stop has been requested, so
    // that a program shutting down shows none.
    MessageSink &messages() { return messages_; }

private:
    class StopAwareMessages : public MessageSink {
    public:
        StopAwareMessages(MessageSink &target, const StopRequest &stop) : target_(target), stop_(stop) {}
        MessageAnswer show(const Message &message) override;

    private:
        MessageSink &target_;
        const StopRequest &stop_;
    };

    Reply attempt(const StepDefinition &definition);
    QByteArray bytesOf(const StepDefinition &definition) const;
    void write(const QByteArray &bytes);
    Reply settle(Reply reply);

    JobHost &host_;
    ReplyState &replies_;
    CURRENTPROBE &probe_;
    StopRequest &stop_;
    StopAwareMessages messages_;
};

} // namespace olvex::probe
