#pragma once
// A MessageSink for tests: records every message and answers from a script.
#include "common/Messages.h"

#include <deque>
#include <mutex>
#include <vector>

namespace olvex::testsupport {

class ScriptedMessages : public MessageSink {
public:
    // Queues the answers to the next questions (Yes/No boxes), in order.
    // A question with no scripted answer gets No; an OK box gets Ok.
    void answer(MessageAnswer next);

    MessageAnswer show(const Message &message) override;

    std::vector<Message> shown() const;
    // Texts of the messages shown so far, in order.
    std::vector<QString> texts() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::deque<MessageAnswer> answers_;
    std::vector<Message> shown_;
};

} // namespace olvex::testsupport
