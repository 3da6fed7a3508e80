#include "MessageBoxes.h"

#include <QApplication>

void MessageBoxes::showException(const QString& message)
{
    ask(QGuiApplication::applicationDisplayName(), QMessageBox::Critical, message,
        QMessageBox::Ok);
}

QMessageBox::StandardButton ModalMessageBoxes::ask(const QString& title, QMessageBox::Icon icon,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
