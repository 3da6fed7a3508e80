#pragma once

#include <QApplication>

class MessageBoxes;

// The application object: sets the program's title and icon, and shows any
// exception that escapes an event handler with the standard exception display
// instead of letting it unwind through the event loop.
class InterpolateApplication final : public QApplication {
public:
    // `exceptionDisplay` must outlive the application.
    InterpolateApplication(int& argc, char** argv, MessageBoxes& exceptionDisplay);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& exceptionDisplay_;
};
