#pragma once
// The program's message boxes and file dialogs, shown with Qt widgets.
#include "common/FileChooser.h"
#include "common/Messages.h"

namespace olvex::shell {

// Shows messages as modal message boxes on the window thread; callers on
// another thread wait until the user has answered.
class QtMessageSink : public MessageSink {
public:
    MessageAnswer show(const Message &message) override;
};

class QtFileChooser : public FileChooser {
public:
    std::optional<QString> chooseFileToSave(const FileRequest &request) override;
    std::optional<QString> chooseFileToOpen(const FileRequest &request) override;
};

// "Text files (*.txt)|*.TXT|All files (*.*)|*.*" as Qt name filters, each
// pattern in both cases: "Text files (*.txt *.TXT)", "All files (*.*)".
QStringList qtNameFilters(const QString &filter);

} // namespace olvex::shell
