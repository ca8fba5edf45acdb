#include "TestSupport.h"

#include "core/ProfileFile.h"

#include <QFile>

class ProfileFileTest : public ProgramTest {
  protected:
    // A profile file of the test's folder holding exactly these bytes.
    ProfileFile Written(const char* name, const QByteArray& bytes) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return ProfileFile(path(name));
    }
};

TEST_F(ProfileFileTest, ReadsCaseInsensitivelyAndTrimsValues) {
    const ProfileFile ini = Written(
        "a.ini", "[Language]\r\n  IsFirstRun =  1  \r\ncomPort=3\r\n[Other]\r\ncomPort=9\r\n");
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

// A line that starts with "[" but has no closing "]" opens no section: it is an
// ordinary line (an entry when it holds "="), so the lines after it stay in the
// section before it, and writing to the section it names adds a proper one.
TEST_F(ProfileFileTest, UnclosedSectionLineOpensNoSection) {
    const ProfileFile ini = Written("c.ini", "[A]\r\nx=1\r\n[B\r\ny=2\r\n[C=3\r\n");
    EXPECT_EQ(ini.read("A", "y"), "2");
    EXPECT_EQ(ini.read("B", "y", "none"), "none");
    EXPECT_EQ(ini.read("A", "[C"), "3");
    EXPECT_EQ(ini.keys("A"), QStringList({"x", "y", "[C"}));
    EXPECT_TRUE(ini.keys("B").isEmpty());

    ASSERT_TRUE(ini.write("B", "z", "4"));
    EXPECT_EQ(ini.read("B", "z"), "4");
    EXPECT_EQ(ini.read("A", "y"), "2");
    QFile back(path("c.ini"));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), "[A]\r\nx=1\r\n[B\r\ny=2\r\n[C=3\r\n\r\n[B]\r\nz=4\r\n");
}

// A section that appears twice is its first occurrence for reading, writing and
// listing alike: a key listed is a key that reads.
TEST_F(ProfileFileTest, RepeatedSectionIsItsFirstOccurrence) {
    const ProfileFile ini =
        Written("d.ini", "[ports]\r\nCOM7=/dev/a\r\n[x]\r\n[PORTS]\r\nCOM8=/dev/b\r\n");
    EXPECT_EQ(ini.keys("ports"), QStringList{"COM7"});
    EXPECT_EQ(ini.read("ports", "COM8", "none"), "none");
    ASSERT_TRUE(ini.write("ports", "COM8", "/dev/c"));
    EXPECT_EQ(ini.keys("ports"), QStringList({"COM7", "COM8"}));
    EXPECT_EQ(ini.read("ports", "COM8"), "/dev/c");
}

// A file changed behind the reader's back (same size, same instant) reads anew;
// a reading taken before answers as the file was. A file longer than any read
// before reads whole; a folder reads as no file.
TEST_F(ProfileFileTest, ChangedBytesReadAnew) {
    const ProfileFile ini = Written("e.ini", "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.read("A", "x"), "1");
    Written("e.ini", "[A]\r\nx=2\r\n");
    EXPECT_EQ(ini.read("A", "x"), "2");
    ASSERT_TRUE(ini.write("A", "y", "3"));
    Written("e.ini", "[A]\r\nx=4\r\ny=5\r\n");
    EXPECT_EQ(ini.keys("A"), QStringList({"x", "y"}));
    EXPECT_EQ(ini.read("A", "y"), "5");

    const ProfileReading then = ini.reading();
    Written("e.ini", "[A]\r\nx=6\r\n" + QByteArray(100000, ';') + "\r\nz=7\r\n");
    EXPECT_EQ(then.read("A", "x"), "4");
    EXPECT_EQ(then.keys("A"), QStringList({"x", "y"}));
    EXPECT_EQ(ini.read("A", "x"), "6");
    EXPECT_EQ(ini.read("A", "z"), "7");
    EXPECT_EQ(ProfileFile(path("")).read("A", "x", "none"), "none");
}

// Names match without case exactly as Qt compares them: for every character that
// has another case (in and beyond the basic plane: final sigma, dotted capital I,
// title-case digraphs, Deseret), a key spelled in any of its cases reads the
// entry of the spelling it compares equal to, and no other.
TEST_F(ProfileFileTest, NamesMatchAsQtComparesThemWithoutCase) {
    QList<char32_t> cased;
    for (char32_t c = 0; c <= 0x10FFFF; ++c)
        if ((c < 0xD800 || c > 0xDFFF) &&
            (QChar::toLower(c) != c || QChar::toUpper(c) != c || QChar::toTitleCase(c) != c ||
             QChar::toCaseFolded(c) != c))
            cased.append(c);
    ASSERT_GT(cased.size(), 2000);
    const auto name = [](char32_t c) { return QStringLiteral("k") + QString::fromUcs4(&c, 1); };
    QByteArray text = "[S]\r\n";
    for (const char32_t c : cased)
        text += (name(c) + QLatin1Char('=') + QString::number(c)).toUtf8() + "\r\n";
    const ProfileFile ini = Written("cases.ini", text);
    for (const char32_t c : cased) {
        const QString own = ini.read("s", name(c), "none");
        ASSERT_NE(own, "none") << uint(c);
        for (const char32_t d : {QChar::toLower(c), QChar::toUpper(c), QChar::toTitleCase(c),
                                 QChar::toCaseFolded(c)})
            EXPECT_EQ(ini.read("S", name(d), "none") == own,
                      name(c).compare(name(d), Qt::CaseInsensitive) == 0)
                << uint(c) << " " << uint(d);
    }
}

// A value written with what a file's text cannot hold as one line (line breaks,
// a lone surrogate) reads back as the file holds it, as a fresh reader reads it.
TEST_F(ProfileFileTest, WrittenValueReadsAsTheFileHoldsIt) {
    for (const QString& value : {QStringLiteral("x\ny"), QStringLiteral("x\r\ny=2"),
                                 QStringLiteral("x\ry"), QString(QChar(0xD800)) + u'z',
                                 QStringLiteral("plain")}) {
        QFile::remove(path("w.ini"));
        QFile::remove(path("copy.ini"));
        const ProfileFile ini(path("w.ini"));
        ASSERT_TRUE(ini.write("A", "k", value));
        ASSERT_TRUE(QFile::copy(path("w.ini"), path("copy.ini")));
        const ProfileFile fresh(path("copy.ini"));
        EXPECT_EQ(ini.read("A", "k"), fresh.read("A", "k")) << value.toStdString();
        EXPECT_EQ(ini.keys("A"), fresh.keys("A")) << value.toStdString();
    }
}
