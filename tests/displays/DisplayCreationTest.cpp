// Display creation: the run, the header, the row loop and the texts, values
// and checkboxes, compared byte for byte with the records' default contents
// and the fields the creation fills.
#include "util/Error.h"
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

// The header as the creation fills it for a colour background.
BtBytes header(uint16_t w, uint16_t h, const char *title, uint32_t color, uint8_t byte70)
{
    BtBytes b(expectedHeader());
    b.u16(378, w).u16(380, h).str(2, title).u8(371, 0).u32(382, color).u16(376, byte70);
    return b;
}

} // namespace

TEST(DisplayCreation, AllRowsSkippedGiveHeaderAndEndMarker)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.size(640, 400).description(u"Boiler Room"_qs).headerByte(70, 12);
    d.add(ioText).caption(u"x"_qs);
    h.load(u"disp0012.ibw"_qs, d.bytes());
    h.row(1).ovr = ObjOverride::Skip;
    const CreationOutcome r = h.create();
    ASSERT_TRUE(r.written);
    EXPECT_EQ(QDir::fromNativeSeparators(r.path), h.displayPath(u"00000012.dsp"_qs));
    const QByteArray out = h.written();
    EXPECT_EQ(out.size(), 396);
    // Background kind 0: grey.
    EXPECT_EQ(out, expectedFile(header(640, 400, "Boiler Room", 0x808080, 12).bytes, {}, 0));
    EXPECT_TRUE(hasLine(h.log, u"\tTranslated 0 objects."_qs));
    EXPECT_TRUE(h.log.lines().front().endsWith(u"]: Create display file: "_qs + QDir::toNativeSeparators(r.path)));
    EXPECT_TRUE(h.prompter.informed.isEmpty());
}

TEST(DisplayCreation, TextObjectAndTheColourDefaultsOfTheLoadedRecord)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.size(800, 600).description(u"AHU"_qs).colorBackground(0x00C0C0C0);
    d.add(ioText).rect(10, 20, 100, 16).colors(0, 0, 0).font(u"Arial"_qs, 2, 700, 1).options(0x01).caption(u"Zone 1"_qs);
    h.load(u"disp0001.ibw"_qs, d.bytes());
    ASSERT_TRUE(h.create().written);

    BtBytes text(expectedText());
    text.u16(2, 10).u16(4, 20).u16(6, 100).u16(8, 16);
    text.u32(16, 0).u32(20, 0xFFFFFF).u32(24, 0x0000FF);
    text.u8(43 + 11, 2).u16(43 + 6, 700).u8(43 + 8, 1).str(43 + 12, "Arial");
    text.u16(12, 0x000F);
    text.str(119, "Zone 1");
    const QByteArray expected = expectedFile(header(800, 600, "AHU", 0x00C0C0C0, 0).bytes, text.bytes, 1);
    EXPECT_EQ(h.written(), expected);
    EXPECT_EQ(h.written().size(), 643);

    // The loaded record now holds the colour defaults itself.
    const IbexObjRec o(&h.ibex(), h.row(1).position);
    EXPECT_EQ(o.u32(ibw::obj::BackColor), 0xFFFFFFu);
    EXPECT_EQ(o.u32(ibw::obj::AlarmColor), 0x0000FFu);

    // A second creation asks, overwrites and gives the same file.
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(h.written(), expected);
    EXPECT_TRUE(h.prompter.asked.contains(u"File exists! Do you want to overwrite it?\nFile: "_qs
                                          + QDir::toNativeSeparators(h.result.path)));
    EXPECT_TRUE(hasLine(h.log, u"\tOverwrite of file allowed by user"_qs));
}

