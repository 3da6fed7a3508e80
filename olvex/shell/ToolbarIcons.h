#pragma once
// The main window's 12-slot icon list, drawn in code so no image files ship.
#include <QIcon>

namespace olvex::shell {

// Slots: 0 identify, 1 upgrade, 2 port closed, 3 port open, 4 send file,
// 5 capture, 6 capturing, 7 stop cast, 8 clock, 9 port parameters,
// 10 upload, 11 telemetry.
QIcon toolbarIcon(int slot);

// The window icon: a probe on its cable.
QIcon windowIcon();

} // namespace olvex::shell
