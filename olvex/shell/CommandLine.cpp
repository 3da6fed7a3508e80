#include "shell/CommandLine.h"

#include "common/Text.h"

namespace olvex::shell {

bool isAcceptedBaudRate(int baud)
{
    for (int k = 0, rate = 150; k <= 8; ++k, rate *= 2)
        if (baud == rate)
            return true;
    return baud == 57600 || baud == 115200;
}

CommandLineOptions parseCommandLine(const QStringList &arguments, MessageSink &messages)
{
    CommandLineOptions options;
    const auto argumentAt = [&](int i) { return i < arguments.size() ? arguments[i] : QString(); };
    try {
        for (int i = 0; i < arguments.size(); ++i) {
            const QString &argument = arguments[i];
            if (argument == QLatin1String("--admin")) {
                options.admin = true;
            } else if (argument == QLatin1String("-b")) {
                const int baud = text::toInt(argumentAt(i + 1));
                if (isAcceptedBaudRate(baud)) {
                    options.baudRate = baud;
                    ++i;
                } else {
                    messages::error(messages, QStringLiteral("Not a valid baud rate"));
                }
            } else if (argument == QLatin1String("-p")) {
                options.portNumber = text::toInt(argumentAt(++i));
            } else if (argument == QLatin1String("--device")) {
                const QString path = argumentAt(++i);
                if (path.isEmpty())
                    throw text::ConversionError("Missing device path after --device");
                options.devicePath = path;
            }
        }
    } catch (const text::ConversionError &error) {
        messages::showException(messages, error);
    }
    return options;
}

} // namespace olvex::shell
