#include "AboutBox.h"

#include "ProgramIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* fixedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAccessibleName(QStringLiteral("Program icon"));
    icon->setAlignment(Qt::AlignTop);

    auto* product = fixedLabel(QStringLiteral("ProductName"),
                               QStringLiteral("Interpolation  - Best Fit"), this);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(
        fixedLabel(QStringLiteral("Version"), QStringLiteral("Version: 1.0.0.0"), this));
    texts->addSpacing(8);
    texts->addWidget(fixedLabel(QStringLiteral("Copyright"),
                                QStringLiteral("Written by the probe tools group"), this));
    texts->addWidget(fixedLabel(QStringLiteral("Comments"),
                                QStringLiteral("probe-tools@example.org"), this));

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(12);
    body->addLayout(texts);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(body);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
