#include "shell/Olvex0.h"

#include "common/Files.h"
#include "common/Text.h"
#include "common/WindowThread.h"
#include "portui/PortOptionsDialog.h"
#include "portui/ProtocolStatusWindow.h"
#include "portui/StatusLights.h"
#include "probe/TDetectProbe.h"
#include "probe/TrafficLog.h"
#include "shell/ColorNames.h"
#include "shell/CommandLine.h"
#include "shell/IniFile.h"
#include "shell/StandByPanel.h"
#include "shell/ToolbarIcons.h"
#include "terminal/TerminalView.h"
#include "terminal/VtEmulator.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace olvex::shell {

namespace {

const QString DesignedCaption = QStringLiteral("QUORVEL LUMEN KAROS 4xx Terminal Emulation");
const QString PleaseOpenPort = QStringLiteral("Please open port first");
const QString CaptureFilter =
    QStringLiteral("Text files (*.txt)|*.TXT|Log files (*.log)|*.LOG|All files (*.*)|*.*");

// Section and key names of "Olvex.ini".
const QString TerminalFontSection = QStringLiteral("TerminalFont");
const QString TerminalSection = QStringLiteral("Terminal");
const QString ComPortSection = QStringLiteral("ComPort");

QAction *makeAction(QObject *owner, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TOlvexMainForm::TOlvexMainForm(const QStringList &arguments, probe::CURRENTPROBE &currentProbe,
                               MainFormServices services, QWidget *parent)
    : QMainWindow(parent), CurrentProbe(currentProbe), messages_(services.messages),
      files_(services.files), programDirectory_(services.programDirectory),
      ApdSLController1(ApdComPort1)
{
    setObjectName(QStringLiteral("OlvexMainForm"));
    createComponents();
    createMenus();
    createToolBar();
    createStatusBar();
    setWindowTitle(DesignedCaption);
    setWindowIcon(windowIcon());
    resize(813, 787);
    setMaximumWidth(940);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate(arguments);
}

TOlvexMainForm::~TOlvexMainForm()
{
    // A job cannot outlive the window it talks to.
    if (runningJob_)
        runningJob_->stopAndWait();
    if (Capturing)
        ApdTerminal1->stopCapture(nullptr);
    if (ApdComPort1.isOpen()) {
        writeSettings();
        ApdComPort1.flush();
        ApdComPort1.close();
    }
}

QString TOlvexMainForm::iniPath() const
{
    return programDirectory_ + QStringLiteral("/Olvex.ini");
}

// ---------------------------------------------------------------------------
// Construction

void TOlvexMainForm::createComponents()
{
    // The window's designed port settings; creation then sets 9600 baud, port 1.
    comms::PortSettings designed;
    designed.baudRate = 115200;
    designed.hardwareFlow = {false, true};
    ApdComPort1.setSettings(designed);

    ApdTerminal1 = new terminal::TerminalView(this);
    ApdTerminal1->setObjectName(QStringLiteral("ApdTerminal1"));
    ApdTerminal1->emulator()->setObjectName(QStringLiteral("ApdEmulator1"));
    setCentralWidget(ApdTerminal1);
    connect(&ApdComPort1, &comms::ComPort::dataReceived, ApdTerminal1,
            &terminal::TerminalView::receive);
    connect(ApdTerminal1, &terminal::TerminalView::bytesTyped, this,
            [this](const QByteArray &bytes) { ApdComPort1.write(bytes); });
    connect(&ApdComPort1, &comms::ComPort::vanished, this, &TOlvexMainForm::onPortVanished);
    // A capture file that can no longer be written (disk full, medium gone)
    // has been closed by the terminal: say so and show capture as off.
    connect(ApdTerminal1, &terminal::TerminalView::captureFailed, this, [this](const QString &reason) {
        setCaptureControls(false);
        messages::error(messages_, QStringLiteral("Capture stopped: ") + reason);
    });

    replyChannel_ = new probe::ProbeReplyChannel(ApdComPort1, replyState_, this);

    ApdProtocolStatus1 = new portui::ProtocolStatusWindow(ApdProtocol1, this);
}

void TOlvexMainForm::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    Exit1 = makeAction(this, "Exit1", QStringLiteral("Exit"));
    file->addAction(Exit1);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    Copy1 = makeAction(this, "Copy1", QStringLiteral("Copy selection to clipboard"));
    Clearwindow1 = makeAction(this, "Clearwindow1", QStringLiteral("Clear window"));
    edit->addActions({Copy1, Clearwindow1});
    connect(Copy1, &QAction::triggered, this, &TOlvexMainForm::Copy1Click);
    connect(Clearwindow1, &QAction::triggered, this, &TOlvexMainForm::Clearwindow1Click);

    portMenu_ = menuBar()->addMenu(QStringLiteral("Port"));
    portMenu_->setObjectName(QStringLiteral("Port1"));
    Properties1 = makeAction(this, "Properties1", QStringLiteral("Set parameters"));
    Open1 = makeAction(this, "Open1", QStringLiteral("Open"));
    portMenu_->addActions({Properties1, Open1});
    connect(Properties1, &QAction::triggered, this, &TOlvexMainForm::Properties1Click);
    connect(Open1, &QAction::triggered, this, &TOlvexMainForm::TogglePort);

    QMenu *probe = menuBar()->addMenu(QStringLiteral("Probe"));
    Detect1 = makeAction(this, "Detect1", QStringLiteral("Identify"));
    Upgrade1 = makeAction(this, "Upgrade1", QStringLiteral("Upgrade"));
    Set_Time = makeAction(this, "Set_Time", QStringLiteral("Set time"));
    Remotecast1 = makeAction(this, "Remotecast1", QStringLiteral("Unattended cast"));
    Stop_Cast = makeAction(this, "Stop_Cast", QStringLiteral("Stop cast"));
    ReadCast = makeAction(this, "ReadCast", QStringLiteral("Upload cast"));
    Telemetrytest1 = makeAction(this, "Telemetrytest1", QStringLiteral("Telemetry test"));
    probe->addActions({Detect1, Upgrade1, Set_Time, Remotecast1, Stop_Cast, ReadCast, Telemetrytest1});
    Upgrade1->setEnabled(false);
    ReadCast->setEnabled(false);
    connect(Detect1, &QAction::triggered, this, &TOlvexMainForm::Detect1Click);
    connect(Upgrade1, &QAction::triggered, this, &TOlvexMainForm::Upgrade1Click);
    connect(Set_Time, &QAction::triggered, this, &TOlvexMainForm::Set_TimeClick);
    connect(Remotecast1, &QAction::triggered, this, &TOlvexMainForm::Remotecast1Click);
    connect(Stop_Cast, &QAction::triggered, this, &TOlvexMainForm::Stop_CastClick);
    connect(ReadCast, &QAction::triggered, this, &TOlvexMainForm::ReadCastClick);
    connect(Telemetrytest1, &QAction::triggered, this, &TOlvexMainForm::Telemetrytest1Click);

    QMenu *aspect = menuBar()->addMenu(QStringLiteral("Aspect"));
    Font2 = makeAction(this, "Font2", QStringLiteral("Font"));
    Color1 = makeAction(this, "Color1", QStringLiteral("Color"));
    aspect->addActions({Font2, Color1});
    connect(Font2, &QAction::triggered, this, [this] { execWindow(windows_.font); });
    connect(Color1, &QAction::triggered, this, [this] { execWindow(windows_.colors); });

    QMenu *transfer = menuBar()->addMenu(QStringLiteral("Transfer"));
    Sendtextfile1 = makeAction(this, "Sendtextfile1", QStringLiteral("Send text file"));
    Capturetext1 = makeAction(this, "Capturetext1", QStringLiteral("Capture to file"));
    transfer->addActions({Sendtextfile1, Capturetext1});
    connect(Sendtextfile1, &QAction::triggered, this, &TOlvexMainForm::Sendtextfile1Click);
    connect(Capturetext1, &QAction::triggered, this, &TOlvexMainForm::Capturetext1Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    Contents1 = makeAction(this, "Contents1", QStringLiteral("Contents"));
    About1 = makeAction(this, "About1", QStringLiteral("About"));
    help->addActions({Contents1, About1});
    connect(Contents1, &QAction::triggered, this, [this] { showWindow(windows_.help); });
    connect(About1, &QAction::triggered, this, [this] { execWindow(windows_.about); });

    deployMenu_ = menuBar()->addMenu(QStringLiteral("Deploy"));
    deployMenu_->setObjectName(QStringLiteral("Deploy1"));
    CodeReferencetxt1 = makeAction(this, "CodeReferencetxt1", QStringLiteral("CodeReference.txt"));
    deployMenu_->addAction(CodeReferencetxt1);
    connect(CodeReferencetxt1, &QAction::triggered, this, [this] { showWindow(windows_.referenceEditor); });
    dtrMenu_ = menuBar()->addMenu(QStringLiteral("DTR"));
    dtrMenu_->setObjectName(QStringLiteral("DTR1"));
    Raise1 = makeAction(this, "Raise1", QStringLiteral("Raise"));
    Lower1 = makeAction(this, "Lower1", QStringLiteral("Lower"));
    dtrMenu_->addActions({Raise1, Lower1});
    connect(Raise1, &QAction::triggered, this, &TOlvexMainForm::Raise1Click);
    connect(Lower1, &QAction::triggered, this, &TOlvexMainForm::Lower1Click);
    deployMenu_->menuAction()->setVisible(false);
    dtrMenu_->menuAction()->setVisible(false);
}

void TOlvexMainForm::createToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("Tools"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    const auto addButton = [this](const char *name, const QString &hint, int icon) {
        QAction *action = makeAction(this, name, hint);
        // Hints show as tool tips: the status bar's panels are not to be
        // overwritten by them.
        action->setToolTip(hint);
        action->setIcon(toolbarIcon(icon));
        ToolBar1->addAction(action);
        if (QWidget *button = ToolBar1->widgetForAction(action)) {
            button->setObjectName(QLatin1String(name));
            button->setFixedSize(26, 26);
        }
        return action;
    };
    ToolButton3 = addButton("ToolButton3", QStringLiteral("Open Com Port"), 2);
    ToolButton1 = addButton("ToolButton1", QStringLiteral("Identify Probe"), 0);
    ToolButton2 = addButton("ToolButton2", QStringLiteral("Upgrade Probe"), 1);
    ToolButton_TimeSet = addButton("ToolButton_TimeSet", QStringLiteral("Set date and time"), 8);
    ToolButtonSetParameters = addButton("ToolButtonSetParameters", QStringLiteral("Set port parameters"), 9);
    ToolButton4 = addButton("ToolButton4", QStringLiteral("Capture"), 5);
    ToolButton2->setEnabled(false);
    connect(ToolButton3, &QAction::triggered, this, &TOlvexMainForm::TogglePort);
    connect(ToolButton1, &QAction::triggered, this, &TOlvexMainForm::Detect1Click);
    connect(ToolButton2, &QAction::triggered, this, &TOlvexMainForm::Upgrade1Click);
    connect(ToolButton_TimeSet, &QAction::triggered, this, &TOlvexMainForm::Set_TimeClick);
    connect(ToolButtonSetParameters, &QAction::triggered, this, &TOlvexMainForm::Properties1Click);
    connect(ToolButton4, &QAction::triggered, this, &TOlvexMainForm::Capturetext1Click);

    auto *spacer = new QWidget(ToolBar1);
    spacer->setFixedWidth(205);
    ToolBar1->addWidget(spacer);
    statusLights_ = new portui::StatusLights(ToolBar1);
    statusLights_->setFixedWidth(232);
    statusLights_->attach(ApdSLController1);
    ToolBar1->addWidget(statusLights_);
}

void TOlvexMainForm::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    statusPort_ = new QLabel(QStringLiteral("Not connected"), bar);
    statusPort_->setObjectName(QStringLiteral("StatusPanelPort"));
    statusPort_->setMinimumWidth(140);
    statusPort_->setAccessibleName(QStringLiteral("Port"));
    statusOpen_ = new QLabel(bar);
    statusOpen_->setObjectName(QStringLiteral("StatusPanelOpen"));
    statusOpen_->setMinimumWidth(90);
    statusOpen_->setAccessibleName(QStringLiteral("Port state"));
    statusProbe_ = new StandByPanel(bar);
    bar->addWidget(statusPort_);
    bar->addWidget(statusOpen_);
    bar->addWidget(statusProbe_, 1);
}

// Creation steps: command line, settings file, flow control, port.
void TOlvexMainForm::FormCreate(const QStringList &arguments)
{
    openDialogDirectory_ = programDirectory_;
    CurrentProbe.SetIdentified(0);
    comms::PortSettings settings = ApdComPort1.settings();
    settings.baudRate = 9600;
    settings.portNumber = 1;
    ApdComPort1.setSettings(settings);

    const CommandLineOptions options = parseCommandLine(arguments, messages_);
    if (options.admin) {
        deployMenu_->menuAction()->setVisible(true);
        dtrMenu_->menuAction()->setVisible(true);
    }
    if (options.baudRate)
        ApdComPort1.setBaudRate(*options.baudRate);
    if (options.portNumber)
        ApdComPort1.setPortNumber(*options.portNumber);
    if (options.devicePath)
        ApdComPort1.setDevicePath(*options.devicePath);

    try {
        readSettings(options.baudRate.has_value(),
                     options.portNumber.has_value() || options.devicePath.has_value());
    } catch (const text::ConversionError &error) {
        // A colour the file cannot express stops creation here: the port stays closed.
        messages::showException(messages_, error);
    }
}

void TOlvexMainForm::readSettings(bool baudFromCommandLine, bool portFromCommandLine)
{
    const IniFile ini(iniPath());
    QFont font = ApdTerminal1->terminalFont();
    font.setFamily(ini.readString(TerminalFontSection, QStringLiteral("Name"), font.family()));
    ApdTerminal1->setTerminalFont(font);
    const QString fontColor = ini.readString(TerminalFontSection, QStringLiteral("Color"),
                                             colorToString(colorValue(ApdTerminal1->textColor())));
    ApdTerminal1->setTextColor(toQColor(stringToColor(fontColor)));
    const int background = ini.readInteger(TerminalSection, QStringLiteral("Color"),
                                           int(colorValue(ApdTerminal1->backgroundColor())));
    ApdTerminal1->setBackgroundColor(toQColor(ColorValue(background)));
    ApdTerminal1->clearScreen();

    if (!baudFromCommandLine)
        ApdComPort1.setBaudRate(ini.readInteger(ComPortSection, QStringLiteral("Baudrate"), 9600));
    if (!portFromCommandLine) {
        ApdComPort1.setPortNumber(ini.readInteger(ComPortSection, QStringLiteral("PortNumber"), 1));
        ApdComPort1.setDevicePath(ini.readString(ComPortSection, QStringLiteral("Device"), QString()));
    }
    font.setPointSize(ini.readInteger(TerminalFontSection, QStringLiteral("Size"), font.pointSize()));
    ApdTerminal1->setTerminalFont(font);
    // Absent keys mean the port's designed handshake: RTS/CTS, no software flow.
    const int portFlowControl = ini.readInteger(ComPortSection, QStringLiteral("PortFlowControl"), 1);
    const int portSwControl = ini.readInteger(ComPortSection, QStringLiteral("PortSWControl"), 0);

    UpdateComInfo();
    statusProbe_->setText(QString());
    applyFlowControl(portFlowControl, portSwControl);
    TogglePort();
}

void TOlvexMainForm::applyFlowControl(int portFlowControl, int portSwControl)
{
    comms::PortSettings settings = ApdComPort1.settings();
    if (portFlowControl <= 0) {
        settings.hardwareFlow = {};
        settings.softwareFlow = comms::SoftwareFlow::None;
    } else if (portSwControl <= 0) {
        settings.hardwareFlow = {false, true};
    } else {
        settings.hardwareFlow = {};
        if (portSwControl <= 3)
            settings.softwareFlow = static_cast<comms::SoftwareFlow>(portSwControl);
    }
    ApdComPort1.setSettings(settings);
}

void TOlvexMainForm::writeSettings()
{
    IniFile ini(iniPath());
    const QFont font = ApdTerminal1->terminalFont();
    ini.writeString(TerminalFontSection, QStringLiteral("Name"), font.family());
    ini.writeString(TerminalFontSection, QStringLiteral("Color"),
                    colorToString(colorValue(ApdTerminal1->textColor())));
    ini.writeInteger(TerminalSection, QStringLiteral("Color"),
                     int(colorValue(ApdTerminal1->backgroundColor())));
    ini.writeInteger(TerminalFontSection, QStringLiteral("Size"), font.pointSize());
    const comms::PortSettings &settings = ApdComPort1.settings();
    ini.writeInteger(ComPortSection, QStringLiteral("Baudrate"), settings.baudRate);
    ini.writeInteger(ComPortSection, QStringLiteral("PortNumber"), settings.portNumber);
    ini.writeInteger(ComPortSection, QStringLiteral("PortFlowControl"), ApdComPort1.flowState());
    ini.writeInteger(ComPortSection, QStringLiteral("PortSWControl"), int(settings.softwareFlow));
    ini.writeString(ComPortSection, QStringLiteral("Device"), settings.devicePath);
    QString error;
    if (!ini.save(&error))
        messages::error(messages_, QStringLiteral("Cannot write ") + iniPath() + QStringLiteral(": ") + error);
}

// ---------------------------------------------------------------------------
// Port control and status display

void TOlvexMainForm::TogglePort()
{
    runOnThreadOf(this, [this] {
        if (ApdComPort1.isOpen()) {
            if (Capturing) {
                if (!messages::warningQuestion(messages_, QStringLiteral("Stop capturing?")))
                    return;
                if (!stopCapture())
                    return;
            }
            ApdComPort1.close();
            ApdSLController1.setMonitoring(false);
        } else {
            if (ApdComPort1.open())
                ApdSLController1.setMonitoring(true);
            else
                messages::error(messages_, QStringLiteral("Cannot open port"));
        }
        UpdateComInfo();
    });
}

void TOlvexMainForm::UpdateComInfo()
{
    const comms::PortSettings &s = ApdComPort1.settings();
    const QString description = QStringLiteral(" %1 %2 %3 %4 %5")
                                    .arg(ApdComPort1.displayName())
                                    .arg(s.dataBits)
                                    .arg(comms::parityName(s.parity))
                                    .arg(s.stopBits)
                                    .arg(s.baudRate);
    const bool open = ApdComPort1.isOpen();
    ToolButton3->setIcon(toolbarIcon(open ? 3 : 2));
    const QString hint = open ? QStringLiteral("Close Com Port") : QStringLiteral("Open Com Port");
    ToolButton3->setText(hint);
    ToolButton3->setToolTip(hint);
    Open1->setText(open ? QStringLiteral("Close") : QStringLiteral("Open"));
    statusPort_->setText(description);
    statusOpen_->setText(open ? QStringLiteral("Port Open") : QStringLiteral("Port Close"));
}

void TOlvexMainForm::ShowStandBy()
{
    runOnThreadOf(this, [this] {
        statusProbe_->setColor(QColor(255, 0, 0));
        statusProbe_->setText(QStringLiteral("Please stand by"));
    });
}

void TOlvexMainForm::EndStandBy()
{
    runOnThreadOf(this, [this] {
        statusProbe_->setColor(QColor(0, 0, 255));
        statusProbe_->setText(QString());
        if (CurrentProbe.Identified() == 1) {
            CurrentProbe.BuildDescription();
            SetProbeCaption(CurrentProbe.Description(), CurrentProbe.SerialNumber());
            statusProbe_->setText(text::fromCp1252(CurrentProbe.Description()));
        } else {
            SetProbeCaption({}, {});
        }
    });
}

void TOlvexMainForm::SetProbeCaption(const QByteArray &statusText, const QByteArray &serialNumber)
{
    statusProbe_->setText(text::fromCp1252(statusText));
    if (serialNumber.isEmpty())
        setWindowTitle(QStringLiteral("LUMEN KAROS 4xx Olvex"));
    else
        setWindowTitle(QStringLiteral("LUMEN KAROS 4xx Olvex - Probe Serial Number: ")
                       + text::fromCp1252(serialNumber));
}

void TOlvexMainForm::onPortVanished(const QString &reason)
{
    ApdSLController1.setMonitoring(false);
    UpdateComInfo();
    messages::error(messages_, QStringLiteral("The port %1 is no longer available (%2). It has been closed.")
                                   .arg(ApdComPort1.displayName(), reason));
}

void TOlvexMainForm::Properties1Click()
{
    if (ApdComPort1.isOpen()) {
        messages::error(messages_, QStringLiteral("Close port before changing properties"));
        return;
    }
    if (!portOptions_)
        portOptions_ = new portui::PortOptionsDialog(this);
    portOptions_->load(ApdComPort1.settings());
    if (portOptions_->exec() == QDialog::Accepted)
        ApdComPort1.setSettings(portOptions_->settings());
}

void TOlvexMainForm::Raise1Click()
{
    // A line without DTR (a pseudo-terminal) simply keeps it unlit.
    ApdComPort1.setDtr(true);
}

void TOlvexMainForm::Lower1Click()
{
    ApdComPort1.setDtr(false);
}

// ---------------------------------------------------------------------------
// Probe launchers

bool TOlvexMainForm::requirePortOpen(const QString &refusal)
{
    if (ApdComPort1.isOpen())
        return true;
    messages::error(messages_, refusal);
    return false;
}

void TOlvexMainForm::startProbeJob(int job)
{
    // One job at a time: they share the reply matcher, its timer and the reply state.
    if (runningJob_) {
        messages::error(messages_, QStringLiteral("The probe is busy with another operation. "
                                                  "Please wait until it has finished."));
        return;
    }
    ProbeJob = job;
    auto *thread = new probe::TDetectProbe(ProbeJob, CurrentProbe, *this, replyState_);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    runningJob_ = thread;
    thread->start();
}

void TOlvexMainForm::Detect1Click()
{
    if (requirePortOpen(PleaseOpenPort))
        startProbeJob(10);
}

void TOlvexMainForm::Upgrade1Click()
{
    if (requirePortOpen(PleaseOpenPort))
        startProbeJob(20);
}

void TOlvexMainForm::launchSendCommand()
{
    if (requirePortOpen(PleaseOpenPort))
        startProbeJob(30);
}

void TOlvexMainForm::launchUnattendedCast()
{
    if (requirePortOpen(PleaseOpenPort))
        startProbeJob(40);
}

void TOlvexMainForm::Stop_CastClick()
{
    if (!messages::confirm(messages_, QStringLiteral("OK to stop cast?")))
        return;
    if (requirePortOpen(QStringLiteral("Not connected!")))
        startProbeJob(50);
}

void TOlvexMainForm::Remotecast1Click()
{
    const int type = CurrentProbe.ProbeType();
    if (type == 0) {
        messages::error(messages_, QStringLiteral("Identify probe!"));
        return;
    }
    if (type == 411 || type == 412 || type == 413) {
        messages::error(messages_, QStringLiteral("Remote Unattended function setup not supported"));
        return;
    }
    if (windows_.prepareRemote)
        windows_.prepareRemote(type);
    showWindow(windows_.remote);
}

void TOlvexMainForm::ReadCastClick()
{
    if (!requirePortOpen(PleaseOpenPort))
        return;
    if (CurrentProbe.ProbeType() == 412) {
        try {
            if (text::toLocaleFloat(CurrentProbe.FwVersionText()) < 7.1) {
                messages::error(messages_, QStringLiteral("This function requires firmware version 7.1 or later"));
                return;
            }
        } catch (const text::ConversionError &error) {
            messages::showException(messages_, error);
            return;
        }
    }
    execWindow(windows_.castUpload);
}

void TOlvexMainForm::Telemetrytest1Click()
{
    if (requirePortOpen(PleaseOpenPort))
        execWindow(windows_.telemetry);
}

void TOlvexMainForm::Set_TimeClick()
{
    execWindow(windows_.timeSelect);
}

void TOlvexMainForm::showWindow(QDialog *window)
{
    if (window) {
        window->show();
        window->raise();
    }
}

void TOlvexMainForm::execWindow(QDialog *window)
{
    if (window)
        window->exec();
}

// ---------------------------------------------------------------------------
// Capture and file sending

void TOlvexMainForm::setCaptureControls(bool capturing)
{
    Capturing = capturing;
    ToolButton4->setIcon(toolbarIcon(capturing ? 6 : 5));
    const QString hint = capturing ? QStringLiteral("Stop capture") : QStringLiteral("Capture");
    ToolButton4->setText(hint);
    ToolButton4->setToolTip(hint);
    Capturetext1->setText(capturing ? QStringLiteral("Stop capture") : QStringLiteral("Capture to file"));
}

bool TOlvexMainForm::stopCapture()
{
    QString error;
    if (!ApdTerminal1->stopCapture(&error)) {
        messages::showException(messages_, std::runtime_error(error.toStdString()));
        return false;
    }
    setCaptureControls(false);
    return true;
}

void TOlvexMainForm::Capturetext1Click()
{
    if (Capturing) {
        stopCapture();
        return;
    }
    if (!ApdComPort1.isOpen()) {
        messages::warning(messages_, QStringLiteral("Port not open!"));
        return;
    }
    const std::optional<QString> chosen = files_.chooseFileToSave(
        {QStringLiteral("Capture text: choose file"), CaptureFilter, QStringLiteral("txt"), QString()});
    if (!chosen)
        return;
    const QString name = chosen->left(255);
    if (files::fileInUse(name)) {
        messages::error(messages_, QStringLiteral("Cannot open file ") + name);
        return;
    }
    QString error;
    if (!ApdTerminal1->startCapture(name, &error)) {
        messages::showException(messages_, std::runtime_error(error.toStdString()));
        return;
    }
    setCaptureControls(true);
}

void TOlvexMainForm::Sendtextfile1Click()
{
    const std::optional<QString> chosen = files_.chooseFileToOpen(
        {QStringLiteral("Send text: choose file"), CaptureFilter, QString(), openDialogDirectory_});
    if (!chosen)
        return;
    QString error;
    if (!ApdProtocol1.start(*chosen, ApdComPort1, &error)) {
        messages::showException(messages_, std::runtime_error(error.toStdString()));
        return;
    }
    ApdProtocolStatus1->show();
}

void TOlvexMainForm::Copy1Click()
{
    ApdTerminal1->copySelection();
}

void TOlvexMainForm::Clearwindow1Click()
{
    ApdTerminal1->clearScreen();
}

// ---------------------------------------------------------------------------
// JobHost: each call runs on the window thread while the job waits.

void TOlvexMainForm::armReplyMatcher(const QByteArray &start, const QByteArray &end, bool include)
{
    runOnThreadOf(this, [&] { replyChannel_->arm(start, end, include); });
}

bool TOlvexMainForm::writeToPort(const QByteArray &bytes)
{
    return runOnThreadOf(this, [&] { return ApdComPort1.write(bytes); });
}

void TOlvexMainForm::setReplyTimerRunning(bool running)
{
    runOnThreadOf(this, [&] { replyChannel_->setTimerRunning(running); });
}

bool TOlvexMainForm::isUpgradeCommandEnabled()
{
    return runOnThreadOf(this, [this] { return Upgrade1->isEnabled(); });
}

void TOlvexMainForm::setUpgradeCommandEnabled(bool enabled)
{
    runOnThreadOf(this, [&] {
        Upgrade1->setEnabled(enabled);
        ToolButton2->setEnabled(enabled);
    });
}

void TOlvexMainForm::setProbeCommandsEnabled(bool enabled)
{
    runOnThreadOf(this, [&] {
        for (QAction *command : {Remotecast1, Stop_Cast, ReadCast, Detect1, ToolButton1, Set_Time,
                                 ToolButton_TimeSet, ToolButton3})
            command->setEnabled(enabled);
        portMenu_->setEnabled(enabled);
        portMenu_->menuAction()->setEnabled(enabled);
    });
}

void TOlvexMainForm::setTerminalInputEnabled(bool enabled)
{
    runOnThreadOf(this, [&] {
        ApdTerminal1->setEnabled(enabled);
        if (enabled)
            ApdTerminal1->setFocus();
    });
}

void TOlvexMainForm::startTrafficLog(const QString &fileName)
{
    runOnThreadOf(this, [&] {
        probe::trafficlog::start(ApdComPort1.trace(), programDirectory_, fileName, messages_);
    });
}

void TOlvexMainForm::stopTrafficLog()
{
    runOnThreadOf(this, [this] { probe::trafficlog::stop(ApdComPort1.trace()); });
}

void TOlvexMainForm::setIdentified()
{
    runOnThreadOf(this, [this] { CurrentProbe.SetIdentified(1); });
}

void TOlvexMainForm::showManualSelection()
{
    runOnThreadOf(this, [this] {
        execWindow(windows_.manualSelection);
    });
}

void TOlvexMainForm::showStandByInstructions()
{
    runOnThreadOf(this, [this] {
        if (windows_.showStandByInstructions)
            windows_.showStandByInstructions();
    });
}

void TOlvexMainForm::showUpgradeHint()
{
    // The hint window arrives with the upgrade procedure.
}

} // namespace olvex::shell
