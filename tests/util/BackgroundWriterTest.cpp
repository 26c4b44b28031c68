// Files written in the background: whole, in order, failures named, and a
// path settled before anyone looks at it.
#include "util/BackgroundWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray content(int n, int size = 100) { return QByteArray(size, static_cast<char>('a' + n % 26)); }

} // namespace

TEST(BackgroundWriter, WritesEveryFileAndTellsInOrder)
{
    QTemporaryDir dir;
    BackgroundWriter writer(2);
    for (int n = 0; n < 20; ++n)
        writer.write(dir.filePath(QStringLiteral("f%1").arg(n)), content(n));
    const std::vector<BackgroundWriter::Outcome> done = writer.finish();
    ASSERT_EQ(done.size(), 20u);
    for (int n = 0; n < 20; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(done[n].path, dir.filePath(QStringLiteral("f%1").arg(n)));
        EXPECT_TRUE(done[n].error.isEmpty());
        EXPECT_EQ(readFile(done[n].path), content(n));
    }
    EXPECT_TRUE(writer.takeFinished().empty()); // told once
}

TEST(BackgroundWriter, AFailedWriteIsNamedAndTheOthersLand)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"blocker"_qs)); // a file where a folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    BackgroundWriter writer;
    writer.write(dir.filePath(u"one"_qs), "1");
    writer.write(dir.filePath(u"blocker/two"_qs), "2");
    writer.write(dir.filePath(u"three"_qs), "3");
    writer.write(dir.filePath(u"one"_qs), "not again", false); // there by now: kept
    const std::vector<BackgroundWriter::Outcome> done = writer.finish();
    ASSERT_EQ(done.size(), 4u);
    EXPECT_TRUE(done[3].existed);
    EXPECT_TRUE(done[3].error.isEmpty());
    EXPECT_EQ(readFile(dir.filePath(u"one"_qs)), QByteArray("1"));
    EXPECT_FALSE(done[0].existed);
    EXPECT_TRUE(done[0].error.isEmpty());
    EXPECT_TRUE(done[1].error.contains(QDir::toNativeSeparators(dir.filePath(u"blocker/two"_qs))))
        << done[1].error.toStdString();
    EXPECT_TRUE(done[2].error.isEmpty());
    EXPECT_EQ(readFile(dir.filePath(u"three"_qs)), QByteArray("3"));
}

TEST(BackgroundWriter, SettledPathsHoldTheirLastBytesAndNothingIsLostAtTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"display"_qs);
    {
        BackgroundWriter writer;
        // Big enough that a look before the write lands would see the old file.
        writer.write(path, content(1, 8 << 20));
        writer.write(path, content(2, 8 << 20));
        writer.settle(path);
        EXPECT_EQ(readFile(path), content(2, 8 << 20));
        writer.write(path, content(3, 8 << 20));
        for (int n = 0; n < 8; ++n)
            writer.write(dir.filePath(QStringLiteral("more%1").arg(n)), content(n));
    } // leaving waits for every file handed over
    EXPECT_EQ(readFile(path), content(3, 8 << 20));
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("more%1").arg(n))), content(n));
}

// Stopping at the first failure: the files before it land, none after it,
// whether they reached the disk in its group or in a later one.
TEST(BackgroundWriter, StoppingAtAFailureWritesNothingAfterIt)
{
    QTemporaryDir dir;
    QDir().mkdir(dir.filePath(u"f3"_qs)); // a folder where file 3 is to go
    BackgroundWriter writer(BackgroundWriter::Mode::StopAtFailure);
    for (int n = 0; n < 8; ++n)
        writer.write(dir.filePath(QStringLiteral("f%1").arg(n)), content(n));
    std::vector<BackgroundWriter::Outcome> done = writer.finish();
    for (int n = 8; n < 12; ++n) // handed over after the failure was known
        writer.write(dir.filePath(QStringLiteral("f%1").arg(n)), content(n));
    for (BackgroundWriter::Outcome &o : writer.finish())
        done.push_back(std::move(o));
    ASSERT_EQ(done.size(), 12u);
    for (int n = 0; n < 12; ++n) {
        SCOPED_TRACE(n);
        const QString path = dir.filePath(QStringLiteral("f%1").arg(n));
        if (n < 3) {
            EXPECT_TRUE(done[n].error.isEmpty());
            EXPECT_EQ(readFile(path), content(n));
        } else if (n == 3) {
            EXPECT_TRUE(done[n].error.contains(u"is a folder, not a file"_qs)) << done[n].error.toStdString();
        } else {
            EXPECT_TRUE(done[n].error.contains(u"comes after a file that could not be written"_qs))
                << done[n].error.toStdString();
            EXPECT_FALSE(QFile::exists(path));
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_qs), QStringList());
}
