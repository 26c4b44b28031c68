// PNTS, PDAT and CNTP: decoding the bytes, and steps 3 and 4 through files.
#include "ibex/DatReaders.h"
#include "commands/ReaderCommands.h"
#include "sample/DatFileBuilders.h"
#include "support/JobFixture.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

using namespace vorlix;
using vorlix::sample::CntpFileBuilder;
using vorlix::sample::PdatFileBuilder;
using vorlix::sample::PntsFileBuilder;
using vorlix::test::JobFixture;

namespace {
QStringList setups(const QByteArray &bytes)
{
    QStringList out;
    for (const PointSetup &p : decodePnts(bytes))
        out << QStringLiteral("%1,%2,%3").arg(p.point).arg(p.type).arg(p.description);
    return out;
}
QStringList values(const QByteArray &bytes)
{
    QStringList out;
    for (const PointValue &v : decodePdat(bytes))
        out << QStringLiteral("%1=%2").arg(v.point).arg(v.value);
    return out;
}
QStringList panels(const QByteArray &bytes)
{
    QStringList out;
    for (const PanelName &p : decodeCntp(bytes))
        out << QStringLiteral("%1,%2").arg(p.number).arg(p.name);
    return out;
}
} // namespace

TEST(PntsDecode, StoresPointsUpTo1000WithTypes1To4)
{
    const QByteArray file = PntsFileBuilder()
                                .point(1000, 4, u"Last"_qs)
                                .point(1001, 2, u"Too high"_qs)
                                .point(5, 5, u"Bad type"_qs)
                                .point(6, 0, u"No type"_qs)
                                .point(0, 1, u"Zero"_qs)
                                .point(7, 2, u"Caf\u00e9 d\u00e9bit"_qs)
                                .bytes();
    EXPECT_EQ(setups(file), (QStringList{u"1000,4,Last"_qs, u"0,1,Zero"_qs, u"7,2,Caf\u00e9 d\u00e9bit"_qs}));
}

TEST(PntsDecode, EndsAtTheTerminatorTheLimitOrTheData)
{
    EXPECT_TRUE(setups(QByteArray(28, '\x01')).isEmpty());
    EXPECT_TRUE(setups(PntsFileBuilder().bytes(false)).isEmpty());
    // 0xFFFF ends the list even when records follow.
    QByteArray afterEnd = PntsFileBuilder().point(1, 1, u"A"_qs).bytes();
    afterEnd += PntsFileBuilder().point(2, 1, u"B"_qs).bytes().mid(28);
    EXPECT_EQ(setups(afterEnd), QStringList{u"1,1,A"_qs});
    // 1010 records are examined, skipped ones included; the last lies past
    // 64 KiB.
    PntsFileBuilder many;
    for (int i = 0; i < 1009; ++i)
        many.point(2000, 1, u"skipped"_qs);
    many.point(999, 3, u"Record 1010"_qs).point(998, 3, u"Record 1011"_qs);
    EXPECT_EQ(setups(many.bytes()), QStringList{u"999,3,Record 1010"_qs});
}

TEST(PntsDecode, TextsEndAtTheFieldOrTheData)
{
    const QString longText = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"_qs;
    // A description that fills its field has no zero byte: it ends there.
    EXPECT_EQ(setups(PntsFileBuilder().point(1, 2, longText, true).bytes()),
              QStringList{u"1,2,"_qs + longText.left(30)});
    // A record cut inside its description: the text ends with the data.
    const QByteArray cut = PntsFileBuilder().point(4, 2, u"Supply Temp"_qs).bytes(false).left(28 + 38 + 6);
    EXPECT_EQ(setups(cut), QStringList{u"4,2,Supply"_qs});
    // A record cut before its type: no usable point.
    EXPECT_TRUE(setups(PntsFileBuilder().point(4, 2, u"x"_qs).bytes(false).left(31)).isEmpty());
}

TEST(PdatDecode, ValuesInTenthsFromKindTwoBlocks)
{
    const QByteArray file = PdatFileBuilder()
                                .block(2, 10, {215, -5})
                                .otherBlock(1, QByteArray("\x02\xFF\x05\x00\x09\x00", 6))
                                .block(2, 20, {static_cast<int16_t>(0xFFFF), 0x00FF, 7})
                                .bytes();
    EXPECT_EQ(values(file), (QStringList{u"11=21.5"_qs, u"12=-0.5"_qs, u"21=-0.1"_qs, u"22=25.5"_qs,
                                         u"23=0.7"_qs}));
}

TEST(PdatDecode, EndsAtKindFFOrTheData)
{
    QByteArray file = PdatFileBuilder().block(2, 0, {10}).bytes();
    file += PdatFileBuilder().block(2, 5, {20}).bytes();
    EXPECT_EQ(values(file), QStringList{u"1=1"_qs});
    EXPECT_TRUE(values(QByteArray()).isEmpty());
    EXPECT_TRUE(values(QByteArray("\x05", 1)).isEmpty());
    // A block cut inside its values keeps the values that are there.
    const QByteArray cut = PdatFileBuilder().block(2, 100, {1, 2, 3, 4}).bytes(false).left(8 + 3 * 2 + 1);
    EXPECT_EQ(values(cut), (QStringList{u"101=0.1"_qs, u"102=0.2"_qs}));
    // A length that points past the end, or L = 0 chains: no endless loop.
    EXPECT_EQ(values(PdatFileBuilder().otherBlock(3, QByteArray()).bytes(false).repeated(5000)).size(), 0);
}

