#pragma once
// A FileChooser for tests: answers from a script and remembers the requests.
#include "common/FileChooser.h"

#include <deque>
#include <vector>

namespace olvex::testsupport {

class ScriptedFiles : public FileChooser {
public:
    // The next dialog's answer; std::nullopt is Cancel. Unscripted dialogs cancel.
    void answer(std::optional<QString> next) { answers_.push_back(std::move(next)); }

    std::optional<QString> chooseFileToSave(const FileRequest &request) override;
    std::optional<QString> chooseFileToOpen(const FileRequest &request) override;

    const std::vector<FileRequest> &requests() const { return requests_; }

private:
    std::optional<QString> next(const FileRequest &request);

    std::deque<std::optional<QString>> answers_;
    std::vector<FileRequest> requests_;
};

} // namespace olvex::testsupport
