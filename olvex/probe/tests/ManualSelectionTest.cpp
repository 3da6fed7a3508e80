#include "probe/mansel0.h"

#include "probe/CurrentProbe.h"
#include "probe/ProbeVariants.h"
#include "testsupport/LocaleScope.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestApplication.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace olvex::probe {

namespace {

class ManualSelection : public ::testing::Test {
protected:
    // Before the fixture's dialog exists.
    static void SetUpTestSuite() { testsupport::ensureApplication(); }

    QList<QRadioButton *> entries() const
    {
        return dialog.findChild<QGroupBox *>("RadioGroup1")->findChildren<QRadioButton *>();
    }
    void click(const char *button) { dialog.findChild<QPushButton *>(button)->click(); }

    void selectRow(int row)
    {
        dialog.show();
        entries().at(row - 1)->click();
        click("Button1");
    }

    CURRENTPROBE probe;
    testsupport::ScriptedMessages messages;
    TManualSel dialog{probe, messages};
};

} // namespace

TEST_F(ManualSelection, ListsTheTwentyVariantsWithNoneSelectedOnEveryShowing)
{
    EXPECT_EQ(dialog.windowTitle(), "Manual selection");
    EXPECT_EQ(dialog.findChild<QLabel *>("Label1")->text(), "Please select your  probe revision");
    EXPECT_FALSE(dialog.findChild<QGroupBox *>("RadioGroup1")->accessibleName().isEmpty());

    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        dialog.show();
        const QList<QRadioButton *> shown = entries();
        ASSERT_EQ(shown.size(), 20);
        for (int row = 0; row < 20; ++row) {
            EXPECT_EQ(shown[row]->text(), variantCaption(ProbeVariants[std::size_t(row)]));
            EXPECT_FALSE(shown[row]->isChecked());
        }
        EXPECT_EQ(shown[2]->text(), "LUMEN KAROS 427Qx Hw revision 7.1");
        shown[5]->click();
        dialog.hide();
    }
}

TEST_F(ManualSelection, AcceptWithoutAChoiceIsRefused)
{
    dialog.show();
    click("Button1");

    ASSERT_EQ(messages.texts(), std::vector<QString>{"No selection"});
    EXPECT_EQ(messages.shown().front().title, "Error");
    EXPECT_EQ(messages.shown().front().icon, MessageIcon::Stop);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(probe.Identified(), 0);
}

struct AcceptCase {
    const char *name;
    int row;
    QLocale locale;
    int probeType;
    QByteArray typeText;
    double revision;
    QByteArray firmware;
};

void PrintTo(const AcceptCase &c, std::ostream *out)
{
    *out << c.name;
}

class ManualSelectionAccept : public ManualSelection,
                              public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(ManualSelectionAccept, StoresTheVariantAndKeepsProductAndSerial)
{
    const AcceptCase &c = GetParam();
    testsupport::LocaleScope locale(c.locale);
    probe.SetProductCode(" 413Qx");
    probe.SetSerialNumber("777");
    selectRow(c.row);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(probe.ProbeType(), c.probeType);
    EXPECT_EQ(probe.TypeText(), c.typeText);
    EXPECT_EQ(probe.HwRevision(), c.revision);
    EXPECT_EQ(probe.FwVersionText(), c.firmware);
    EXPECT_EQ(probe.Identified(), 1);
    EXPECT_EQ(probe.ProductCode(), " 413Qx");
    EXPECT_EQ(probe.SerialNumber(), "777");
    EXPECT_TRUE(messages.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ManualSelectionAccept,
    ::testing::Values(AcceptCase{"WG57", 15, QLocale::c(), 413, "WG/57", 2.0, "8.0"},
                      AcceptCase{"Old427WithComma", 1, QLocale(QLocale::German, QLocale::Germany),
                                 427, "427", 5.0, "6,9"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ManualSelection, CancelLeavesTheRecordAlone)
{
    applyVariant(ProbeVariants[3], probe);
    dialog.show();
    entries().at(14)->click();
    click("Button2");

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(probe.ProbeType(), 427);
    EXPECT_EQ(probe.TypeText(), "427Qx");
    EXPECT_EQ(probe.FwVersionText(), "9.0");
    EXPECT_EQ(probe.Identified(), 1);
}

} // namespace olvex::probe
