// Bitmap libraries and bitmap copies into the BACtalk job.
#include "displays/ObjectMessages.h"
#include "project/SessionLog.h"
#include "bactalk/BtBitmaps.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::bt;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(GraphicsBitmaps, LibraryMatchNeedsEveryBitmap)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + u"/Alerton/Standard/bitmaps/ALER0043.BMP"_qs, "a");
    writeFile(root + u"/Alerton/Standard/bitmaps/aler0044.bmp"_qs, "b");
    const QString lib = libraryBitmapFolder(root, u"alerton"_qs, u"standard"_qs);
    EXPECT_TRUE(libraryHasAll(lib, {u"aler0043.bmp"_qs, u"aler0044.bmp"_qs}));
    EXPECT_FALSE(libraryHasAll(lib, {u"aler0043.bmp"_qs, u"aler0045.bmp"_qs}));
    EXPECT_FALSE(libraryHasAll(lib, {u"aler0043.bmp"_qs, QString()}));
    EXPECT_FALSE(libraryHasAll(lib, {u"../Standard/bitmaps/aler0043.bmp"_qs}));
    // A library that is not set matches nothing.
    EXPECT_TRUE(libraryBitmapFolder(root, QString(), QString()).isEmpty());
    EXPECT_FALSE(libraryHasAll(libraryBitmapFolder(root, QString(), u"x"_qs), {u"aler0043.bmp"_qs}));
}

TEST(GraphicsBitmaps, CopyKeepsExistingFilesAndRefusesUnsafeNames)
{
    QTemporaryDir dir;
    const QString src = dir.filePath(u"job/ldisplay/fan.bmp"_qs);
    writeFile(src, "fan");
    const QString job = dir.filePath(u"bt/acme/plaza"_qs);
    QDir().mkpath(job);
    const QString bitmaps = job + u"/bitmaps"_qs;

    EXPECT_EQ(copyBitmap(src, u"fan.bmp"_qs, bitmaps), BitmapCopy::Copied);
    EXPECT_EQ(readFile(bitmaps + u"/fan.bmp"_qs), QByteArray("fan"));
    writeFile(src, "new fan");
    EXPECT_EQ(copyBitmap(src, u"fan.bmp"_qs, bitmaps), BitmapCopy::AlreadyThere);
    EXPECT_EQ(readFile(bitmaps + u"/fan.bmp"_qs), QByteArray("fan"));
    EXPECT_EQ(copyBitmap(src, u"FAN.BMP"_qs, bitmaps), BitmapCopy::AlreadyThere);

    EXPECT_EQ(copyBitmap(dir.filePath(u"job/ldisplay/none.bmp"_qs), u"none.bmp"_qs, bitmaps), BitmapCopy::Missing);
    EXPECT_EQ(copyBitmap(src, QString(), bitmaps), BitmapCopy::Blank);
    EXPECT_EQ(copyBitmap(src, u"../x.bmp"_qs, bitmaps), BitmapCopy::Unsafe);
    EXPECT_EQ(copyBitmap(src, u"sub\\x.bmp"_qs, bitmaps), BitmapCopy::Unsafe);
    EXPECT_FALSE(QFile::exists(job + u"/x.bmp"_qs));

    // A BACtalk job that has gone is not made again.
    const QString gone = dir.filePath(u"bt/acme/gone/bitmaps"_qs);
    EXPECT_EQ(copyBitmap(src, u"fan.bmp"_qs, gone), BitmapCopy::Failed);
    EXPECT_FALSE(QDir(dir.filePath(u"bt/acme/gone"_qs)).exists());

    EXPECT_TRUE(bitmapCopyProblem(BitmapCopy::Copied, u"fan.bmp"_qs).isEmpty());
    EXPECT_TRUE(bitmapCopyProblem(BitmapCopy::AlreadyThere, u"fan.bmp"_qs).isEmpty());
}

