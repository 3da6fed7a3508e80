#pragma once
// The main window: a VT100 terminal on the program's one serial port, with the
// menus and toolbar that start the probe jobs and open the other windows.
#include "common/FileChooser.h"
#include "common/Messages.h"
#include "comms/ComPort.h"
#include "comms/LineStatusMonitor.h"
#include "probe/CurrentProbe.h"
#include "probe/JobHost.h"
#include "probe/ProbeReplyChannel.h"
#include "probe/ReplyState.h"
#include "transfer/AsciiSender.h"

#include <QMainWindow>
#include <QDialog>

#include <functional>
#include <QPointer>

class QLabel;
class QMenu;
class QToolBar;

namespace olvex::terminal {
class TerminalView;
}
namespace olvex::portui {
class PortOptionsDialog;
class ProtocolStatusWindow;
class StatusLights;
} // namespace olvex::portui
namespace olvex::probe {
class TDetectProbe;
}

namespace olvex::shell {

class StandByPanel;

// The windows the main window opens; they are created after it (so its own
// creation touches none of them) and handed over once they exist.
struct ProgramWindows {
    QDialog *manualSelection = nullptr; // shown modally when identification asks for it
    QDialog *timeSelect = nullptr;      // probe clock, modal
    QDialog *remote = nullptr;          // unattended casts, not modal
    QDialog *castUpload = nullptr;      // modal
    QDialog *telemetry = nullptr;       // modal
    QDialog *referenceEditor = nullptr; // not modal
    QDialog *help = nullptr;            // not modal
    QDialog *about = nullptr;           // modal
    QDialog *colors = nullptr;          // modal
    QDialog *font = nullptr;            // modal
    // Shows the stand-by instructions after an unattended cast was started
    // and returns when the user has closed them.
    std::function<void()> showStandByInstructions;
    // Prepares the unattended-cast window for a probe type before it is shown.
    std::function<void(int probeType)> prepareRemote;
};

// What the main window needs from its surroundings: where its files live and
// how it talks to the user.
struct MainFormServices {
    MessageSink &messages;
    FileChooser &files;
    QString programDirectory; // "Olvex.ini" and the traffic logs live here
};

class TOlvexMainForm : public QMainWindow, public probe::JobHost {
    Q_OBJECT
public:
    // Runs the creation steps: command line, settings file, port opened.
    TOlvexMainForm(const QStringList &arguments, probe::CURRENTPROBE &currentProbe,
                   MainFormServices services, QWidget *parent = nullptr);
    // Writes the settings back when the port is open, then flushes and closes it.
    ~TOlvexMainForm() override;

    void setProgramWindows(const ProgramWindows &windows) { windows_ = windows; }

    comms::ComPort &port() { return ApdComPort1; }
    terminal::TerminalView &terminalView() { return *ApdTerminal1; }
    probe::ProbeReplyChannel &replyChannel() { return *replyChannel_; }
    bool isCapturing() const { return Capturing; }
    bool isJobRunning() const { return !runningJob_.isNull(); }
    QString iniPath() const;

    // Port control and status display.
    void TogglePort() override;
    void UpdateComInfo();
    void ShowStandBy() override;
    void EndStandBy() override;
    void SetProbeCaption(const QByteArray &statusText, const QByteArray &serialNumber);

    // Launchers used by other windows (clock dialog, unattended casts).
    void launchSendCommand();       // job 30
    void launchUnattendedCast();    // job 40

    // JobHost: called from the job's thread.
    void armReplyMatcher(const QByteArray &start, const QByteArray &end, bool include) override;
    bool writeToPort(const QByteArray &bytes) override;
    void setReplyTimerRunning(bool running) override;
    bool isUpgradeCommandEnabled() override;
    void setUpgradeCommandEnabled(bool enabled) override;
    void setProbeCommandsEnabled(bool enabled) override;
    void setTerminalInputEnabled(bool enabled) override;
    void startTrafficLog(const QString &fileName) override;
    void stopTrafficLog() override;
    void setIdentified() override;
    void showManualSelection() override;
    void showStandByInstructions() override;
    void showUpgradeHint() override;
    MessageSink &messages() override { return messages_; }

private:
    void createComponents();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void FormCreate(const QStringList &arguments);
    void readSettings(bool baudFromCommandLine, bool portFromCommandLine);
    void applyFlowControl(int portFlowControl, int portSwControl);
    void writeSettings();

    // Commands.
    void Properties1Click();
    void Raise1Click();
    void Lower1Click();
    void Detect1Click();
    void Upgrade1Click();
    void Stop_CastClick();
    void Remotecast1Click();
    void ReadCastClick();
    void Telemetrytest1Click();
    void Set_TimeClick();
    void Capturetext1Click();
    void Sendtextfile1Click();
    void Copy1Click();
    void Clearwindow1Click();

    // The other windows: shown without or with waiting for them.
    static void showWindow(QDialog *window);
    static void execWindow(QDialog *window);

    bool stopCapture();
    void setCaptureControls(bool capturing);
    bool requirePortOpen(const QString &refusal);
    void startProbeJob(int job);
    void onPortVanished(const QString &reason);

    probe::CURRENTPROBE &CurrentProbe;
    MessageSink &messages_;
    FileChooser &files_;
    QString programDirectory_;
    ProgramWindows windows_;

    // Components.
    comms::ComPort ApdComPort1;
    terminal::TerminalView *ApdTerminal1 = nullptr;
    probe::ReplyState replyState_;
    probe::ProbeReplyChannel *replyChannel_ = nullptr;
    transfer::AsciiSender ApdProtocol1;
    portui::ProtocolStatusWindow *ApdProtocolStatus1 = nullptr;
    comms::LineStatusMonitor ApdSLController1;
    portui::StatusLights *statusLights_ = nullptr;
    portui::PortOptionsDialog *portOptions_ = nullptr;

    // Status bar panels.
    QLabel *statusPort_ = nullptr;
    QLabel *statusOpen_ = nullptr;
    StandByPanel *statusProbe_ = nullptr;

    // Menus and toolbar.
    QMenu *portMenu_ = nullptr;
    QMenu *deployMenu_ = nullptr;
    QMenu *dtrMenu_ = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QAction *Exit1 = nullptr, *Copy1 = nullptr, *Clearwindow1 = nullptr;
    QAction *Properties1 = nullptr, *Open1 = nullptr;
    QAction *Detect1 = nullptr, *Upgrade1 = nullptr, *Set_Time = nullptr, *Remotecast1 = nullptr,
            *Stop_Cast = nullptr, *ReadCast = nullptr, *Telemetrytest1 = nullptr;
    QAction *Font2 = nullptr, *Color1 = nullptr;
    QAction *Sendtextfile1 = nullptr, *Capturetext1 = nullptr;
    QAction *Contents1 = nullptr, *About1 = nullptr;
    QAction *CodeReferencetxt1 = nullptr, *Raise1 = nullptr, *Lower1 = nullptr;
    QAction *ToolButton3 = nullptr, *ToolButton1 = nullptr, *ToolButton2 = nullptr,
            *ToolButton_TimeSet = nullptr, *ToolButtonSetParameters = nullptr, *ToolButton4 = nullptr;

    QString openDialogDirectory_;
    bool Capturing = false;
    int ProbeJob = 0;
    QPointer<probe::TDetectProbe> runningJob_;
};

} // namespace olvex::shell
