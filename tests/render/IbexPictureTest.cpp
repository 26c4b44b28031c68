// Ibex displays built record by record and drawn: each object at its
// position and size in its colours, texts inside their rectangles, bitmaps
// found by name, and red outlines for what cannot be drawn.
#include "render/IbexPicture.h"
#include "sample/IbexDisplayBuilder.h"
#include "sample/SampleDisplays.h"
#include "util/FileUtil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PixelChecks.h"

using namespace vorlix;
using namespace vorlix::render;
using namespace vorlix::test;
using sample::IbexDisplayBuilder;

namespace {

Picture draw(const IbexDisplayBuilder &b, const QStringList &folders = {})
{
    return drawIbexDisplay(IbexDisplay::fromBytes(b.bytes()), BitmapFinder(folders));
}

} // namespace

TEST(IbexPicture, SizeBackgroundAndEveryKindAtItsPlace)
{
    IbexDisplayBuilder b;
    b.size(300, 200).colorBackground(0x00FFFF00); // cyan (0x00BBGGRR)
    b.add(ioText).rect(10, 10, 80, 20).colors(0x0000FF, 0x00FF00, 0).caption(u"Supply"_qs);
    b.add(ioRoAnalog).rect(10, 40, 120, 20).colors(0, 0xFF0000, 0).caption(u"degF"_qs).u8(ibw::obj::Decimals, 1);
    b.add(ioBtnDisp).rect(150, 10, 72, 22).caption(u"Next"_qs);
    b.add(ioGroupBox).rect(150, 60, 100, 60).caption(u"Group"_qs);
    b.add(ioCheckbox).rect(10, 70, 100, 16).caption(u"Enable"_qs);
    const Picture p = draw(b);

    ASSERT_EQ(p.image.size(), QSize(300, 200));
    EXPECT_EQ(p.image.pixel(290, 190), 0xFF00FFFFu); // background colour
    ASSERT_EQ(p.objects.size(), 5u);
    EXPECT_EQ(p.objects[0].rect, QRect(10, 10, 80, 20));
    EXPECT_EQ(p.objects[0].offset, ibw::HeaderSize);
    EXPECT_EQ(p.objects[2].kind, u"Button-Display"_qs);
    // The text's background fills its box; its caption is drawn in red.
    EXPECT_EQ(p.image.pixel(11, 11), 0xFF00FF00u);
    EXPECT_EQ(p.image.pixel(89, 29), 0xFF00FF00u);
    EXPECT_EQ(p.image.pixel(91, 11), 0xFF00FFFFu); // just outside it
    EXPECT_TRUE(anyPixel(p.image, QRect(10, 10, 80, 20), 0xFFFF0000u));
    // The value's box in blue with its placeholder drawn in black.
    EXPECT_EQ(p.image.pixel(128, 58), 0xFF0000FFu);
    EXPECT_TRUE(anyPixel(p.image, QRect(10, 40, 120, 20), 0xFF000000u));
    // The button face and its caption; the check box's box is white.
    EXPECT_EQ(p.image.pixel(160, 25), QColor(0xD4, 0xD0, 0xC8).rgb());
    EXPECT_GT(inked(p.image, QRect(170, 14, 32, 14), QColor(0xD4, 0xD0, 0xC8).rgb()), 5);
    EXPECT_TRUE(anyPixel(p.image, QRect(11, 71, 13, 14), 0xFFFFFFFFu));
    EXPECT_TRUE(p.problems.isEmpty()) << p.problems.join(u'\n').toStdString();
    EXPECT_EQ(p.objectAt(QPoint(160, 20)), 2);
    EXPECT_EQ(p.objectAt(QPoint(299, 199)), -1);
}

TEST(IbexPicture, RecordWithoutColoursDrawnBlackOnWhiteAsItIsCreated)
{
    IbexDisplayBuilder b;
    b.size(200, 100).colorBackground(0x00C0C0C0);
    b.add(ioRoAnalog).rect(10, 10, 120, 20).colors(0, 0, 0).caption(u"degF"_qs);
    b.add(ioRoAnalog).rect(10, 40, 120, 20).colors(0xFFFFFF, 0, 0).caption(u"degF"_qs);
    const Picture p = draw(b);
    EXPECT_EQ(p.image.pixel(128, 28), 0xFFFFFFFFu); // white box ...
    EXPECT_TRUE(anyPixel(p.image, QRect(10, 10, 120, 20), 0xFF000000u)); // ... black placeholder
    EXPECT_EQ(p.image.pixel(128, 58), 0xFF000000u); // a black back colour with a fore colour stays black
}

