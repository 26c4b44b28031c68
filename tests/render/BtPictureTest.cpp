// BACtalk display files built from the documented records and drawn: the
// header's size and colour, each record kind at its place in its colours,
// bitmaps from the job's folder and from a library, red outlines for
// unknown and damaged records, and every cut of a file drawn without a
// crash.
#include "render/BtPicture.h"
#include "sample/SampleDisplays.h"
#include "support/BtRecordBuilder.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PixelChecks.h"

using namespace vorlix;
using namespace vorlix::render;
using namespace vorlix::test;

namespace {

QByteArray at(QByteArray record, int x, int y, int w, int h)
{
    return BtBytes(std::move(record)).u16(2, uint16_t(x)).u16(4, uint16_t(y)).u16(6, uint16_t(w)).u16(8, uint16_t(h)).bytes;
}

QByteArray header(int w, int h, uint32_t color)
{
    return BtBytes(expectedHeader()).u16(378, uint16_t(w)).u16(380, uint16_t(h)).u32(382, color).bytes;
}

} // namespace

TEST(BtPicture, HeaderAndEveryRecordKindAtItsPlace)
{
    QByteArray records;
    records += BtBytes(at(expectedText(), 10, 10, 80, 20)).u32(16, 0x0000FF).u32(20, 0x00FF00).str(119, "Supply").bytes;
    records += BtBytes(at(expectedReadOnlyValue(), 10, 40, 120, 20)).u32(20, 0xFF0000).u16(33, 2).u32(35, 7).bytes;
    records += BtBytes(at(expectedButton(), 150, 10, 72, 22)).str(157, "Next").bytes;
    records += at(expectedLogin("Login"), 150, 40, 72, 22);
    records += at(expectedCheckbox(), 10, 70, 100, 16);
    records += at(expectedGroupBox(), 150, 80, 100, 60);
    records += at(expectedDateTime(), 10, 100, 100, 16);
    const Picture p = drawBtDisplay(expectedFile(header(300, 200, 0x00FFFF00), records, 7), {});

    ASSERT_EQ(p.image.size(), QSize(300, 200));
    EXPECT_EQ(p.image.pixel(290, 190), 0xFF00FFFFu);
    ASSERT_EQ(p.objects.size(), 7u);
    EXPECT_EQ(p.objects[0].offset, 394);
    EXPECT_EQ(p.objects[3].kind, u"login pushbutton"_qs);
    EXPECT_EQ(p.objects[1].rect, QRect(10, 40, 120, 20));
    EXPECT_EQ(p.image.pixel(11, 11), 0xFF00FF00u);
    EXPECT_TRUE(anyPixel(p.image, QRect(10, 10, 80, 20), 0xFFFF0000u)); // the caption in red
    EXPECT_EQ(p.image.pixel(128, 58), 0xFF0000FFu);
    EXPECT_EQ(p.image.pixel(160, 25), QColor(0xD4, 0xD0, 0xC8).rgb());
    EXPECT_EQ(p.image.pixel(160, 55), QColor(0xD4, 0xD0, 0xC8).rgb());
    EXPECT_TRUE(p.problems.isEmpty()) << p.problems.join(u'\n').toStdString();
    EXPECT_EQ(btPointLabel(2, 7, 85, true, 0), u"AV 7"_qs);
    EXPECT_EQ(btPointLabel(3, 1, 85, false, 1203), u"BI 1 @1203"_qs);
    EXPECT_EQ(btPointLabel(8, 0xFFFFFFFF, 77, true, 0), u"[name]"_qs);
}

TEST(BtPicture, ThumbnailsAreDrawnSmallerWithTheObjectsWhereTheDisplayHasThem)
{
    QByteArray records;
    records += BtBytes(at(expectedText(), 100, 100, 80, 40)).u32(16, 0x0000FF).u32(20, 0x00FF00).bytes;
    const QByteArray file = expectedFile(header(300, 200, 0x00FFFF00), records, 1);
    EXPECT_EQ(btPictureSize(file), QSize(300, 200));
    EXPECT_EQ(btPictureSize(QByteArray(10, 'x')), QSize(DefaultPictureWidth, DefaultPictureHeight));

    const Picture p = drawBtDisplay(file, {}, MaxPictureSide, 0.25);
    EXPECT_EQ(p.image.size(), QSize(75, 50));
    EXPECT_EQ(p.image.pixel(70, 45), 0xFF00FFFFu);             // the background
    EXPECT_EQ(p.image.pixel(30, 30), 0xFF00FF00u);             // the text's fill, a quarter of the way
    ASSERT_EQ(p.objects.size(), 1u);
    EXPECT_EQ(p.objects[0].rect, QRect(100, 100, 80, 40));     // in the display's coordinates
    // Never larger than the display, whatever the scale asked.
    EXPECT_EQ(drawBtDisplay(file, {}, MaxPictureSide, 3.0).image.size(), QSize(300, 200));
    EXPECT_EQ(drawBtDisplay(file, {}, MaxPictureSide, 0.0).image.size(), QSize(300, 200));
}

