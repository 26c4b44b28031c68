#include "util/Error.h"
#include "util/FileUtil.h"
#include "support/TestPlatform.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;


TEST(FileUtil, ReadsTakeRegularFilesOnlyAndSayWhatElseTheyFound)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"folder.dat"_qs);
    QDir().mkdir(folder);
    struct Case {
        QString path;
        const char *says;
    };
    std::vector<Case> cases = {
        {folder, "is a folder, not a file"},
        {test::devicePath(), "is not a file"},
        {dir.filePath(u"missing"_qs), "does not exist"},
    };
    // FIFOs and links where this system has them (Windows has no FIFO in
    // a folder; Wine makes no links).
    const QString fifo = dir.filePath(u"pipe.ibw"_qs);
    if (test::makeFifo(fifo))
        cases.push_back({fifo, "is not a file"});
    const QString dangling = dir.filePath(u"dangling"_qs);
    if (test::makeSymLink(dir.filePath(u"nowhere"_qs), dangling))
        cases.push_back({dangling, "a link that leads nowhere"});
    for (const Case &c : cases) {
        QByteArray bytes;
        QString error;
        EXPECT_FALSE(readWholeFile(c.path, bytes, &error)) << c.says;
        EXPECT_TRUE(error.contains(QLatin1String(c.says))) << error.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.path))) << error.toStdString();
    }
}

TEST(FileUtil, ReadsStopAtTheirCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"f"_qs);
    test::writeFile(path, "0123456789");
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(readWholeFile(path, bytes, &error, 4));
    EXPECT_EQ(bytes, QByteArray("0123"));
    qint64 skipped = -1;
    ASSERT_TRUE(readFileTail(path, 3, bytes, skipped, &error));
    EXPECT_EQ(bytes, QByteArray("789"));
    EXPECT_EQ(skipped, 7);
}

TEST(FileUtil, AtomicWritesRefuseLinksAndNonFilesAndKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"folder"_qs);
    QDir().mkdir(folder);
    EXPECT_THROW(writeFileAtomically(folder, "x"), Error);

    // A replaced file keeps its permissions; no temporary file stays behind.
    const QString file = dir.filePath(u"kept"_qs);
    test::writeFile(file, "a");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    writeFileAtomically(file, "b");
    EXPECT_EQ(test::readFile(file), QByteArray("b"));
    if (test::permissionBits(file) >= 0) {
        EXPECT_EQ(test::permissionBits(file) & 0777, 0640);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_qs), QStringList());

    const QString victim = dir.filePath(u"victim"_qs);
    test::writeFile(victim, "old");
    const QString link = dir.filePath(u"out.dsp"_qs);
    if (!test::makeSymLink(victim, link))
        GTEST_SKIP() << "this system makes no symbolic links (Wine): the link cases cannot be made";
    EXPECT_THROW(writeFileAtomically(link, "new"), Error);
    EXPECT_EQ(test::readFile(victim), QByteArray("old"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_THROW(appendToFileLocked(link, "new"), Error);
    EXPECT_EQ(test::readFile(victim), QByteArray("old"));
}

TEST(FileUtil, PathsMustSurviveDecoding)
{
    EXPECT_TRUE(pathSurvivesRoundTrip("/tmp/Z\xc3\xbcrich"));
    // Windows names files in UTF-16: there every path survives.
    EXPECT_EQ(pathSurvivesRoundTrip("/tmp/job\xff"), QSysInfo::kernelType() == u"winnt");
}

TEST(FileUtil, GroupWritesLandEachFileWholeAndNameTheOnesThatFail)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(u"victim"_qs);
    test::writeFile(victim, "old");
    const bool linked = test::makeSymLink(victim, dir.filePath(u"link.dsp"_qs));
    QDir().mkdir(dir.filePath(u"folder"_qs));
    test::writeFile(dir.filePath(u"kept.tdc"_qs), "there first");
    test::writeFile(dir.filePath(u"replaced.dsp"_qs), "before");

    const std::vector<WrittenFile> out = writeFilesAtomically({
        {dir.filePath(u"a.dsp"_qs), "A"},
        {dir.filePath(u"link.dsp"_qs), "through the link"},
        {dir.filePath(u"folder"_qs), "over a folder"},
        {dir.filePath(u"twice.dsp"_qs), "first"},
        {dir.filePath(u"kept.tdc"_qs), "new", false},
        {dir.filePath(u"new.tdc"_qs), "fresh", false},
        {dir.filePath(u"replaced.dsp"_qs), "after"},
        {dir.filePath(u"twice.dsp"_qs), "second"},
    });
    ASSERT_EQ(out.size(), 8u);
    EXPECT_TRUE(out[0].error.isEmpty());
    EXPECT_EQ(test::readFile(dir.filePath(u"a.dsp"_qs)), QByteArray("A"));
    // Refused targets are named, and what they lead to is untouched (where
    // this system makes links; otherwise link.dsp is a new file).
    if (linked) {
        EXPECT_TRUE(out[1].error.contains(u"link.dsp"_qs)) << out[1].error.toStdString();
        EXPECT_EQ(test::readFile(victim), QByteArray("old"));
    }
    EXPECT_TRUE(out[2].error.contains(u"folder"_qs)) << out[2].error.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath(u"folder"_qs)).isDir());
    // A file that must not be replaced stays, and the answer says so.
    EXPECT_TRUE(out[4].error.isEmpty());
    EXPECT_TRUE(out[4].existed);
    EXPECT_EQ(test::readFile(dir.filePath(u"kept.tdc"_qs)), QByteArray("there first"));
    EXPECT_FALSE(out[5].existed);
    EXPECT_EQ(test::readFile(dir.filePath(u"new.tdc"_qs)), QByteArray("fresh"));
    EXPECT_FALSE(out[6].existed);
    EXPECT_EQ(test::readFile(dir.filePath(u"replaced.dsp"_qs)), QByteArray("after"));
    // A path given twice ends with its last bytes.
    EXPECT_EQ(test::readFile(dir.filePath(u"twice.dsp"_qs)), QByteArray("second"));
    // No temporary file stays behind, whatever became of the files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_qs), QStringList());
}

