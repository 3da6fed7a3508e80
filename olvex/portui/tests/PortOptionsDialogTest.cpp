#include "portui/PortOptionsDialog.h"

#include "portui/tests/Accessibility.h"
#include "testsupport/TestApplication.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <vector>

using namespace olvex;
using comms::Parity;
using comms::PortSettings;
using comms::SoftwareFlow;
using portui::PortOptionsDialog;

namespace {

struct PortOptionsDialogTest : ::testing::Test {
    static void SetUpTestSuite() { testsupport::ensureApplication(); }
};

struct NamedSettings {
    const char *name;
    PortSettings settings;
};

std::vector<NamedSettings> sampleSettings()
{
    PortSettings slow;
    slow.portNumber = 3;
    slow.baudRate = 9600;
    slow.dataBits = 7;
    slow.parity = Parity::Even;
    slow.stopBits = 2;
    slow.hardwareFlow = {true, false};
    slow.softwareFlow = SoftwareFlow::Receive;
    slow.xonChar = 1;
    slow.xoffChar = 255;

    PortSettings device;
    device.portNumber = 6;
    device.devicePath = "/dev/olvex-test-adapter";
    device.baudRate = 300;
    device.dataBits = 5;
    device.parity = Parity::Mark;
    device.hardwareFlow = {false, false};
    device.softwareFlow = SoftwareFlow::Both;
    device.xonChar = 0;

    PortSettings unusualRate;
    unusualRate.portNumber = 2;
    unusualRate.baudRate = 150;
    unusualRate.dataBits = 6;
    unusualRate.parity = Parity::Space;
    unusualRate.hardwareFlow = {true, true};
    unusualRate.softwareFlow = SoftwareFlow::Transmit;

    PortSettings odd;
    odd.parity = Parity::Odd;
    odd.baudRate = 57600;

    return {{"defaults", PortSettings{}}, {"slow numbered port", slow}, {"device path", device},
            {"rate outside the list", unusualRate}, {"odd parity", odd}};
}

template <typename W> W *field(const PortOptionsDialog &dialog, const char *name)
{
    auto *widget = dialog.findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QStringList itemTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

} // namespace

TEST_F(PortOptionsDialogTest, StartsWithTheDefaultsAndTheStandardChoices)
{
    PortOptionsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Com Port Options");
    EXPECT_EQ(dialog.settings(), PortSettings{});
    EXPECT_EQ(itemTexts(field<QComboBox>(dialog, "ComboBaud")),
              QStringList({"300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(itemTexts(field<QComboBox>(dialog, "ComboParity")),
              QStringList({"None", "Odd", "Even", "Mark", "Space"}));
    EXPECT_EQ(itemTexts(field<QComboBox>(dialog, "ComboDataBits")), QStringList({"8", "7", "6", "5"}));
    EXPECT_EQ(itemTexts(field<QComboBox>(dialog, "ComboStopBits")), QStringList({"1", "2"}));
}

TEST_F(PortOptionsDialogTest, ReturnsWhatItWasLoadedWith)
{
    PortOptionsDialog dialog;
    for (const NamedSettings &sample : sampleSettings()) {
        dialog.load(sample.settings);
        EXPECT_EQ(dialog.settings(), sample.settings) << sample.name;
    }
}

TEST_F(PortOptionsDialogTest, SoftwareFlowBoxesMapOntoTheFourModes)
{
    struct Case {
        bool transmit;
        bool receive;
        SoftwareFlow flow;
    };
    const std::vector<Case> cases = {{false, false, SoftwareFlow::None},
                                     {false, true, SoftwareFlow::Receive},
                                     {true, false, SoftwareFlow::Transmit},
                                     {true, true, SoftwareFlow::Both}};
    PortOptionsDialog dialog;
    auto *transmit = field<QCheckBox>(dialog, "CheckSoftwareTransmit");
    auto *receive = field<QCheckBox>(dialog, "CheckSoftwareReceive");
    auto *xon = field<QSpinBox>(dialog, "SpinXon");
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.flow));
        transmit->setChecked(c.transmit);
        receive->setChecked(c.receive);
        EXPECT_EQ(dialog.settings().softwareFlow, c.flow);
        EXPECT_EQ(xon->isEnabled(), c.flow != SoftwareFlow::None) << "XON/XOFF matter only with software flow";

        PortSettings loaded;
        loaded.softwareFlow = c.flow;
        dialog.load(loaded);
        EXPECT_EQ(transmit->isChecked(), c.transmit);
        EXPECT_EQ(receive->isChecked(), c.receive);
    }
}

TEST_F(PortOptionsDialogTest, CancelledEditsDoNotReachTheCallerOrTheNextRun)
{
    PortSettings unusualRate;
    unusualRate.baudRate = 150;
    PortSettings callers;
    callers.baudRate = 9600;
    callers.xonChar = 11;
    const PortSettings before = callers;

    PortOptionsDialog dialog;
    dialog.load(unusualRate);
    dialog.load(callers);
    auto *baud = field<QComboBox>(dialog, "ComboBaud");
    EXPECT_EQ(baud->findText("150"), -1) << "an earlier unusual rate must not linger";

    baud->setCurrentIndex(baud->findText("300"));
    field<QComboBox>(dialog, "ComboParity")->setCurrentIndex(2);
    field<QCheckBox>(dialog, "CheckRtsCts")->setChecked(!callers.hardwareFlow.rtsCts);
    field<QSpinBox>(dialog, "SpinXon")->setValue(99);
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(callers, before);

    dialog.load(callers);
    EXPECT_EQ(dialog.settings(), callers) << "the next run shows the caller's settings again";
}

TEST_F(PortOptionsDialogTest, FieldsAreNamedByTheirLabelsAndBoxesByTheirCaptions)
{
    PortOptionsDialog dialog;
    testsupport::expectFieldsNamedByTheirLabels(
        dialog, {"ComboPort", "ComboBaud", "ComboParity", "ComboDataBits", "ComboStopBits", "SpinXon", "SpinXoff"});
    const std::vector<std::pair<const char *, QString>> boxes = {{"CheckDtrDsr", "DTR/DSR"},
                                                                 {"CheckRtsCts", "RTS/CTS"},
                                                                 {"CheckSoftwareTransmit", "Software transmit"},
                                                                 {"CheckSoftwareReceive", "Software receive"}};
    for (const auto &[name, caption] : boxes)
        EXPECT_EQ(testsupport::accessibleName(field<QCheckBox>(dialog, name)), caption) << name;
}
