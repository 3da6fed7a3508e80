#include "testsupport/ScriptedMessages.h"

namespace olvex::testsupport {

void ScriptedMessages::answer(MessageAnswer next)
{
    std::lock_guard lock(mutex_);
    answers_.push_back(next);
}

MessageAnswer ScriptedMessages::show(const Message &message)
{
    std::lock_guard lock(mutex_);
    shown_.push_back(message);
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers_.empty())
        return MessageAnswer::No;
    const MessageAnswer next = answers_.front();
    answers_.pop_front();
    return next;
}

std::vector<Message> ScriptedMessages::shown() const
{
    std::lock_guard lock(mutex_);
    return shown_;
}

std::vector<QString> ScriptedMessages::texts() const
{
    std::lock_guard lock(mutex_);
    std::vector<QString> out;
    for (const Message &m : shown_)
        out.push_back(m.text);
    return out;
}

void ScriptedMessages::clear()
{
    std::lock_guard lock(mutex_);
    shown_.clear();
}

} // namespace olvex::testsupport
