#include "probe/mansel0.h"

#include "common/Messages.h"
#include "probe/CurrentProbe.h"
#include "probe/ProbeVariants.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGridLayout>
#include <QTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace olvex::probe {

namespace {
constexpr int DialogFontPixels = 11;
constexpr int HeadingFontPixels = 19;
const QColor Navy(0, 0, 128);
} // namespace

TManualSel::TManualSel(CURRENTPROBE &probe, MessageSink &messages, QWidget *parent)
    : QDialog(parent), probe_(probe), messages_(messages)
{
    setObjectName(QStringLiteral("TManualSel"));
    setWindowTitle(QStringLiteral("Manual selection"));
    QFont dialogFont = font();
    dialogFont.setPixelSize(DialogFontPixels);
    setFont(dialogFont);

    Label1 = new QLabel(QStringLiteral("Please select your  probe revision"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont headingFont = dialogFont;
    headingFont.setPixelSize(HeadingFontPixels);
    Label1->setFont(headingFont);
    QPalette headingPalette = Label1->palette();
    headingPalette.setColor(QPalette::WindowText, Navy);
    Label1->setPalette(headingPalette);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setAccessibleName(QStringLiteral("Probe revision"));
    radioLayout_ = new QGridLayout(RadioGroup1);
    radioButtons_ = new QButtonGroup(this);
    Label1->setBuddy(RadioGroup1);

    Button1 = new QPushButton(QStringLiteral("Accept"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TManualSel::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TManualSel::Button2Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
}

void TManualSel::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    // The dialog places itself over its parent when shown; centre it afterwards.
    QTimer::singleShot(0, this, &TManualSel::centreOnScreen);
}

void TManualSel::centreOnScreen()
{
    if (const QScreen *display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TManualSel::FormShow()
{
    for (QAbstractButton *old : radioButtons_->buttons()) {
        radioButtons_->removeButton(old);
        delete old;
    }
    for (int row = 0; row < int(ProbeVariants.size()); ++row) {
        auto *entry = new QRadioButton(variantCaption(ProbeVariants[std::size_t(row)]), RadioGroup1);
        radioButtons_->addButton(entry, row);
        // Two columns, filled top to bottom, keep the dialog on small screens.
        const int perColumn = (int(ProbeVariants.size()) + 1) / 2;
        radioLayout_->addWidget(entry, row % perColumn, row / perColumn);
    }
    // The new entries count only once the layout has taken them in.
    layout()->activate();
    adjustSize();
}

void TManualSel::Button1Click()
{
    const int row = radioButtons_->checkedId();
    if (row < 0) {
        messages::error(messages_, QStringLiteral("No selection"));
        return;
    }
    applyVariant(ProbeVariants[std::size_t(row)], probe_);
    accept();
}

void TManualSel::Button2Click()
{
    reject();
}

} // namespace olvex::probe
