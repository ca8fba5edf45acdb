#include "TestSupport.h"

#include "core/ProfileFile.h"

#include <QFile>

class ProfileFileTest : public ProgramTest {};

TEST_F(ProfileFileTest, ReadsCaseInsensitivelyAndTrimsValues) {
    QFile f(path("a.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Language]\r\n  IsFirstRun =  1  \r\ncomPort=3\r\n[Other]\r\ncomPort=9\r\n");
    f.close();
    ProfileFile ini(path("a.ini"));
    EXPECT_EQ(ini.read("language", "isfirstrun"), "1");
    EXPECT_EQ(ini.read("LANGUAGE", "comport"), "3");
    EXPECT_EQ(ini.read("language", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.read("nosection", "comPort", "x"), "x");
}

TEST_F(ProfileFileTest, WritingOneKeyKeepsTheRest) {
    ProfileFile ini(path("b.ini"));
    ASSERT_TRUE(ini.write("language", "IsFirstRun", "1"));
    ASSERT_TRUE(ini.write("ports", "COM7", "/dev/pts/3"));
    ASSERT_TRUE(ini.write("language", "comPort", "4"));
    ASSERT_TRUE(ini.write("Language", "isfirstrun", "0"));
    EXPECT_EQ(ini.read("language", "IsFirstRun"), "0");
    EXPECT_EQ(ini.read("language", "comPort"), "4");
    EXPECT_EQ(ini.read("ports", "COM7"), "/dev/pts/3");
    EXPECT_EQ(ini.keys("language"), QStringList({"IsFirstRun", "comPort"}));
    // Commas stay part of the value.
    ASSERT_TRUE(ini.write("Msg", "9000", "a, b, c"));
    EXPECT_EQ(ini.read("msg", "9000"), "a, b, c");
}
