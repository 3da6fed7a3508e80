#include "probe/ProbeDialogue.h"

#include "probe/CurrentProbe.h"
#include "probe/JobHost.h"
#include "probe/ReplyState.h"

namespace olvex::probe {

namespace {

QByteArray toBytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

} // namespace

MessageAnswer ProbeDialogue::StopAwareMessages::show(const Message &message)
{
    if (stop_.isRaised())
        throw JobInterrupted{JobInterrupted::Cause::StopRequested};
    return target_.show(message);
}

ProbeDialogue::ProbeDialogue(JobHost &host, ReplyState &replies, CURRENTPROBE &probe,
                             StopRequest &stop)
    : host_(host), replies_(replies), probe_(probe), stop_(stop), messages_(host.messages(), stop)
{
}

ProbeDialogue::Reply ProbeDialogue::SendAndWait(const QByteArray &bytes, const QByteArray &start,
                                                const QByteArray &end, bool include)
{
    host_.armReplyMatcher(start, end, include);
    pause(timing::BeforeCommand);
    for (char byte : bytes) {
        pause(timing::BetweenBytes);
        write(QByteArray(1, byte));
    }
    host_.setReplyTimerRunning(true);
    for (;;) {
        const bool timedOut = replies_.ReplyTimedOut();
        if (replies_.PacketArrived())
            return settle(Reply::Arrived);
        pause(timing::ReplyPoll);
        if (timedOut)
            return settle(Reply::TimedOut);
    }
}

std::optional<QByteArray> ProbeDialogue::run(CommandStep step, Retries retries)
{
    const StepDefinition &definition = stepDefinition(step);
    for (std::size_t retry = 0;; ++retry) {
        if (attempt(definition) == Reply::Arrived)
            return cleanReply(definition.cleaning, replies_.ReplyText());
        if (retry == retries.size())
            return std::nullopt;
        pause(retries[retry]);
    }
}

ProbeDialogue::Reply ProbeDialogue::attempt(const StepDefinition &definition)
{
    switch (definition.preamble) {
    case StepPreamble::None:
        break;
    case StepPreamble::LoneLineFeed:
        write("\n");
        pause(timing::ServiceLinePause);
        break;
    case StepPreamble::ClearPreCommandPending:
        probe_.SetPreCommandPending(0);
        break;
    }
    return SendAndWait(bytesOf(definition), toBytes(definition.start), toBytes(definition.end),
                       definition.include);
}

QByteArray ProbeDialogue::bytesOf(const StepDefinition &definition) const
{
    switch (definition.source) {
    case StepBytes::Fixed: return toBytes(definition.bytes);
    case StepBytes::CommandText: return probe_.Command();
    case StepBytes::PreCommandText: return probe_.PreCommand();
    }
    return {};
}

void ProbeDialogue::write(const QByteArray &data)
{
    checkStop();
    if (!host_.writeToPort(data))
        throw JobInterrupted{JobInterrupted::Cause::PortLost};
}

ProbeDialogue::Reply ProbeDialogue::settle(Reply reply)
{
    checkStop();
    host_.setReplyTimerRunning(false);
    pause(timing::AfterReply);
    return reply;
}

void ProbeDialogue::pause(timing::Millis duration)
{
    if (!stop_.waitFor(timing::scaled(duration)))
        throw JobInterrupted{JobInterrupted::Cause::StopRequested};
}

void ProbeDialogue::checkStop() const
{
    if (stop_.isRaised())
        throw JobInterrupted{JobInterrupted::Cause::StopRequested};
}

} // namespace olvex::probe