TEST(CntpDecode, PanelsUpTo256WithinThe360Records)
{
    EXPECT_EQ(panels(CntpFileBuilder().panel(256, u"Top"_qs).panel(257, u"Over"_qs).panel(0, u"Zero"_qs).bytes()),
              (QStringList{u"256,Top"_qs, u"0,Zero"_qs}));
    CntpFileBuilder many;
    for (int i = 0; i < 359; ++i)
        many.panel(300, u"skipped"_qs);
    many.panel(12, u"Record 360"_qs).panel(13, u"Record 361"_qs);
    EXPECT_EQ(panels(many.bytes()), QStringList{u"12,Record 360"_qs});
    EXPECT_EQ(panels(CntpFileBuilder().panel(1, u"A"_qs).bytes().left(30)), QStringList{u"1,"_qs});
}

TEST(ReadPoints, SetupsThenValuesIntoIbexPtMap)
{
    JobFixture f;
    f.mapApex(2, u"1"_qs);
    f.mapApex(3, u"2"_qs);
    f.writeJobFile(u"Pnts02.dat"_qs, PntsFileBuilder().point(11, 2, u"Zone Temp"_qs).point(12, 4, u"Valve"_qs).bytes());
    f.writeJobFile(u"PDAT02.DAT"_qs, PdatFileBuilder().block(2, 10, {215, -5, 99}).bytes()); // 13 has no row
    f.writeJobFile(u"pnts03.dat"_qs, PntsFileBuilder().point(1, 1, u"Alarm"_qs).bytes());
    const ReadOutcome r = readPointsCommand(f.wb());
    EXPECT_EQ(r.filesRead, 3);
    EXPECT_EQ(r.missingFiles, QStringList{u"pdat03.dat"_qs});
    const QStringList expected{u"2,11,2,Zone Temp,21.5"_qs, u"2,12,4,Valve,-0.5"_qs, u"3,1,1,Alarm,"_qs};
    EXPECT_EQ(f.ibexPtMap(), expected);
    // A second run updates in place.
    EXPECT_FALSE(readPointsCommand(f.wb()).declined);
    EXPECT_EQ(f.ibexPtMap(), expected);
    const QStringList log = f.wb().log.lines();
    const qsizetype heading = log.lastIndexOf(QRegularExpression(u".*\\]: Scanning Ibex point DAT files$"_qs));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(log.mid(heading + 1), QStringList{u"\tPossible missing file: pdat03.dat"_qs});
}

TEST(ReadPoints, ReportsMissingSetupAndValueFilesTogether)
{
    JobFixture f;
    f.mapApex(0, u"1"_qs);
    f.mapApex(9, u"1"_qs);
    f.writeJobFile(u"pnts09.dat"_qs, PntsFileBuilder().bytes());
    f.writeJobFile(u"pdat09.dat"_qs, PdatFileBuilder().bytes());
    EXPECT_EQ(readPointsCommand(f.wb()).missingFiles, (QStringList{u"pnts00.dat"_qs, u"pdat00.dat"_qs}));
    f.prompter.pushYesNo(false);
    EXPECT_TRUE(readPointsCommand(f.wb()).declined);
    f.prompter.pushYesNo(true);
    f.rows(u"INSERT INTO IbexPtMap (Apex, IbexPt) VALUES (1, 1)"_qs);
    EXPECT_TRUE(emptyReaderTableCommand(f.wb(), u"IbexPtMap"_qs));
    EXPECT_TRUE(f.ibexPtMap().isEmpty());
}

TEST(ReadCpanels, NamesIntoCpanelNames)
{
    JobFixture f;
    f.mapApex(4, u"1"_qs);
    f.mapApex(6, u"1"_qs);
    f.writeJobFile(u"CNTP04.DAT"_qs, CntpFileBuilder().panel(12, u"AHU-1"_qs).panel(257, u"Beyond"_qs).bytes());
    const ReadOutcome r = readCpanelsCommand(f.wb());
    EXPECT_EQ(r.missingFiles, QStringList{u"cntp06.dat"_qs});
    EXPECT_EQ(f.cpanelNames(), QStringList{u"4,12,AHU-1"_qs});
    f.writeJobFile(u"CNTP04.DAT"_qs, CntpFileBuilder().panel(12, u"AHU-1 renamed"_qs).bytes());
    readCpanelsCommand(f.wb());
    EXPECT_EQ(f.cpanelNames(), QStringList{u"4,12,AHU-1 renamed"_qs});
    EXPECT_EQ(f.wb().map.cpanelName(4, 12), u"AHU-1 renamed");
    EXPECT_TRUE(f.wb().log.lines().join(u'\n').contains(u"]: Scanning Control Panel DAT files"_qs));
}
