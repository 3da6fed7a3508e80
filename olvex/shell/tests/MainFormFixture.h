#pragma once
// A main window on the probe simulator, with scripted message boxes and file
// dialogs and a temporary program directory.
#include "probe/CurrentProbe.h"
#include "shell/Olvex0.h"
#include "terminal/TerminalView.h"
#include "terminal/VtEmulator.h"
#include "testsupport/ScriptedFiles.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestFiles.h"
#include "testsupport/TestApplication.h"

#include <probesim/ProbeSimulator.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace olvex::shelltest {

using olvex::shell::TOlvexMainForm;

class MainFormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::ensureApplication();
        ASSERT_TRUE(dir.isValid());
        std::string error;
        ASSERT_TRUE(simulator.start(&error)) << error;
    }

    QString simulatorPath() const { return QString::fromStdString(simulator.devicePath()); }
    QString iniPath() const { return dir.filePath("Olvex.ini"); }

    void writeIni(const QByteArray &contents) { testsupport::writeFile(iniPath(), contents); }
    QByteArray readIni() const { return testsupport::readFile(iniPath()); }

    std::unique_ptr<TOlvexMainForm> create(QStringList arguments)
    {
        arguments.prepend("olvex");
        return std::make_unique<TOlvexMainForm>(
            arguments, currentProbe, shell::MainFormServices{messages, files, dir.path()});
    }

    std::unique_ptr<TOlvexMainForm> createOnSimulator(QStringList arguments = {})
    {
        return create(QStringList{"--device", simulatorPath()} + arguments);
    }

    static QString panel(TOlvexMainForm &form, const char *name)
    {
        auto *label = form.findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }

    static QString screenText(terminal::TerminalView &terminal)
    {
        QString text;
        for (int row = 0; row < terminal::VtEmulator::Rows; ++row)
            text += terminal.emulator()->rowText(row) + QLatin1Char('\n');
        return text;
    }

    static QAction *action(TOlvexMainForm &form, const char *name)
    {
        return form.findChild<QAction *>(QLatin1String(name));
    }

    QTemporaryDir dir;
    testsupport::ScriptedMessages messages;
    testsupport::ScriptedFiles files;
    olvex::probe::CURRENTPROBE currentProbe;
    probesim::ProbeSimulator simulator;
};


} // namespace olvex::shelltest
