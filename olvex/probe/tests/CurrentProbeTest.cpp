#include "probe/CurrentProbe.h"
#include "probe/ProbeVariants.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace olvex::probe;

namespace {

// Switches the default locale for one test and restores it afterwards.
class LocaleScope {
public:
    explicit LocaleScope(QLocale locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

} // namespace

TEST(BuildDescription, JoinsTheFieldsAsTheProbeSentThem)
{
    CURRENTPROBE probe;
    probe.SetTypeText(" 427Qx");
    probe.SetFwVersionText(" 9.0");
    probe.SetProductCode(" 427Qx");
    probe.SetHwRevisionText("8.0");
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), "LK 427Qx - FW version 9.0 - Product code  427Qx - Hw revision 8.0");
}

TEST(BuildDescription, EmptyAndZeroFieldsAreLeftOut)
{
    CURRENTPROBE probe;
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), "");
    probe.SetFwVersionText("0");
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), "");
    probe.SetFwVersionText("garbage");
    probe.SetHwRevisionText("2.0");
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), " - Hw revision 2.0");
}

TEST(BuildDescription, AfterManualSelectionThePartsMeetWithoutBlanks)
{
    CURRENTPROBE probe;
    applyVariant(ProbeVariants[2], probe);
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), "LK427Qx - FW version7.5 - Hw revision 7.1");
}

TEST(ProbeVariants, CaptionsAndAppliedIdentity)
{
    EXPECT_EQ(variantCaption(ProbeVariants[2]), "LUMEN KAROS 427Qx Hw revision 7.1");
    EXPECT_EQ(variantCaption(ProbeVariants[14]), "LUMEN KAROS WG/57 Hw revision 2.0");

    CURRENTPROBE probe;
    probe.SetProductCode(" 413Qx");
    probe.SetSerialNumber("777");
    applyVariant(ProbeVariants[14], probe);
    EXPECT_EQ(probe.ProbeType(), 413);
    EXPECT_EQ(probe.TypeText(), "WG/57");
    EXPECT_EQ(probe.HwRevision(), 2.0);
    EXPECT_EQ(probe.FwVersionText(), "8.0");
    EXPECT_EQ(probe.Identified(), 1);
    EXPECT_EQ(probe.ProductCode(), " 413Qx") << "manual selection keeps the product code";
    EXPECT_EQ(probe.SerialNumber(), "777");
}

TEST(ProbeVariants, FirmwareTakesTheLocaleSeparator)
{
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    CURRENTPROBE probe;
    applyVariant(ProbeVariants[0], probe);
    EXPECT_EQ(probe.FwVersionText(), "6,9");
    EXPECT_EQ(probe.HwRevisionText(), "5.0");
    probe.BuildDescription();
    EXPECT_EQ(probe.Description(), "LK427 - FW version6,9 - Hw revision 5.0");
}

TEST(CurrentProbe, PartialVersionReadsTheLeadingCNumber)
{
    CURRENTPROBE probe;
    EXPECT_EQ(probe.FWPartialVersionNumber(), 0.0);
    probe.SetFWPartialVersion("7.25abc");
    EXPECT_EQ(probe.FWPartialVersionNumber(), 7.25);
}
