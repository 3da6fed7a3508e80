#include "probe/TrafficLog.h"

#include "common/Files.h"
#include "common/Messages.h"
#include "comms/TrafficTrace.h"

#include <QDir>

namespace olvex::probe::trafficlog {

namespace {
// The longest path the log target takes.
constexpr qsizetype MaxTargetLength = 255;
} // namespace

void start(comms::TrafficTrace &trace, const QString &directory, const QString &fileName,
           MessageSink &messages)
{
    const QString path = QDir::toNativeSeparators(directory + QLatin1Char('/') + fileName);
    if (files::fileInUse(path)) {
        messages::error(messages, QStringLiteral("Cannot access ") + path
                                      + QStringLiteral(". Log file will not be written"));
        return;
    }
    trace.start(path.left(MaxTargetLength));
}

void stop(comms::TrafficTrace &trace)
{
    // The log is a courtesy to the service technician: a file that cannot be
    // written costs the job nothing, so it is not reported.
    trace.stopAndWrite();
}

} // namespace olvex::probe::trafficlog
