#include "common/Messages.h"

namespace olvex::messages {

void error(MessageSink &sink, const QString &text)
{
    sink.show({QStringLiteral("Error"), MessageIcon::Stop, text, MessageButtons::Ok});
}

void warning(MessageSink &sink, const QString &text)
{
    sink.show({QStringLiteral("Warning"), MessageIcon::Exclamation, text, MessageButtons::Ok});
}

bool warningQuestion(MessageSink &sink, const QString &text)
{
    return sink.show({QStringLiteral("Warning"), MessageIcon::Exclamation, text,
                      MessageButtons::YesNo})
        == MessageAnswer::Yes;
}

bool confirm(MessageSink &sink, const QString &text)
{
    return sink.show({QStringLiteral("Confirm"), MessageIcon::Question, text,
                      MessageButtons::YesNo})
        == MessageAnswer::Yes;
}

void info(MessageSink &sink, const QString &title, const QString &text)
{
    sink.show({title, MessageIcon::Information, text, MessageButtons::Ok});
}

void probeJobFailed(MessageSink &sink)
{
    sink.show({QStringLiteral("Message Box"), MessageIcon::Exclamation,
               QStringLiteral("Error while talking with probe"), MessageButtons::Ok});
}

void showException(MessageSink &sink, const std::exception &error)
{
    sink.show({ApplicationTitle, MessageIcon::Stop, QString::fromLocal8Bit(error.what()),
               MessageButtons::Ok});
}

} // namespace olvex::messages