TEST(IbexPicture, BitmapsFoundByNameAndMissingOnesOutlined)
{
    QTemporaryDir dir;
    writeFileAtomically(dir.filePath(u"Fan.BMP"_qs), sample::tinyBitmap(0x0000FF)); // red
    writeFileAtomically(dir.filePath(u"back.bmp"_qs), sample::tinyBitmap(0x00FF0000)); // blue
    IbexDisplayBuilder b;
    b.size(200, 100).bitmapBackground(u"C:\\IBEX\\LDISPLAY\\BACK.BMP"_qs);
    b.add(ioGrStatic).rect(10, 10, 20, 20).bitmap(1, u"fan.bmp"_qs);
    b.add(ioGrAnimated).rect(100, 10, 40, 40).bitmap(1, u"gone.bmp"_qs);
    b.add(ioGrStatic).rect(10, 50, 20, 20).bitmap(1, u"../fan.bmp"_qs);
    const Picture p = draw(b, {dir.path()});

    EXPECT_EQ(p.image.pixel(0, 0), 0xFF0000FFu); // the 2 x 2 background bitmap at its own size
    EXPECT_EQ(p.image.pixel(20, 20), 0xFFFF0000u); // the graphic stretched over its box
    EXPECT_FALSE(p.objects[0].problem);
    EXPECT_TRUE(p.objects[1].problem);
    EXPECT_EQ(p.image.pixel(101, 30), kOutlineRed); // the missing bitmap's outline
    EXPECT_TRUE(p.objects[2].problem) << "a name with a path is never looked up";
    ASSERT_EQ(p.problems.size(), 2);
    EXPECT_TRUE(p.problems[0].contains(u"gone.bmp"_qs));
}

TEST(IbexPicture, UnknownAndDamagedRecordsOutlinedNeverACrash)
{
    IbexDisplayBuilder b;
    b.size(200, 100);
    b.add(ioText).rect(5, 5, 50, 14).caption(u"ok"_qs);
    b.addCode(0x7777).rect(60, 5, 40, 30);
    b.add(ioText).rect(110, 5, 50, 20).length(300, true); // a length that ends the walk
    const Picture p = draw(b);
    ASSERT_EQ(p.objects.size(), 3u);
    EXPECT_TRUE(p.objects[1].problem);
    EXPECT_EQ(p.image.pixel(61, 20), kOutlineRed);
    EXPECT_TRUE(p.objects[2].problem);
    EXPECT_EQ(p.image.pixel(111, 15), kOutlineRed);
    EXPECT_EQ(p.problems.size(), 2);

    // Every cut of the file draws without a crash; a file without a whole
    // header is outlined as a whole.
    const QByteArray whole = b.bytes();
    for (int n = 0; n <= whole.size(); n += 7) {
        const Picture cut = drawIbexDisplay(IbexDisplay::fromBytes(whole.left(n)), BitmapFinder());
        EXPECT_FALSE(cut.image.isNull());
        if (n < ibw::HeaderSize) {
            EXPECT_EQ(cut.image.size(), QSize(DefaultPictureWidth, DefaultPictureHeight));
            EXPECT_EQ(cut.image.pixel(1, 1), kOutlineRed);
        }
    }
}

TEST(IbexPicture, HugeSizesAreCutAndOffDisplayObjectsNoted)
{
    IbexDisplayBuilder b;
    b.size(65535, 20);
    b.add(ioText).rect(5000, 5, 50, 14).caption(u"far"_qs);
    const Picture p = draw(b);
    EXPECT_EQ(p.image.size(), QSize(MaxPictureSide, 20));
    EXPECT_TRUE(p.objects[0].problem);
    EXPECT_TRUE(p.problems.value(0).contains(u"outside"_qs));
}
