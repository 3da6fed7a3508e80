#pragma once
// Stands in for a window whose work the program does not offer yet, so the
// command that opens it says so instead of doing nothing.
#include <QDialog>

namespace olvex::shell {

class PendingWindow : public QDialog {
    Q_OBJECT
public:
    PendingWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
};

} // namespace olvex::shell
