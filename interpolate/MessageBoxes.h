#pragma once

#include <QMessageBox>
#include <QString>

// Every message box of the program goes through this interface, so that tests
// can read what would be shown and script the answer.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows a modal box and returns the button that closed it.
    virtual QMessageBox::StandardButton ask(const QString& title, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) = 0;

    // The standard exception display: an error box titled with the
    // application's display name, showing `message` with an OK button.
    void showException(const QString& message);
};

// Real boxes, over the active window.
class ModalMessageBoxes final : public MessageBoxes {
public:
    QMessageBox::StandardButton ask(const QString& title, QMessageBox::Icon icon,
                                    const QString& text,
                                    QMessageBox::StandardButtons buttons) override;
};
