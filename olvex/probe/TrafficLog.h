#pragma once
// The traffic log of the identification and upgrade jobs: the port's trace
// of every byte of one job, written to a file in the program's directory.
// Both run on the window thread, where the port and its trace live.
#include <QString>

namespace olvex {
class MessageSink;
}
namespace olvex::comms {
class TrafficTrace;
}

namespace olvex::probe::trafficlog {

// Starts tracing into `directory`/`fileName` (the path cut to 255 characters).
// When a file of that name is held by another program, tells the user
// "Cannot access <path>. Log file will not be written" and leaves the trace off.
void start(comms::TrafficTrace &trace, const QString &directory, const QString &fileName,
           MessageSink &messages);

// Writes what was traced since start() over the target file and switches the
// trace off; does nothing when it is off.
void stop(comms::TrafficTrace &trace);

} // namespace olvex::probe::trafficlog
