#pragma once
// Every protocol timing of the program, in one place.
//
// The values are those the probe dialogue relies on; the program always uses
// them as they stand. Tests may shrink them all by one factor so that slow
// conversations run quickly; nothing else may change the scale.
#include <chrono>

namespace olvex::timing {

using Millis = std::chrono::milliseconds;

// Probe jobs: one send-and-wait step.
inline constexpr Millis BeforeCommand{250};     // quiet time before the first byte
inline constexpr Millis BetweenBytes{5};        // gap before every written byte
inline constexpr Millis ReplyTimeout{4000};     // reply timer of the main window
inline constexpr Millis AfterReply{900};        // settle time after every step
inline constexpr Millis ReplyPoll{50};          // how often the job looks at the reply state
inline constexpr Millis ServiceLinePause{100};  // after the lone line feed before "SERV"
inline constexpr Millis PortResetPause{900};    // around closing and reopening a silent port
inline constexpr Millis StopRetryFirstPause{1000};
inline constexpr Millis StopRetrySecondPause{5000};

// Cast upload window.
inline constexpr Millis UploadReplyTimeout{3000};
inline constexpr Millis UploadInfoPause{1000};

// Telemetry window.
inline constexpr Millis TelemetryTick{1000};
inline constexpr Millis TelemetryNoData{3000};

// The port layer counts its matcher time-outs in ticks of this length.
inline constexpr Millis MatcherTick{55};

// Line-status lights: how often the modem lines are read, how long TX/RX stay lit.
inline constexpr Millis LineStatusPoll{100};
inline constexpr Millis TrafficFlash{60};

// ASCII file sending. After each line the sender waits for the line to leave
// at the port's baud rate and then this long more, so that a probe that
// stores every line in flash before reading the next one keeps up.
inline constexpr Millis AsciiLineDelay{20};
// The protocol status window is redrawn every 10 port-layer ticks.
inline constexpr int ProtocolStatusTicks = 10;
inline constexpr Millis ProtocolStatusRefresh = ProtocolStatusTicks * MatcherTick;

// Terminal window: repaints are coalesced to one per interval; cursor blink.
inline constexpr Millis TerminalRepaint{25};
inline constexpr Millis CursorBlink{550};

// Returns `value` shrunk by the test scale (1 in the program).
Millis scaled(Millis value);

// For tests only: every scaled() value is multiplied by `factor` (0 < factor <= 1).
void setTestScale(double factor);

} // namespace olvex::timing