TEST(DisplayCreation, TitleOverrideAndCaptionCut)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.description(u"Old title"_qs).colorBackground(0x123456);
    d.add(ioGroupBox).rect(1, 2, 3, 4).colors(0x10, 0x20, 0x30).caption(QString(150, u'G'));
    d.add(ioText).caption(u"Ibex text"_qs);
    h.load(u"disp0002.ibw"_qs, d.bytes());
    h.translation().header().ovr = ObjOverride::Text;
    h.translation().header().btText = u"New title"_qs;
    h.row(2).ovr = ObjOverride::Text;
    h.row(2).btText = u"Override"_qs;
    ASSERT_TRUE(h.create().written);
    const QByteArray out = h.written();
    const bt::BtRecord hdr(reinterpret_cast<uint8_t *>(const_cast<char *>(out.constData())), 394);
    EXPECT_EQ(hdr.text(2, 80), u"New title"_qs);
    EXPECT_EQ(hdr.u32(382), 0x123456u);

    BtBytes group(expectedGroupBox());
    group.u16(2, 1).u16(4, 2).u16(6, 3).u16(8, 4).u32(16, 0x10).u32(20, 0x20).u32(24, 0x30).u16(12, 0x000E);
    group.bytes.replace(119, 127, QByteArray(127, 'G'));
    group.u8(246, 0);
    EXPECT_EQ(out.mid(394, 247), group.bytes);
    const bt::BtRecord text(reinterpret_cast<uint8_t *>(const_cast<char *>(out.constData())) + 394 + 247, 247);
    EXPECT_EQ(text.text(119, 128), u"Override"_qs);
}

TEST(DisplayCreation, ValueWithPriorityOverrideAndUnscaledIncrement)
{
    CreationHarness h;
    h.project.vars.copyUnits = true;
    h.project.vars.padUnits = true;
    IbexDisplayBuilder d;
    d.size(600, 480).headerByte(70, 8).colorBackground(0xFFFFFF);
    // A prompted analog value whose factor is 0.
    d.add(ioAnalog).rect(30, 40, 60, 18).colors(0xFF, 0xFF00, 0xFF0000).point(1, 0xD00005)
        .text(88, u"degF"_qs).f64(96, 0.0).u8(104, 2).u16(106, 25).u8(24, 4);
    h.load(u"disp0003.ibw"_qs, d.bytes());
    h.row(1).ovr = ObjOverride::Point;
    h.row(1).btPoint = u"1203:BO-6-P87[8]"_qs;
    ASSERT_TRUE(h.create().written);

    BtBytes v(expectedPromptedValue());
    v.u16(2, 30).u16(4, 40).u16(6, 60).u16(8, 18).u32(16, 0xFF).u32(20, 0xFF00).u32(24, 0xFF0000);
    v.u32(28, 1203u << 8).u8(32, 0).u16(33, 4).u32(35, 6).u8(39, 87).u8(40, 1).u8(41, 8);
    v.u16(12, 0x000E).u8(14, 4);
    v.f64(119, 0.0).u8(127, 2).f64(129, 2.5);
    v.u8(259, 1).str(261, " degF");
    EXPECT_EQ(h.written(), expectedFile(header(600, 480, "", 0xFFFFFF, 8).bytes, v.bytes, 1));
}

TEST(DisplayCreation, PlaceholderPointBindsTheCurrentDevice)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.colorBackground(0xFFFFFF);
    d.add(ioRoAnalog).rect(6, 6, 72, 14).colors(1, 2, 3).point(1, 0x220003).f64(96, 2.0).u8(104, 0);
    h.load(u"disp0004.ibw"_qs, d.bytes());
    h.row(1).translated = {u"av-32"_qs, u"Zone point has no BACtalk object"_qs};
    ASSERT_TRUE(h.create().written);

    BtBytes v(expectedReadOnlyValue());
    v.u32(16, 1).u32(20, 2).u32(24, 3).u16(12, 0x000E);
    v.u32(28, 0xFFFFFF08u).u8(32, 255).u16(33, 2).u32(35, 32).u8(39, 85);
    v.f64(119, 2.0).u8(127, 0);
    EXPECT_EQ(h.written(), expectedFile(header(0, 0, "", 0xFFFFFF, 0).bytes, v.bytes, 1));
    EXPECT_TRUE(hasLine(h.log, u"\tObject# 1, Analog-Readonly"_qs));
    EXPECT_TRUE(hasLine(h.log, u"\t\tAnalog-Readonly: Zone point has no BACtalk object <AV-32>"_qs));
    EXPECT_EQ(h.prompter.informed,
              QStringList{u"Translation errors may need correcting. See Project-Log tab for details."_qs});
}

