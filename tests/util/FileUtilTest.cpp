#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/TempFiles.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorlix;


TEST(FileUtil, ReadsTakeRegularFilesOnlyAndSayWhatElseTheyFound)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.ibw"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString folder = dir.filePath(u"folder.dat"_qs);
    QDir().mkdir(folder);
    const QString dangling = dir.filePath(u"dangling"_qs);
    QFile::link(dir.filePath(u"nowhere"_qs), dangling);
    struct Case {
        QString path;
        const char *says;
    } cases[] = {
        {fifo, "is not a file"},
        {folder, "is a folder, not a file"},
        {u"/dev/zero"_qs, "is not a file"},
        {dangling, "a link that leads nowhere"},
        {dir.filePath(u"missing"_qs), "does not exist"},
    };
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
    const QString victim = dir.filePath(u"victim"_qs);
    test::writeFile(victim, "old");
    const QString link = dir.filePath(u"out.dsp"_qs);
    ASSERT_TRUE(QFile::link(victim, link));
    EXPECT_THROW(writeFileAtomically(link, "new"), Error);
    EXPECT_EQ(test::readFile(victim), QByteArray("old"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_THROW(appendToFileLocked(link, "new"), Error);
    EXPECT_EQ(test::readFile(victim), QByteArray("old"));

    const QString folder = dir.filePath(u"folder"_qs);
    QDir().mkdir(folder);
    EXPECT_THROW(writeFileAtomically(folder, "x"), Error);

    // A replaced file keeps its permissions; no temporary file stays behind.
    const QString file = dir.filePath(u"kept"_qs);
    test::writeFile(file, "a");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    writeFileAtomically(file, "b");
    EXPECT_EQ(test::readFile(file), QByteArray("b"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_qs), QStringList());
}

TEST(FileUtil, PathsMustSurviveDecoding)
{
    EXPECT_TRUE(pathSurvivesRoundTrip("/tmp/Z\xc3\xbcrich"));
    EXPECT_FALSE(pathSurvivesRoundTrip("/tmp/job\xff"));
}

TEST(FileUtil, GroupWritesLandEachFileWholeAndNameTheOnesThatFail)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath(u"victim"_qs);
    test::writeFile(victim, "old");
    ASSERT_TRUE(QFile::link(victim, dir.filePath(u"link.dsp"_qs)));
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
    // Refused targets are named, and what they lead to is untouched.
    EXPECT_TRUE(out[1].error.contains(u"link.dsp"_qs)) << out[1].error.toStdString();
    EXPECT_EQ(test::readFile(victim), QByteArray("old"));
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

// A run killed while writing leaves its temporary file beside the target;
// the next write into that folder removes it. A temporary file a writer is
// at work on (it holds its lock) and files of other names stay.
TEST(FileUtil, TheNextWriteRemovesTheTemporaryFilesOfAKilledRun)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"out"_qs);
    QDir().mkpath(folder);
    const QByteArray encoded = QFile::encodeName(folder);
    for (const char *name : {".00000001.dsp.k3x9qz.tmp", ".report.html.1.tmp", ".notes.tmp", "keep.tmp",
                             ".a.b.toolongnumber.tmp", "00000002.dsp"})
        test::writeFile(folder + u'/' + QLatin1String(name), "left");
    // A writer at work: it holds the lock on its file.
    QByteArray busy;
    const int held = createLockedTemporary(encoded, "00000003.dsp", busy);
    ASSERT_GE(held, 0);
    EXPECT_TRUE(isTemporaryName(QFileInfo(QFile::decodeName(busy)).fileName().toLatin1().constData()));

    writeFileAtomically(folder + u"/00000004.dsp"_qs, "new");
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QStringList kept{u".a.b.toolongnumber.tmp"_qs, QFileInfo(QFile::decodeName(busy)).fileName(), u".notes.tmp"_qs,
                     u"00000002.dsp"_qs, u"00000004.dsp"_qs, u"keep.tmp"_qs};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
    ::close(held);
    ::unlink(busy.constData());
}
