#pragma once
// Every file dialog of the program goes through FileChooser, so that the
// window layer shows them and tests choose the files.
#include <QString>

#include <optional>

namespace olvex {

struct FileRequest {
    QString title;
    // Pairs of description and pattern, "|"-separated, as the program states
    // them: "Text files (*.txt)|*.TXT|All files (*.*)|*.*". Patterns match
    // without regard to case.
    QString filter;
    QString defaultSuffix; // appended when the user types a name without one
    QString directory;     // where the dialog starts; empty: where it was last
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The file to write, after the user confirmed overwriting an existing one;
    // empty on Cancel.
    virtual std::optional<QString> chooseFileToSave(const FileRequest &request) = 0;
    // An existing file to read; empty on Cancel.
    virtual std::optional<QString> chooseFileToOpen(const FileRequest &request) = 0;
};

} // namespace olvex