// On Windows the system calls get every path in its "\\?\" form (no
// 260-character limit, names taken literally), shares as "\\?\UNC\";
// elsewhere paths go to the system as they are.
TEST(FileUtil, SystemPathsReachLongPathsAndSharesOnWindows)
{
    const bool windows = QSysInfo::kernelType() == u"winnt";
    struct Case {
        const char *path;
        const char *onWindows;
    } cases[] = {
        {"C:/jobs/acme", "\\\\?\\C:\\jobs\\acme"},
        {"C:\\jobs\\..\\bt\\.\\plaza", "\\\\?\\C:\\bt\\plaza"},
        {"//server/share/job", "\\\\?\\UNC\\server\\share\\job"},
        {"\\\\server\\share\\job\\ldisplay", "\\\\?\\UNC\\server\\share\\job\\ldisplay"},
        {"\\\\?\\C:\\already", "\\\\?\\C:\\already"},
    };
    for (const Case &c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(systemPath(path), windows ? QString::fromUtf8(c.onWindows) : path) << c.path;
    }
}

// A name from an input file (display, bitmap, Tux file, redirect target) is
// joined to a folder only when it is plain on every platform.
struct NameCase {
    const char *name;
    bool plain;
};

class PlainFileName : public testing::TestWithParam<NameCase> {};

TEST_P(PlainFileName, IsJudgedTheSameOnEveryPlatform)
{
    const QString name = QString::fromUtf8(GetParam().name);
    EXPECT_EQ(isPlainFileName(name), GetParam().plain) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, PlainFileName,
    testing::Values(
        // Ordinary names, also with blanks and dots inside.
        NameCase{"disp0001.ibw", true}, NameCase{"00000012.dsp", true}, NameCase{"FAN 1.BMP", true},
        NameCase{"a.b.c", true}, NameCase{"CONSOLE.BMP", true}, NameCase{"nul1.bmp", true},
        NameCase{"COM10.tdc", true}, NameCase{"LPT0.dsp", true}, NameCase{"xCON", true}, NameCase{"\xc3\x9c.bmp", true},
        // Separators, drive colons, parent references.
        NameCase{"", false}, NameCase{".", false}, NameCase{"..", false}, NameCase{"a/b", false},
        NameCase{"a\\b", false}, NameCase{"C:x.bmp", false}, NameCase{"..bmp", false}, NameCase{"a..b", false},
        // The reserved device names, any letter case, with an extension, blanks before the dot.
        NameCase{"CON", false}, NameCase{"con", false}, NameCase{"PRN", false}, NameCase{"AUX", false},
        NameCase{"NUL", false}, NameCase{"Nul.dsp", false}, NameCase{"nul.tar.gz", false},
        NameCase{"COM1", false}, NameCase{"com9.tdc", false}, NameCase{"LPT1", false}, NameCase{"lpt9.bmp", false},
        NameCase{"aux .bmp", false}, NameCase{"CONIN$", false}, NameCase{"conout$.txt", false},
        NameCase{"COM\xc2\xb9", false},
        // Names Windows would change: a final dot or blank.
        NameCase{"fan.", false}, NameCase{"fan.bmp ", false}, NameCase{"fan ", false},
        // Characters Windows cannot hold in a name.
        NameCase{"a<b", false}, NameCase{"a>b", false}, NameCase{"a\"b", false}, NameCase{"a|b", false},
        NameCase{"a?b", false}, NameCase{"a*b", false}, NameCase{"a\tb", false}, NameCase{"a\x01" "b", false}));
