#include "shell/PendingWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace olvex::shell {

PendingWindow::PendingWindow(const QString &objectName, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(caption + QStringLiteral(" is not available in this version."), this));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace olvex::shell
