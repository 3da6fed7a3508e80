#include "shell/ColorNames.h"
#include "testsupport/TestFiles.h"
#include "shell/IniFile.h"
#include "common/Text.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace olvex::shell;

TEST(IniFile, ReadsIntegersTheIniWay)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Olvex.ini");
    olvex::testsupport::writeFile(path, "[ComPort]\r\nBaudrate = 19200 \r\nportnumber=0x10\r\nPortFlowControl=$2\r\n"
                   "PortSWControl=fast\r\n[TerminalFont]\r\nName=\"Courier New\"\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readInteger("ComPort", "Baudrate", 9600), 19200);
    EXPECT_EQ(ini.readInteger("comport", "PortNumber", 1), 16) << "names ignore case";
    EXPECT_EQ(ini.readInteger("ComPort", "PortFlowControl", 1), 2);
    EXPECT_EQ(ini.readInteger("ComPort", "PortSWControl", 0), 0) << "not a number counts as absent";
    EXPECT_EQ(ini.readInteger("ComPort", "Missing", 7), 7);
    EXPECT_EQ(ini.readString("TerminalFont", "Name", "x"), "Courier New");
    EXPECT_EQ(IniFile(dir.filePath("none.ini")).readInteger("ComPort", "Baudrate", 9600), 9600);
    EXPECT_FALSE(QFile::exists(dir.filePath("none.ini"))) << "reading never creates the file";
}

TEST(IniFile, WritingKeepsOtherLinesAndAppendsNewKeysInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Olvex.ini");
    olvex::testsupport::writeFile(path, "; kept comment\r\n[ComPort]\r\nBaudrate=9600\r\nOther=1\r\n\r\n[Mine]\r\nA=b\r\n");
    IniFile ini(path);
    ini.writeInteger("ComPort", "Baudrate", 115200);
    ini.writeInteger("ComPort", "PortNumber", 3);
    ini.writeString("TerminalFont", "Name", "Lucida Console");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(olvex::testsupport::readFile(path), "; kept comment\r\n[ComPort]\r\nBaudrate=115200\r\nOther=1\r\nPortNumber=3\r\n"
                             "\r\n[Mine]\r\nA=b\r\n\r\n[TerminalFont]\r\nName=Lucida Console\r\n");
}

TEST(ColorNames, NamesHexAndDecimalForms)
{
    EXPECT_EQ(colorToString(0xFFFFFF), "clWhite");
    EXPECT_EQ(colorToString(0x0000FF), "clRed");
    EXPECT_EQ(colorToString(0x00123456), "$00123456");
    EXPECT_EQ(stringToColor("clWhite"), 0xFFFFFFu);
    EXPECT_EQ(stringToColor("$00123456"), 0x123456u);
    EXPECT_EQ(stringToColor("16777215"), 0xFFFFFFu);
    EXPECT_EQ(stringToColor("0x00ff00"), 0x00FF00u);
    EXPECT_THROW(stringToColor("pinkish"), olvex::text::ConversionError);
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0)) << "values are 0x00BBGGRR";
    EXPECT_EQ(colorValue(QColor(0, 0, 255)), 0xFF0000u);
}
