// Reading Ibex display files: the record walk with its limits, bounded field
// reads on damaged files, object kinds and the airflow scratch record.
#include "ibex/IbexDisplay.h"
#include "sample/IbexDisplayBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;
using sample::IbexDisplayBuilder;

namespace {
QByteArray word(uint16_t v) { return QByteArray(1, char(v & 0xFF)) + QByteArray(1, char(v >> 8)); }
} // namespace

TEST(IbexDisplay, WalkYieldsEachRecordInFileOrder)
{
    IbexDisplayBuilder b;
    b.description(u"Main"_qs);
    b.add(ioText).caption(u"Hello"_qs);
    b.add(ioRoAnalog).point(1, 0xD0000C).length(120);
    b.add(ioCheckbox).caption(u"Fan"_qs).length(22);
    const IbexDisplay d = IbexDisplay::fromBytes(b.bytes());
    const std::vector<int> p = d.walkObjectRecords();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0], 189);
    EXPECT_EQ(p[1], 189 + 88 + 6); // "Hello" and its NUL end the first record
    EXPECT_EQ(p[2], p[1] + 120);
    EXPECT_EQ(d.record(p[0]).kind(), ioText);
    EXPECT_EQ(d.record(p[0]).caption(), u"Hello"_qs);
    EXPECT_EQ(d.record(p[1]).pointRef(), 0xD0000Cu);
    EXPECT_EQ(d.record(p[2]).length(), 22);
    EXPECT_EQ(d.description(), u"Main"_qs);
}

TEST(IbexDisplay, LengthWordsThatEndTheWalk)
{
    for (uint16_t len : {uint16_t(0), uint16_t(255), uint16_t(256), uint16_t(0xFFFF)}) {
        IbexDisplayBuilder b;
        b.add(ioText).caption(u"a"_qs);
        b.raw(word(len) + QByteArray(300, '\x01'));
        EXPECT_EQ(IbexDisplay::fromBytes(b.bytes()).walkObjectRecords().size(), 1u) << len;
    }
    // A length of 1 or 254 steps on; 1 lands inside the word itself.
    IbexDisplayBuilder b;
    b.raw(word(254) + QByteArray(252, '\0'));
    EXPECT_EQ(IbexDisplay::fromBytes(b.bytes()).walkObjectRecords().size(), 1u);
}

TEST(IbexDisplay, WalkStopsAtThePositionLimit)
{
    IbexDisplayBuilder b;
    for (int i = 0; i < 400; ++i)
        b.add(ioText).length(200);
    const std::vector<int> p = IbexDisplay::fromBytes(b.bytes()).walkObjectRecords();
    // Positions 189, 389, ... below 61118.
    EXPECT_EQ(p.size(), size_t((61118 - 189 + 199) / 200));
    EXPECT_LT(p.back(), 61118);
}

// The offset a damaged file is reported at is where its damage starts: the
// record the end of the file cuts short, or the length word that stopped the
// walk; never a place past the end of the file.
TEST(IbexDisplay, TheDamageIsReportedWhereItStarts)
{
    IbexDisplayBuilder cut;
    cut.add(ioText).caption(u"ok"_qs);
    cut.add(ioCheckbox).caption(u"cut"_qs).length(200, true);
    const IbexDisplay d = IbexDisplay::fromBytes(cut.bytes());
    const std::vector<int> p = d.walkObjectRecords();
    ASSERT_EQ(p.size(), 2u); // what the cut record holds is still listed
    ASSERT_LT(d.dataLength(), p[1] - 1 + 200);
    EXPECT_EQ(d.walkStopOffset(), p[1] - 1);

    IbexDisplayBuilder wrong;
    wrong.add(ioText).caption(u"ok"_qs);
    wrong.raw(word(300) + QByteArray(400, '\x01'));
    const IbexDisplay w = IbexDisplay::fromBytes(wrong.bytes());
    EXPECT_EQ(w.walkStopOffset(), w.walkObjectRecords().back() - 1 + 88 + 3);

    IbexDisplayBuilder whole;
    whole.add(ioText).caption(u"ok"_qs);
    EXPECT_EQ(IbexDisplay::fromBytes(whole.bytes()).walkStopOffset(), -1);
}

TEST(IbexDisplay, ShortFilesHoldNoRecords)
{
    // Exactly a header: the appended end marker is read as the first length.
    EXPECT_TRUE(IbexDisplay::fromBytes(IbexDisplayBuilder().bytes()).walkObjectRecords().empty());
    for (int n : {0, 10, 187, 189})
        EXPECT_TRUE(IbexDisplay::fromBytes(QByteArray(n, '\x05')).walkObjectRecords().empty()) << n;
    // First length word 0.
    IbexDisplayBuilder b;
    b.raw(word(0) + QByteArray(100, '\x07'));
    EXPECT_TRUE(IbexDisplay::fromBytes(b.bytes()).walkObjectRecords().empty());
}

TEST(IbexDisplay, FieldsPastTheDataReadAsZeroAndTextsStopAtTheData)
{
    IbexDisplayBuilder b;
    // A caption without NUL running to the end of the file.
    b.add(ioText).text(88, u"NoTerminator"_qs, false);
    const IbexDisplay d = IbexDisplay::fromBytes(b.bytes());
    const IbexObjRec r = d.record(d.walkObjectRecords().at(0));
    // The text ends with the data; the end marker is not part of it.
    EXPECT_EQ(r.caption(), u"NoTerminator"_qs);
    EXPECT_EQ(r.u32(200), 0u);
    EXPECT_EQ(r.u8(100000), 0);
    EXPECT_EQ(r.text(5000), QString());
    EXPECT_EQ(r.bitmapName(8), QString());
    EXPECT_EQ(r.u8(-1), 0);
}