// The messages about a display's objects go to the log under their object's
// heading and come back as values with the object's number.
TEST(GraphicsBitmaps, ObjectMessagesAreLoggedUnderTheirObjectAndKept)
{
    SessionLog log;
    ObjectMessages messages(log);
    messages.startObject(9, u"Text"_qs); // the last object of a display, with nothing to say:
    messages.startDisplay();             // its heading never heads the next display's messages
    messages.add(bitmapCopyProblem(BitmapCopy::Missing, u"back.bmp"_qs), true); // the background
    messages.startObject(3, u"Graphic-Static"_qs);
    messages.add(bitmapCopyProblem(BitmapCopy::Blank, QString()), true);
    messages.add(u"Button redirected to: "_qs, false);
    messages.startObject(4);
    messages.add(u"The object record lies outside the display file."_qs, true);
    EXPECT_EQ(log.lines(), (QStringList{u"\t\tMissing source bitmap: back.bmp"_qs, u"\tObject# 3, Graphic-Static"_qs,
                                        u"\t\tSource bitmap name is blank."_qs, u"\t\tButton redirected to: "_qs,
                                        u"\tObject# 4"_qs, u"\t\tThe object record lies outside the display file."_qs}));
    EXPECT_EQ(log.translationErrors, 3);
    const std::vector<ObjectProblem> kept = messages.take();
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[0].object, 0);
    EXPECT_EQ(kept[0].text, u"Missing source bitmap: back.bmp"_qs);
    EXPECT_EQ(kept[2].object, 3);
    EXPECT_EQ(kept[2].text, u"Button redirected to:"_qs);
    EXPECT_EQ(kept[3].object, 4);
    EXPECT_TRUE(messages.take().empty());
}

// Bitmaps are copied into the BACtalk job only when they are regular files:
// a link is never followed (whatever it leads to stays out of the job), and
// a link where the copy would go is no bitmap that is there already.
TEST(GraphicsBitmaps, LinksAreNeverCopiedNorTakenForACopy)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(u"secret"_qs), "secret");
    QDir().mkpath(dir.filePath(u"job/ldisplay"_qs));
    const QString link = dir.filePath(u"job/ldisplay/fan.bmp"_qs);
    if (!test::makeSymLink(dir.filePath(u"secret"_qs), link))
        GTEST_SKIP() << "this system cannot make links";
    const QString bitmaps = dir.filePath(u"bt/acme/plaza/bitmaps"_qs);
    QDir().mkpath(bitmaps);
    EXPECT_EQ(copyBitmap(link, u"fan.bmp"_qs, bitmaps), BitmapCopy::Link);
    EXPECT_FALSE(QFileInfo::exists(bitmaps + u"/fan.bmp"_qs));

    const QString pump = dir.filePath(u"job/ldisplay/pump.bmp"_qs);
    writeFile(pump, "pump");
    ASSERT_TRUE(test::makeSymLink(dir.filePath(u"secret"_qs), bitmaps + u"/pump.bmp"_qs));
    EXPECT_EQ(copyBitmap(pump, u"pump.bmp"_qs, bitmaps), BitmapCopy::Failed);
    EXPECT_EQ(readFile(dir.filePath(u"secret"_qs)), QByteArray("secret"));

    EXPECT_EQ(bitmapCopyProblem(BitmapCopy::Link, u"fan.bmp"_qs), u"Bitmap is a link, not copied: fan.bmp"_qs);
}

TEST(GraphicsBitmaps, FileNamePart)
{
    EXPECT_EQ(fileNamePart(u"C:\\IBEX\\ldisplay\\Plant.bmp"_qs), u"Plant.bmp"_qs);
    EXPECT_EQ(fileNamePart(u"c:plant.bmp"_qs), u"plant.bmp"_qs);
    EXPECT_EQ(fileNamePart(u"plant.bmp"_qs), u"plant.bmp"_qs);
}
