#pragma once
// The one application object a test program needs for Qt's event loop,
// timers, serial ports and widgets.

namespace olvex::testsupport {

// Creates a QApplication on first call (the offscreen platform in the test
// environment); later calls do nothing.
void ensureApplication();

} // namespace olvex::testsupport
