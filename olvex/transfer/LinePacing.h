#pragma once
// How an ASCII transfer cuts a file into lines and how long each line keeps
// the wire busy.
#include "comms/ComPort.h"
#include "common/Timings.h"

#include <QByteArray>

namespace olvex::transfer {

// Number of bytes of the piece that starts at `from`: up to and including the
// next line end (LF, CR LF, or a CR not followed by LF), but never more than
// `maxLength` (> 0), so that a file without line ends still goes out in
// paced pieces. 0 when `from` is at the end of `data`.
qsizetype nextLineLength(const QByteArray &data, qsizetype from, qsizetype maxLength);

// True when `piece` ends a line (its last byte is LF or CR).
bool endsLine(const QByteArray &piece);

// The time `bytes` characters need on the wire with the framing and baud rate
// of `settings` (start bit, data bits, parity bit, stop bits), rounded up to
// the next millisecond.
timing::Millis wireTime(qsizetype bytes, const comms::PortSettings &settings);

} // namespace olvex::transfer
