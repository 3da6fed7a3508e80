#include "transfer/LinePacing.h"

#include <algorithm>

namespace olvex::transfer {

qsizetype nextLineLength(const QByteArray &data, qsizetype from, qsizetype maxLength)
{
    const qsizetype limit = std::min(data.size(), from + maxLength);
    for (qsizetype i = from; i < limit; ++i) {
        if (data[i] == '\n')
            return i + 1 - from;
        if (data[i] == '\r' && (i + 1 >= data.size() || data[i + 1] != '\n'))
            return i + 1 - from;
    }
    return limit - from;
}

bool endsLine(const QByteArray &piece)
{
    return piece.endsWith('\n') || piece.endsWith('\r');
}

timing::Millis wireTime(qsizetype bytes, const comms::PortSettings &settings)
{
    const qint64 bitsPerCharacter =
        1 + settings.dataBits + (settings.parity == comms::Parity::None ? 0 : 1) + settings.stopBits;
    const qint64 baud = std::max<qint64>(settings.baudRate, 1);
    const qint64 bitMillis = qint64(bytes) * bitsPerCharacter * 1000;
    return timing::Millis((bitMillis + baud - 1) / baud);
}

} // namespace olvex::transfer
