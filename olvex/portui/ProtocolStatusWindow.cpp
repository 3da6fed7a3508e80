#include "portui/ProtocolStatusWindow.h"

#include "common/Timings.h"
#include "portui/LabelledRow.h"
#include "transfer/AsciiSender.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace olvex::portui {

namespace {

QLineEdit *newReadOnlyField(const QString &objectName, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setReadOnly(true);
    return field;
}

QPushButton *newButton(const QString &caption, const QString &objectName, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

} // namespace

ProtocolStatusWindow::ProtocolStatusWindow(transfer::AsciiSender &sender, QWidget *parent)
    : QWidget(parent, Qt::Window), sender_(sender)
{
    setObjectName(QStringLiteral("ApdProtocolStatus1"));
    setWindowTitle(tr("Protocol Status"));
    fileName_ = newReadOnlyField(QStringLiteral("ProtocolFileName"), this);
    bytes_ = newReadOnlyField(QStringLiteral("ProtocolBytes"), this);
    percent_ = newReadOnlyField(QStringLiteral("ProtocolPercent"), this);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProtocolProgress"));
    bar_->setRange(0, 100);
    bar_->setTextVisible(false); // the percentage has a field of its own
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("ProtocolResult"));
    result_->setWordWrap(true);
    cancel_ = newButton(tr("Cancel"), QStringLiteral("ButtonCancel"), this);
    close_ = newButton(tr("Close"), QStringLiteral("ButtonClose"), this);

    auto *form = new QFormLayout;
    addLabelledRow(*form, tr("&File name:"), fileName_);
    addLabelledRow(*form, tr("&Bytes transferred:"), bytes_);
    addLabelledRow(*form, tr("P&ercent complete:"), percent_);
    addLabelledRow(*form, tr("&Progress:"), bar_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(close_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(result_);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    refreshTimer_.setInterval(timing::ProtocolStatusRefresh);
    connect(&refreshTimer_, &QTimer::timeout, this, &ProtocolStatusWindow::refresh);
    connect(cancel_, &QPushButton::clicked, &sender_, &transfer::AsciiSender::cancel);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(&sender_, &transfer::AsciiSender::started, this, &ProtocolStatusWindow::onStarted);
    connect(&sender_, &transfer::AsciiSender::finished, this,
            [this](bool, const QString &message) { onFinished(message); });
}

void ProtocolStatusWindow::onStarted()
{
    fileName_->setText(QFileInfo(sender_.filePath()).fileName());
    fileName_->setToolTip(QDir::toNativeSeparators(sender_.filePath()));
    result_->setText(tr("Sending..."));
    cancel_->setVisible(true);
    close_->setVisible(false);
    refresh();
    refreshTimer_.start();
    show();
    raise();
    centreOnDesktop();
    cancel_->setFocus();
}

void ProtocolStatusWindow::onFinished(const QString &message)
{
    refreshTimer_.stop();
    refresh();
    result_->setText(message);
    cancel_->setVisible(false);
    close_->setVisible(true);
    close_->setFocus();
}

void ProtocolStatusWindow::refresh()
{
    const qint64 sent = sender_.bytesSent();
    const qint64 total = sender_.totalBytes();
    const int percent = total > 0 ? int(sent * 100 / total) : (sender_.isSending() ? 0 : 100);
    bytes_->setText(tr("%1 of %2").arg(sent).arg(total));
    percent_->setText(tr("%1%").arg(percent));
    bar_->setValue(percent);
}

void ProtocolStatusWindow::centreOnDesktop()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    adjustSize();
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace olvex::portui
