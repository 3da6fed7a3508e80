#pragma once
// Every message box and question of the program goes through MessageSink, so
// that the window layer shows them and tests read and answer them.
#include <QString>

#include <exception>

namespace olvex {

enum class MessageIcon { None, Stop, Exclamation, Question, Information, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    QString title;
    MessageIcon icon = MessageIcon::None;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
};

// Shows a message and returns the user's answer. Implementations may be
// called from any thread; they return only once the user has answered.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message &message) = 0;
};

// Title of the application's standard exception display.
inline const QString ApplicationTitle = QStringLiteral("QuorvelTerminalEmulation");

// The fixed conventions of titles and icons.
namespace messages {

// "Error", stop icon: refused commands, bad input, missing files.
void error(MessageSink &sink, const QString &text);
// "Warning", exclamation icon, OK.
void warning(MessageSink &sink, const QString &text);
// "Warning", exclamation icon, Yes/No: true on Yes.
bool warningQuestion(MessageSink &sink, const QString &text);
// "Confirm", question icon, Yes/No: true on Yes.
bool confirm(MessageSink &sink, const QString &text);
// `title` ("Info" or "Status"), information icon.
void info(MessageSink &sink, const QString &title, const QString &text);
// "Message Box", exclamation icon, "Error while talking with probe".
void probeJobFailed(MessageSink &sink);
// The application's standard exception display: the application title, the
// stop icon and the error's own text.
void showException(MessageSink &sink, const std::exception &error);

} // namespace messages
} // namespace olvex
