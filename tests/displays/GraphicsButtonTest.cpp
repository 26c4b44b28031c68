// Graphics with their bitmaps and pushbuttons with their targets, written
// by the display creation and compared with the records' default contents.
#include "bactalk/BtRecord.h"
#include "sample/IbexDisplayBuilder.h"
#include "support/BtRecordBuilder.h"
#include "support/CreationHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;
using sample::IbexDisplayBuilder;

namespace {

bool hasLine(const SessionLog &log, const QString &line) { return log.lines().contains(line); }

void touch(const QString &path, const QByteArray &bytes = "BM")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// The object records of a written display (the header and end marker cut off).
QByteArray objects(const QByteArray &file) { return file.mid(394, file.size() - 396); }

} // namespace

TEST(GraphicsButtons, ControlPanelButtonMappedToDevice1203)
{
    CreationHarness h;
    h.project.mapApex(1, u"1"_qs, 1100, 1200);
    h.project.addCpanel(1, 1, 7, 1, 3); // panel 7 lives in the Tux at trunk 1, address 3
    IbexDisplayBuilder d;
    d.add(ioBtnCP).rect(5, 6, 80, 24).point(1, 7).u16(ibw::obj::TemplateNumber, 12).caption(u"AHU-1"_qs).u8(24, 2);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);

    BtBytes b(expectedButton());
    b.u16(2, 5).u16(4, 6).u16(6, 80).u16(8, 24).u8(14, 2);
    b.u8(120, 1).u32(28, 0x0004B308).u8(32, 0).u16(10, 0x1904).u32(153, 12).str(157, "AHU-1");
    EXPECT_EQ(objects(h.written()), b.bytes);
}

TEST(GraphicsButtons, DisplayButtonInAControlPanelTemplate)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioBtnDisp).rect(1, 2, 3, 4).point(0, 5).caption(u"Back"_qs).font(u"Tahoma"_qs, 1, 400, 0);
    h.load(u"ccpd0003.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    EXPECT_TRUE(h.result.path.endsWith(u"00000003.dvt"_qs));

    BtBytes b(expectedButton());
    b.u16(2, 1).u16(4, 2).u16(6, 3).u16(8, 4);
    b.u8(43 + 11, 1).u16(43 + 6, 400).u8(43 + 8, 0).str(43 + 12, "Tahoma");
    b.u8(120, 0).u32(28, 0xFFFFFF08).u8(32, 255).u16(10, 0x0504).u32(153, 5).str(157, "Back");
    EXPECT_EQ(objects(h.written()), b.bytes);
}

TEST(GraphicsButtons, RedirectedAndSkippedTargets)
{
    CreationHarness h;
    ASSERT_TRUE(h.redirects.setRedirect(u"disp0009.ibw"_qs, u"rep2-job2-00000044.dsp"_qs, false));
    ASSERT_TRUE(h.redirects.setRedirect(u"disp0010.ibw"_qs, QString(), false));
    ASSERT_TRUE(h.redirects.setRedirect(u"disp0011.ibw"_qs, u"ACME-Plaza-00000050.dsp"_qs, false));
    IbexDisplayBuilder d;
    d.add(ioBtnDisp).point(0, 9).caption(u"Other job"_qs);
    d.add(ioBtnDisp).point(0, 10).caption(u"Skipped"_qs);
    d.add(ioBtnDisp).point(0, 11).caption(u"Same job"_qs);
    d.add(ioBtnDisp).point(0, 12).kindFlag(3).options(0x41).caption(u"Function"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    const QByteArray out = objects(h.written());
    ASSERT_EQ(out.size(), 4 * 205);

    BtBytes other(expectedButton());
    other.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0);
    other.u8(119, 1).str(121, "rep2").str(137, "job2").u32(153, 44).str(157, "Other job");
    EXPECT_EQ(out.mid(0, 205), other.bytes);

    BtBytes skipped(expectedButton());
    skipped.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0).str(157, "Skipped");
    EXPECT_EQ(out.mid(205, 205), skipped.bytes);

    BtBytes same(expectedButton());
    same.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0).u32(153, 50).str(157, "Same job");
    EXPECT_EQ(out.mid(410, 205), same.bytes);

    // A built-in function: its code as options, nothing else.
    BtBytes fn(expectedButton());
    fn.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0).u16(12, 3).str(157, "Function");
    EXPECT_EQ(out.mid(615, 205), fn.bytes);

    EXPECT_TRUE(hasLine(h.log, u"\t\tButton redirected to: rep2-job2-00000044.dsp"_qs));
    EXPECT_TRUE(hasLine(h.log, u"\t\tButton redirected to: "_qs));
    EXPECT_EQ(h.log.translationErrors, 0);
}

