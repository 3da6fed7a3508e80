// olvex: the probe terminal.
#include "common/Files.h"
#include "common/Messages.h"
#include "probe/CurrentProbe.h"
#include "probe/mansel0.h"
#include "shell/Olvex0.h"
#include "shell/PendingWindow.h"
#include "shell/QtDialogs.h"

#include <QApplication>

#include <exception>
#include <memory>

using namespace olvex;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    shell::QtMessageSink messages;
    try {
        QApplication::setApplicationName(ApplicationTitle);
        app.setProperty("helpFile", QStringLiteral("olvex.rtf"));

        probe::CURRENTPROBE CurrentProbe;
        shell::QtFileChooser files;
        shell::MainFormServices services{messages, files, files::executableDirectory()};

        // Every window is created once, the main window first: its creation
        // reads the command line and the settings and opens the port.
        shell::TOlvexMainForm mainForm(QApplication::arguments(), CurrentProbe, services);
        const auto pending = [&](const char *name, const QString &caption) {
            return new shell::PendingWindow(QLatin1String(name), caption, &mainForm);
        };
        auto *referenceEditor = pending("FormDeploy", QStringLiteral("CodeReference.txt"));
        pending("Caronte", QStringLiteral("Upgrade"));
        auto *help = pending("HelpForm", QStringLiteral("Help"));
        auto *about = pending("AboutBox", QStringLiteral("About"));
        auto *manualSelection = new probe::TManualSel(CurrentProbe, messages, &mainForm);
        auto *timeSelect = pending("TimeSelect", QStringLiteral("Set time"));
        auto *colors = pending("ColorDialog16", QStringLiteral("Color"));
        auto *remote = pending("Remote", QStringLiteral("Unattended cast"));
        auto *castUpload = pending("LetturaCast", QStringLiteral("Upload cast"));
        auto *telemetry = pending("Telemetry", QStringLiteral("Telemetry test"));
        // The telemetry window runs the main port without software flow control.
        mainForm.port().setSoftwareFlow(comms::SoftwareFlow::None);

        shell::ProgramWindows windows;
        windows.manualSelection = manualSelection;
        windows.timeSelect = timeSelect;
        windows.remote = remote;
        windows.castUpload = castUpload;
        windows.telemetry = telemetry;
        windows.referenceEditor = referenceEditor;
        windows.help = help;
        windows.about = about;
        windows.colors = colors;
        windows.font = pending("FontDialog1", QStringLiteral("Font"));
        mainForm.setProgramWindows(windows);

        mainForm.show();
        return app.exec();
    } catch (const std::exception &error) {
        messages::showException(messages, error);
        return 1;
    }
}