TEST(DisplayCreation, ValueDetails)
{
    CreationHarness h;
    h.project.vars.mapStateText = true;
    IbexDisplayBuilder d;
    d.add(ioAnalog).f64(96, 4.0).u16(106, 10);                               // 1: spin 1.0 / 4
    d.add(ioDigital).text(88, u"On"_qs).text(108, u"OFF"_qs).u8(24, 7);      // 2: defaults stay
    d.add(ioRoDigital).text(88, u"Running"_qs).text(108, u"Stopped"_qs);     // 3
    d.add(ioRoAirflow).airflowPoint(1, 0xD00001);                            // 4
    d.add(ioCheckbox).caption(u"Enable"_qs).kindFlag(1).u8(24, 3);           // 5
    h.project.vars.copyUnits = true;
    h.load(u"disp0005.ibw"_qs, d.bytes());
    h.row(4).translated = {u"1100:av-1"_qs, QString()};
    h.row(5).translated = {u"BO-3"_qs, QString()};
    h.row(5).ovr = ObjOverride::TextAndPoint;
    h.row(5).btText = u"Enable fan"_qs;
    h.row(5).btPoint = u"1200:BV-9"_qs;
    ASSERT_TRUE(h.create().written);
    QByteArray out = h.written();
    auto rec = [&](int offset, int size) {
        return bt::BtRecord(reinterpret_cast<uint8_t *>(out.data()) + offset, size);
    };
    int at = 394;
    const bt::BtRecord a = rec(at, 301);
    EXPECT_DOUBLE_EQ(a.f64(129), 0.25);
    at += 301;
    const bt::BtRecord dg = rec(at, 301);
    EXPECT_EQ(dg.text(137, 40), u"Active"_qs);
    EXPECT_EQ(dg.text(177, 40), u"Inactive"_qs);
    EXPECT_EQ(dg.u8(14), 7);
    at += 301;
    const bt::BtRecord rd = rec(at, 301);
    EXPECT_EQ(rd.text(137, 40), u"Running"_qs);
    EXPECT_EQ(rd.text(177, 40), u"Stopped"_qs);
    EXPECT_EQ(rd.u8(14), 0); // read-only values keep the default level
    at += 301;
    const bt::BtRecord af = rec(at, 301);
    EXPECT_EQ(af.u16(10), 0x0101);
    EXPECT_EQ(af.text(261, 40), u"cfm"_qs);
    EXPECT_EQ(af.u8(259), 1);
    // Airflow points are used as translated, not upper-cased.
    EXPECT_EQ(af.u32(28), 1100u << 8);
    EXPECT_EQ(af.u16(33), 2);
    at += 301;
    const bt::BtRecord cb = rec(at, 247);
    EXPECT_EQ(cb.u16(10), 0x0103);
    EXPECT_EQ(cb.text(119, 128), u"Enable fan"_qs);
    EXPECT_EQ(cb.u32(28), (1200u << 8) | 0x08);
    EXPECT_EQ(cb.u16(33), 5);
    EXPECT_EQ(cb.u32(35), 9u);
    EXPECT_EQ(cb.u8(14), 3);
    EXPECT_TRUE(hasLine(h.log, u"\t\tCheckbox: Reversed DO state!"_qs));
    EXPECT_EQ(h.result.records, 5);
}