TEST(GraphicsButtons, TuxButtonsAndMicrosetsInTemplatesUseTheCurrentDevice)
{
    CreationHarness h;
    h.project.vars.showZoneObjAsText = true;
    h.project.vars.mapMSetGraphicToBtn = true;
    IbexDisplayBuilder d;
    d.add(ioBtnTux).point(1, (1u << 15) | (4u << 9)).u16(ibw::obj::TemplateNumber, 2).caption(u"Tux"_qs);
    d.add(ioGrMicroset).rect(3, 3, 10, 10).point(1, 6).u16(ibw::obj::TemplateNumber, 8).length(120);
    h.load(u"ctxd0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    const QByteArray out = objects(h.written());
    ASSERT_EQ(out.size(), 2 * 205);

    BtBytes tux(expectedButton());
    tux.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0).u8(120, 1);
    tux.u32(28, 0xFFFFFF08).u8(32, 255).u16(10, 0x1904).u32(153, 2).str(157, "Tux");
    EXPECT_EQ(out.mid(0, 205), tux.bytes);

    // The microset becomes a 72 x 22 button captioned with its target.
    BtBytes mset(expectedButton());
    mset.u16(2, 3).u16(4, 3).u16(6, 72).u16(8, 22).u8(120, 1);
    mset.u32(28, 0xFFFFFF08).u8(32, 255).u16(10, 0x1904).u32(153, 8).str(157, "00000008.dvt");
    EXPECT_EQ(out.mid(205, 205), mset.bytes);
    // The loaded record holds the change, within the record.
    const IbexObjRec o(&h.ibex(), h.row(2).position);
    EXPECT_EQ(o.u16(ibw::obj::Width), 72);
    EXPECT_EQ(o.caption(), u"00000008.dvt"_qs);
    // Created again: the same bytes.
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(objects(h.written()), out);
}

TEST(GraphicsButtons, MicrosetCaptionNeverRunsPastItsRecord)
{
    CreationHarness h;
    h.project.vars.showZoneObjAsText = true;
    h.project.vars.mapMSetGraphicToBtn = true;
    IbexDisplayBuilder d;
    d.add(ioGrMicroset).point(1, 6).u16(ibw::obj::TemplateNumber, 8).length(92);
    d.add(ioText).caption(u"next"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    // The caption is cut to the four bytes the record has; the next record
    // is untouched and the button still names the whole target.
    const IbexObjRec o(&h.ibex(), h.row(1).position);
    EXPECT_EQ(o.text(ibw::obj::Caption, 4), u"000"_qs);
    EXPECT_EQ(IbexObjRec(&h.ibex(), h.row(2).position).caption(), u"next"_qs);
    const QByteArray out = objects(h.written());
    EXPECT_EQ(out.mid(157, 13), QByteArray("00000008.dvt\0", 13));
}

TEST(GraphicsButtons, LoginButtonWithAFiveCharacterCaption)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioBtnCmd).rect(9, 8, 70, 20).text(88, u";NLogin"_qs);
    d.add(ioBtnCmd).text(88, u"Print"_qs); // no ";": left out
    d.add(ioText).caption(u"after"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    BtBytes login(expectedLogin("Login"));
    login.u16(2, 9).u16(4, 8).u16(6, 70).u16(8, 20);
    const QByteArray out = objects(h.written());
    ASSERT_EQ(out.size(), 127 + 247);
    EXPECT_EQ(out.left(127), login.bytes);
    EXPECT_EQ(static_cast<uint8_t>(out[127]), 247); // the text starts right after
    EXPECT_EQ(h.result.records, 2);
}

