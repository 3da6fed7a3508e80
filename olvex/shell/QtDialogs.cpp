#include "shell/QtDialogs.h"

#include "common/WindowThread.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace olvex::shell {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Exclamation:
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

std::optional<QString> runFileDialog(const FileRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A read-only choice makes no sense for a file the program writes.
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

MessageAnswer QtMessageSink::show(const Message &message)
{
    return runOnThreadOf(qApp, [&] {
        QMessageBox box(qtIcon(message.icon), message.title, message.text,
                        message.buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                                 : QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setAccessibleName(message.title);
        box.setAccessibleDescription(message.text);
        switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Ok;
        }
    });
}

std::optional<QString> QtFileChooser::chooseFileToSave(const FileRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtFileChooser::chooseFileToOpen(const FileRequest &request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype open = description.indexOf(QLatin1Char('('));
        if (open >= 0)
            description.truncate(open);
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(QLatin1Char(';'))) {
            for (const QString &variant : {pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        }
        out << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return out;
}

} // namespace olvex::shell
