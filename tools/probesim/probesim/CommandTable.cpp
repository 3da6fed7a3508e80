#include "probesim/CommandTable.h"

#include <utility>

namespace probesim {

CommandTable::CommandTable(Handler fallback) : fallback_(std::move(fallback)) {}

void CommandTable::set(const std::string& name, Handler handler)
{
    handlers_[name] = std::move(handler);
}

void CommandTable::setBareWord(const std::string& word, Handler handler)
{
    bareWords_.insert(word);
    handlers_[word] = std::move(handler);
}

const Handler& CommandTable::handlerFor(const std::string& name) const
{
    const auto it = handlers_.find(name);
    return it != handlers_.end() ? it->second : fallback_;
}

bool CommandTable::isBareWord(std::string_view text) const
{
    return bareWords_.find(text) != bareWords_.end();
}

}  // namespace probesim