TEST(GraphicsButtons, LocalGraphicMatchesTheAlertonLibrary)
{
    CreationHarness h;
    for (int i = 1; i <= 4; ++i)
        touch(h.bactalkRoot() + QStringLiteral("/alerton/standard/bitmaps/FAN%1.BMP").arg(i));
    IbexDisplayBuilder d;
    d.add(ioGrStatic).rect(10, 10, 32, 32).options(0x41).u8(24, 1).bitmap(1, u"fan1.bmp"_qs).bitmap(2, u"fan2.bmp"_qs)
        .bitmap(3, u"fan3.bmp"_qs).bitmap(4, u"fan4.bmp"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    h.row(1).translated = {u"BV-4"_qs, QString()};
    ASSERT_TRUE(h.create().written);

    BtBytes g(expectedStaticGraphic());
    g.u16(2, 10).u16(4, 10).u16(6, 32).u16(8, 32).u16(12, 0x0001).u8(14, 1);
    g.str(152, "fan1.bmp").str(166, "fan2.bmp").str(180, "fan3.bmp").str(194, "fan4.bmp");
    g.u8(119, 1).str(120, "alerton").str(136, "standard");
    EXPECT_EQ(objects(h.written()), g.bytes);
    EXPECT_TRUE(hasLine(h.log, u"\t\tFound alerton-standard bitmap match!"_qs));
    EXPECT_EQ(h.log.translationErrors, 0);
    EXPECT_FALSE(QDir(h.bactalkJob() + u"/bitmaps"_qs).exists());
    // The next run looks at the library again: without one of the four
    // bitmaps it no longer matches, and the graphic wants its own copies.
    ASSERT_TRUE(QFile::remove(h.bactalkRoot() + u"/alerton/standard/bitmaps/FAN4.BMP"_qs));
    h.log.clear();
    ASSERT_TRUE(h.create().written);
    EXPECT_FALSE(hasLine(h.log, u"\t\tFound alerton-standard bitmap match!"_qs));
    EXPECT_TRUE(hasLine(h.log, u"\t\tMissing source bitmap: fan4.bmp"_qs));
    EXPECT_EQ(objects(h.written()).at(119), 0); // no library named
}

TEST(GraphicsButtons, JobGraphicCopiesItsBitmaps)
{
    CreationHarness h;
    for (int i = 1; i <= 4; ++i)
        touch(h.bactalkRoot() + QStringLiteral("/alerton/standard/bitmaps/fan%1.bmp").arg(i));
    for (int i = 1; i <= 3; ++i)
        touch(h.project.jobFolder() + QStringLiteral("/ldisplay/FAN%1.bmp").arg(i), "fan");
    touch(h.bactalkJob() + u"/bitmaps/fan2.bmp"_qs, "kept");
    IbexDisplayBuilder d;
    d.add(ioGrStatic).bitmap(1, u"fan1.bmp"_qs).bitmap(2, u"fan2.bmp"_qs).bitmap(3, u"fan3.bmp"_qs).bitmap(4, u"fan4.bmp"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);

    BtBytes g(expectedStaticGraphic());
    g.u16(2, 0).u16(4, 0).u16(6, 0).u16(8, 0).u16(12, 0).u16(33, 0).u32(35, 0);
    g.str(152, "fan1.bmp").str(166, "fan2.bmp").str(180, "fan3.bmp").str(194, "fan4.bmp").u8(119, 0);
    EXPECT_EQ(objects(h.written()), g.bytes);
    QFile copied(h.bactalkJob() + u"/bitmaps/fan1.bmp"_qs);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("fan"));
    QFile kept(h.bactalkJob() + u"/bitmaps/fan2.bmp"_qs);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
    EXPECT_TRUE(hasLine(h.log, u"\t\tMissing source bitmap: fan4.bmp"_qs));
    EXPECT_EQ(h.log.translationErrors, 1);
}

TEST(GraphicsButtons, PilotAnalogFlaggedAndUnsafeGraphics)
{
    CreationHarness h;
    h.project.vars.convertZonePts = true;
    h.project.vars.setReadonly = true;
    IbexDisplayBuilder d;
    d.add(ioGrPilot).rect(1, 1, 16, 16).point(1, 0x220001); // generic zone point: flagged
    d.add(ioGrAnalog).u16(200, 4).u16(202, 680).u16(204, 700).u16(206, 740).u16(208, 760).bitmap(1, u"../evil.bmp"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);
    const QByteArray out = objects(h.written());
    ASSERT_EQ(out.size(), 222 + 298);

    BtBytes pilot(expectedStaticGraphic());
    pilot.u16(2, 1).u16(4, 1).u16(6, 21).u16(8, 21).u16(12, 0x2000).u16(33, 0).u32(35, 0);
    pilot.str(152, "aler0000.bmp").str(166, "aler0001.bmp").str(180, "aler0000.bmp").str(194, "aler0001.bmp");
    pilot.u8(119, 1).str(120, "alerton").str(136, "standard");
    EXPECT_EQ(out.left(222), pilot.bytes);

    const bt::BtRecord analog(reinterpret_cast<uint8_t *>(const_cast<char *>(out.constData())) + 222, 298);
    EXPECT_EQ(analog.u16(264), 4);
    EXPECT_DOUBLE_EQ(analog.f64(266), 68.0);
    EXPECT_DOUBLE_EQ(analog.f64(274), 70.0);
    EXPECT_DOUBLE_EQ(analog.f64(282), 74.0);
    EXPECT_DOUBLE_EQ(analog.f64(290), 76.0);
    EXPECT_EQ(analog.text(152, 14), u"../evil.bmp"_qs);
    EXPECT_EQ(analog.u8(119), 0);
    EXPECT_TRUE(hasLine(h.log, u"\t\tBitmap name is not a plain file name, not copied: ../evil.bmp"_qs));
    EXPECT_FALSE(QFile::exists(h.bactalkJob() + u"/evil.bmp"_qs));
    // Seven empty slots are blank names.
    EXPECT_EQ(h.log.lines().count(u"\t\tSource bitmap name is blank."_qs), 7);
}

TEST(GraphicsButtons, PanelButtonWithoutDeviceIsNoTranslationError)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioBtnCP).point(3, 7).u16(ibw::obj::TemplateNumber, 4).caption(u"Panel"_qs); // Apex 3 is not mapped
    h.list(u"disp0001.ibw"_qs, d.bytes());
    // The grid tells the user; creation has nothing to add.
    EXPECT_EQ(h.row(1).note, u"Device-ID cannot be mapped!"_qs);
    ASSERT_TRUE(h.create().written);
    const QByteArray out = objects(h.written());
    ASSERT_EQ(out.size(), 205);
    // The button names the device the lookup gave (NotMapped).
    EXPECT_EQ(static_cast<uint8_t>(out[31]), 0x40);
    EXPECT_FALSE(h.log.lines().join(u'\n').contains(u"cannot be mapped"_qs));
    EXPECT_EQ(h.log.translationErrors, 0);
}
