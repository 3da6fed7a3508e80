#include "InterpolateApplication.h"

#include "MessageBoxes.h"
#include "ProgramIcon.h"

#include <exception>

InterpolateApplication::InterpolateApplication(int& argc, char** argv,
                                               MessageBoxes& exceptionDisplay)
    : QApplication(argc, argv), exceptionDisplay_(exceptionDisplay)
{
    setApplicationName(QStringLiteral("interpolate"));
    setApplicationDisplayName(QStringLiteral("Interpolate (best fit) experimental data"));
    setWindowIcon(ProgramIcon());
}

bool InterpolateApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        exceptionDisplay_.showException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        exceptionDisplay_.showException(QString());
    }
    return true;
}