TEST(IbexDisplay, ReadsWholeFilesBeyond64k)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"disp0001.ibw"_qs);
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"x"_qs);
    b.raw(QByteArray(70000 - b.bytes().size(), '\0'));
    b.write(path);
    const IbexDisplay d = IbexDisplay::read(path);
    EXPECT_EQ(d.dataLength(), 70000);
    EXPECT_EQ(d.walkObjectRecords().size(), 1u);
    EXPECT_THROW(IbexDisplay::read(dir.filePath(u"missing.ibw"_qs)), std::exception);
}

TEST(IbexDisplay, ObjectKindsAndNames)
{
    EXPECT_EQ(objectKindOf(0x0601), ioText);
    EXPECT_EQ(objectKindOf(0x0A0B), ioGrMicroset);
    EXPECT_EQ(objectKindOf(0x1701), ioRoAirflow);
    EXPECT_EQ(objectKindOf(0x0000), ioUnknown);
    EXPECT_EQ(objectKindOf(0x0602), ioUnknown);
    for (int k = 0; k < int(ioHdrDesc); ++k)
        EXPECT_EQ(objectKindOf(objectCodeOf(IbexObject(k))), IbexObject(k));
    EXPECT_EQ(ibexObjectName(ioBtnCPSetup), u"Button-Cpanel Setup"_qs);
    EXPECT_EQ(ibexObjectName(ioHdrDesc), u"Display Description"_qs);
    EXPECT_EQ(ibexObjectName(ioUnknown), u"Unknown-object"_qs);
    EXPECT_EQ(ibexObjectName(IbexObject(200)), u"Unknown-object"_qs);
}

TEST(IbexDisplay, AirflowScratchRecordMovesThePointFields)
{
    IbexDisplayBuilder b;
    b.add(ioAirflow).point(9, 0x11223344, 8).airflowPoint(3, 0xC00645, 7).length(120);
    const IbexDisplay d = IbexDisplay::fromBytes(b.bytes());
    const QByteArray s = airflowScratchRecord(d.record(189));
    ASSERT_EQ(s.size(), 104);
    const IbexObjRec r(&s, 1);
    EXPECT_EQ(r.apex(), 3);
    EXPECT_EQ(r.cpNumber(), 7);
    EXPECT_EQ(r.pointRef(), 0xC00645u);
    EXPECT_EQ(r.code(), 0x1705);
    // The big-endian bytes themselves.
    EXPECT_EQ(d.record(189).u8(92), 0x00);
    EXPECT_EQ(d.record(189).u8(93), 0xC0);
    EXPECT_EQ(d.record(189).u8(95), 0x45);
}

// Bytes placed at the documented offsets by hand, not through the layout
// names, so a wrong offset in the layout shows here.
TEST(IbexDisplay, FieldsAtTheirDocumentedOffsets)
{
    QByteArray file(188, '\0');
    file.replace(0, 10, QByteArray("plant.bmp\0", 10));
    file[65] = 2;
    file[72] = char(0x20);
    file[73] = char(0x03); // width 800
    file[74] = char(0x58);
    file[75] = char(0x02); // height 600
    file.replace(76, 9, QByteArray("Temp \xb0" "F\0\0", 9));
    file[118] = char(0x11);
    file[119] = char(0x22);
    file[120] = char(0x33);
    QByteArray rec(110, '\0');
    rec[0] = char(110);
    rec[10] = char(0x05);
    rec[11] = char(0x17); // 0x1705 airflow
    rec[13] = 1;
    rec[14] = char(0x40);
    rec[16] = 7;
    rec[18] = char(0x44);
    rec[19] = char(0x33);
    rec[20] = char(0x22);
    rec[21] = char(0x11);
    rec[22] = char(0x09);
    rec[25] = 5;
    rec[89] = 3;
    rec[91] = 4;
    rec[92] = char(0x00);
    rec[93] = char(0xD0);
    rec[94] = char(0x00);
    rec[95] = char(0x0C);
    const IbexDisplay d = IbexDisplay::fromBytes(file + rec);
    EXPECT_EQ(d.bitmapName(), u"plant.bmp"_qs);
    EXPECT_EQ(d.backgroundKind(), 2);
    EXPECT_EQ(d.header().u16(ibw::hdr::Width), 800);
    EXPECT_EQ(d.header().u16(ibw::hdr::Height), 600);
    EXPECT_EQ(d.description(), u"Temp \u00b0F"_qs); // Windows-1252
    EXPECT_EQ(d.backgroundColor(), 0x332211u);
    const IbexObjRec r = d.record(189);
    EXPECT_EQ(r.kind(), ioAirflow);
    EXPECT_EQ(r.kindFlag(), 1);
    EXPECT_TRUE(isLocalJobBit(r.options()));
    EXPECT_EQ(r.apex(), 7);
    EXPECT_EQ(r.pointRef(), 0x11223344u);
    EXPECT_EQ(r.u16(ibw::obj::TemplateNumber), 9);
    EXPECT_EQ(r.cpNumber(), 5);
    const QByteArray s = airflowScratchRecord(r);
    EXPECT_EQ(uint8_t(s[16]), 3);
    EXPECT_EQ(uint8_t(s[25]), 4);
    EXPECT_EQ(s.mid(18, 4), QByteArray("\x0c\x00\xd0\x00", 4));

    // The builder writes the same bytes.
    sample::IbexDisplayBuilder b;
    b.add(ioAirflow).kindFlag(1).options(0x40).point(7, 0x11223344, 5).u16(22, 9).airflowPoint(3, 0xD0000C, 4).length(110);
    EXPECT_EQ(b.bytes().mid(188), rec);
}
