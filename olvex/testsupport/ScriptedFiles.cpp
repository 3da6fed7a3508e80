#include "testsupport/ScriptedFiles.h"

namespace olvex::testsupport {

std::optional<QString> ScriptedFiles::chooseFileToSave(const FileRequest &request)
{
    return next(request);
}

std::optional<QString> ScriptedFiles::chooseFileToOpen(const FileRequest &request)
{
    return next(request);
}

std::optional<QString> ScriptedFiles::next(const FileRequest &request)
{
    requests_.push_back(request);
    if (answers_.empty())
        return std::nullopt;
    std::optional<QString> answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace olvex::testsupport