TEST(DisplayCreation, PanelObjectsAsValuesOrTexts)
{
    CreationHarness h;
    h.project.vars.showZoneObjAsText = true;
    h.project.vars.convertCpName = true;
    h.project.vars.convertCpStatus = false;
    h.project.vars.cpanelStatusBV = u"BV-12"_qs;
    IbexDisplayBuilder d;
    d.add(ioCpNum).rect(1, 1, 50, 10);       // object-name of the current device
    d.add(ioCpStatus).rect(2, 2, 50, 10);    // the grid shows a text; still a prompted value
    d.add(ioCpAlarms);                       // text "CPanel-Alarms"
    d.addCode(0x7777).caption(u"odd"_qs);    // unknown kind: a text with its caption
    d.add(ioBtnDef).caption(u"Help"_qs);     // placeholder text: the type name
    h.load(u"disp0006.ibw"_qs, d.bytes());
    h.row(3).ovr = ObjOverride::Text;
    h.row(3).btText = QString(200, u'a');
    ASSERT_TRUE(h.create().written);
    QByteArray out = h.written();
    const bt::BtRecord num(reinterpret_cast<uint8_t *>(out.data()) + 394, 301);
    EXPECT_EQ(num.u16(10), 0x0101);
    EXPECT_EQ(num.u16(33), 8);
    EXPECT_EQ(num.u32(35), 0xFFFFFFFFu);
    EXPECT_EQ(num.u8(39), 77);
    EXPECT_EQ(num.u8(32), 255);
    int at = 394 + 301;
    const bt::BtRecord status(reinterpret_cast<uint8_t *>(out.data()) + at, 301);
    EXPECT_EQ(status.u16(10), 0x0105);
    EXPECT_EQ(status.u8(32), 255); // the current device
    EXPECT_EQ(status.u16(33), 5);   // binary value 12, present value
    EXPECT_EQ(status.u32(35), 12u);
    EXPECT_EQ(status.u8(39), 85);
    at += 301;
    const bt::BtRecord alarms(reinterpret_cast<uint8_t *>(out.data()) + at, 247);
    // Cut to 127 bytes: at most 126 characters.
    EXPECT_EQ(alarms.text(119, 128), QString(126, u'a'));
    at += 247;
    const bt::BtRecord unknown(reinterpret_cast<uint8_t *>(out.data()) + at, 247);
    EXPECT_EQ(unknown.text(119, 128), u"odd"_qs);
    at += 247;
    const bt::BtRecord help(reinterpret_cast<uint8_t *>(out.data()) + at, 247);
    EXPECT_EQ(help.text(119, 128), u"Button-Default"_qs);
    EXPECT_EQ(h.result.records, 5);

    // Without ShowZoneObjAsText the placeholders are left out (the panel
    // objects are still values: these rows were not skipped by a listing).
    h.project.vars.showZoneObjAsText = false;
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(h.result.records, 3);
    EXPECT_TRUE(hasLine(h.log, u"\tTranslated 5 objects."_qs));
}

TEST(DisplayCreation, StopsAt256Objects)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    for (int i = 0; i < 300; ++i)
        d.add(ioText).caption(u"t"_qs);
    h.load(u"disp0007.ibw"_qs, d.bytes());
    ASSERT_EQ(h.translation().rows().size(), 301u); // the header and 300 objects
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(h.result.records, 256);
    EXPECT_EQ(h.written().size(), 394 + 256 * 247 + 2);
    EXPECT_TRUE(hasLine(h.log, u"\tMaximum display objects reached."_qs));
    EXPECT_TRUE(hasLine(h.log, u"\tTranslated 256 objects."_qs));
    EXPECT_EQ(h.prompter.informed, QStringList{u"Maximum object count reached!"_qs});
}

TEST(DisplayCreation, SingleRowModeWritesOnlyThatObject)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"one"_qs);
    d.add(ioText).caption(u"two"_qs).rect(7, 8, 9, 10);
    d.add(ioText).caption(u"three"_qs);
    h.load(u"disp0008.ibw"_qs, d.bytes());
    // The rows come in the grid's order; creation sorts them by object.
    std::reverse(h.translation().rows().begin(), h.translation().rows().end());
    ASSERT_EQ(h.translation().rows()[1].object, 2);
    ASSERT_TRUE(h.create(1).written); // the selected row: object 2
    EXPECT_EQ(h.translation().rows()[1].object, 1); // back in object order
    BtBytes text(expectedText());
    text.u16(2, 7).u16(4, 8).u16(6, 9).u16(8, 10).u16(12, 0x000E).str(119, "two");
    EXPECT_EQ(h.written(), expectedFile(header(0, 0, "", 0x808080, 0).bytes, text.bytes, 1));
    EXPECT_TRUE(hasLine(h.log, u"\tTranslated 1 objects."_qs));
}