TEST(BtPicture, BitmapsFromTheJobAndFromALibrary)
{
    QTemporaryDir dir;
    const QString job = dir.filePath(u"rep/job"_qs);
    QDir().mkpath(job + u"/displays"_qs);
    QDir().mkpath(job + u"/bitmaps"_qs);
    QDir().mkpath(dir.filePath(u"Alerton/Standard/bitmaps"_qs));
    writeFileAtomically(job + u"/bitmaps/own.bmp"_qs, sample::tinyBitmap(0x0000FF));
    writeFileAtomically(dir.filePath(u"Alerton/Standard/bitmaps/aler0000.bmp"_qs), sample::tinyBitmap(0xFF0000));
    QByteArray records;
    records += at(expectedStaticGraphic(), 10, 10, 20, 20); // library alerton/standard, aler0000.bmp
    records += BtBytes(at(expectedStaticGraphic(), 40, 10, 20, 20)).u8(119, 0).str(152, "own.bmp").bytes;
    records += BtBytes(at(expectedAnimatedGraphic(), 70, 10, 20, 20)).bytes; // aler0043.bmp: missing
    const QString path = job + u"/displays/00000001.dsp"_qs;
    writeFileAtomically(path, expectedFile(header(100, 50, 0xFFFFFF), records, 3));

    const BtBitmapFolders folders = btBitmapFoldersOf(path);
    EXPECT_EQ(QDir(folders.jobBitmaps), QDir(job + u"/bitmaps"_qs));
    QByteArray bytes;
    ASSERT_TRUE(readWholeFile(path, bytes, nullptr));
    const Picture p = drawBtDisplay(bytes, folders);
    EXPECT_EQ(p.image.pixel(20, 20), 0xFF0000FFu);
    EXPECT_EQ(p.image.pixel(50, 20), 0xFFFF0000u);
    EXPECT_TRUE(p.objects[2].problem);
    EXPECT_EQ(p.image.pixel(71, 20), kOutlineRed);
    ASSERT_EQ(p.problems.size(), 1);
    EXPECT_TRUE(p.problems[0].contains(u"aler0043.bmp"_qs));
}

TEST(BtPicture, UnknownDamagedAndCutFilesOutlinedNeverACrash)
{
    QByteArray records = at(expectedText(), 5, 5, 40, 14);
    records += BtBytes(at(QByteArray(150, '\0'), 60, 5, 40, 30)).u16(0, 150).bytes; // no kind is 150 bytes long
    const QByteArray file = expectedFile(header(200, 100, 0xFFFFFF), records, 2);
    const Picture p = drawBtDisplay(file, {});
    ASSERT_EQ(p.objects.size(), 2u);
    EXPECT_TRUE(p.objects[1].problem);
    EXPECT_EQ(p.image.pixel(61, 20), kOutlineRed);

    // A record whose length runs past the file: outlined where it says.
    QByteArray damaged = file;
    BtBytes patched(damaged);
    patched.u16(394 + 247, 5000);
    const Picture d = drawBtDisplay(patched.bytes, {});
    ASSERT_EQ(d.objects.size(), 2u);
    EXPECT_TRUE(d.objects[1].problem);
    EXPECT_EQ(d.image.pixel(61, 20), kOutlineRed);

    for (int n = 0; n <= file.size(); n += 5) {
        const Picture cut = drawBtDisplay(file.left(n), {});
        EXPECT_FALSE(cut.image.isNull());
        EXPECT_FALSE(cut.problems.isEmpty()) << n << " bytes: a cut file is no whole display";
    }
    const Picture notDisplay = drawBtDisplay(QByteArray(1000, 'x'), {});
    EXPECT_EQ(notDisplay.image.size(), QSize(DefaultPictureWidth, DefaultPictureHeight));
    EXPECT_EQ(notDisplay.image.pixel(1, 1), kOutlineRed);
}
