#include "testsupport/TestApplication.h"

#include <QApplication>

namespace olvex::testsupport {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "olvex_tests";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

} // namespace olvex::testsupport