TEST(DisplayCreation, NothingWrittenWithoutJobFolderOrWhenDeclined)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"x"_qs);
    d.add(ioText).caption(u"a"_qs);
    h.list(u"disp0009.ibw"_qs, d.bytes());
    // The user's sort stays while nothing is written.
    h.translation().sort(soIbexText);
    const auto objectOrder = [&] {
        QList<int> order;
        for (const TranslationRow &r : h.translation().rows())
            order << r.object;
        return order;
    };
    const QList<int> sorted{0, 2, 1};
    ASSERT_EQ(objectOrder(), sorted);

    h.project.vars.bactalkJobPath = h.project.root() + u"/nowhere"_qs;
    EXPECT_FALSE(h.create().written);
    EXPECT_EQ(h.prompter.informed, QStringList{u"BACtalk job path is not set or does not exist!"_qs});
    EXPECT_FALSE(QDir(h.project.root() + u"/nowhere"_qs).exists());
    EXPECT_EQ(objectOrder(), sorted);

    h.project.vars.bactalkJobPath = h.bactalkJob();
    const QString path = h.displayPath(u"00000009.dsp"_qs);
    QDir().mkpath(QFileInfo(path).path());
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old display");
    }
    h.prompter.pushYesNo(false);
    EXPECT_FALSE(h.create().written);
    {
        // Closed again before the next write: on Windows a file held open
        // cannot be replaced.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old display"));
    }
    EXPECT_FALSE(hasLine(h.log, u"\tOverwrite of file allowed by user"_qs));
    EXPECT_EQ(objectOrder(), sorted);
    // Written: the rows are in object order now.
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(objectOrder(), (QList<int>{0, 1, 2}));
}

TEST(DisplayCreation, DisplaysFolderThatCannotBeMadeIsAnError)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"x"_qs);
    h.load(u"disp0010.ibw"_qs, d.bytes());
    // A file where the displays folder should be.
    QFile blocker(h.bactalkJob() + u"/displays"_qs);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        h.create();
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(u"displays"_qs)) << e.message().toStdString();
    }
}

TEST(DisplayCreation, DamagedRecordsGiveAValidFile)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"ok"_qs);
    // A value whose record claims 200 bytes and a graphic cut short: the file
    // ends inside them.
    d.add(ioAnalog).length(200, true);
    d.add(ioGrAnalog).length(240, true);
    QByteArray bytes = d.bytes();
    bytes.chop(30);
    h.load(u"disp0011.ibw"_qs, bytes);
    ASSERT_GE(h.translation().rows().size(), 3u);
    // A row that points past the file is logged, not read.
    TranslationRow stray;
    stray.object = 99;
    stray.kind = ioText;
    stray.position = 1 << 20;
    h.translation().rows().push_back(stray);
    ASSERT_TRUE(h.create().written);
    const QByteArray out = h.written();
    EXPECT_EQ(out.size(), static_cast<int>(static_cast<uint8_t>(out[388]) | (static_cast<uint8_t>(out[389]) << 8)) + 2);
    EXPECT_EQ(static_cast<uint8_t>(out[372]), h.result.records);
    EXPECT_TRUE(hasLine(h.log, u"\t\tThe object record lies outside the display file."_qs));
}

TEST(DisplayCreation, ChangesToAShortRecordStayInsideIt)
{
    CreationHarness h;
    h.project.vars.showZoneObjAsText = true;
    h.project.vars.mapMSetGraphicToBtn = true;
    IbexDisplayBuilder d;
    // A record of 8 bytes read as a microset graphic (its code word lies in
    // the next record's x) becomes a 72 x 22 button: its width fits the
    // record, its height (at 8) and caption (at 88) do not and are left out;
    // the next record keeps every byte, its length word included.
    d.add(ioGrMicroset).point(1, 7).length(8);
    d.add(ioText).rect(objectCodeOf(ioGrMicroset), 5, 60, 20).colors(0x10, 0x20, 0x30).caption(u"next"_qs);
    h.load(u"disp0012.ibw"_qs, d.bytes());
    const TranslationRow &second = h.row(2);
    const QByteArray nextBefore = h.ibex().mid(second.position - 1, 200);
    ASSERT_TRUE(h.create().written);
    EXPECT_EQ(h.ibex().mid(second.position - 1, 200), nextBefore);
    EXPECT_EQ(IbexObjRec(&h.ibex(), h.row(1).position).u16(ibw::obj::Width), 72);
    EXPECT_EQ(h.row(1).kind, ioGrMicroset);
    EXPECT_EQ(h.result.records, 2);
}
