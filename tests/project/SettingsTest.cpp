#include "project/Settings.h"
#include "support/WorkbenchProject.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {
Settings readFrom(const QByteArray &ini)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.ini"_qs;
    test::writeFile(path, ini);
    Settings s;
    s.read(path);
    return s;
}
} // namespace

TEST(Settings, DefaultsWhenTheFileIsMissing)
{
    Settings s;
    s.read(u"/nonexistent/vorlix.ini"_qs);
    EXPECT_EQ(s.visualStyle, 13);
    EXPECT_TRUE(s.lastJob.isEmpty());
    EXPECT_EQ(s.ledRepJob(), u"alerton-standard"_qs);
    EXPECT_EQ(s.ledOffFile(), u"aler0000.bmp"_qs);
    EXPECT_EQ(s.ledOnFile(), u"aler0001.bmp"_qs);
    for (int i = 0; i < kDeviceColumns; ++i) {
        EXPECT_TRUE(s.deviceColVisible[i]);
        EXPECT_EQ(s.deviceColWidth[i], Settings::deviceResetWidth(i)); // the documented reset widths
    }
    EXPECT_EQ(s.deviceColWidth[0], 60);
    EXPECT_EQ(s.deviceColWidth[6], 98);
    EXPECT_EQ(s.deviceColWidth[14], 80);
    EXPECT_EQ(s.deviceColWidth[46], 60);
}

TEST(Settings, LedDefaultsApplyTogetherOnlyWhenRepIsEmpty)
{
    Settings s = readFrom("[Standards]\r\nLed-Rep=\r\nLed-Off=mine\r\nLed-On=also\r\n");
    EXPECT_EQ(s.ledRep, u"alerton"_qs);
    EXPECT_EQ(s.ledOff, u"aler0000"_qs);
    EXPECT_EQ(s.ledOn, u"aler0001"_qs);

    s = readFrom("[Standards]\r\nLed-Rep=dealer\r\nLed-Job=\r\nLed-Off=off1\r\n");
    EXPECT_EQ(s.ledRepJob(), u"alerton-standard"_qs); // job empty
    EXPECT_EQ(s.ledOffFile(), u"off1.bmp"_qs);
    EXPECT_EQ(s.ledOnFile(), u"aler0001.bmp"_qs); // key absent: default
}

TEST(Settings, RepJobHelpersJoinWithTheSeparator)
{
    Settings s = readFrom("[Standards]\r\nAlerRep=alerton\r\nAlerJob=std\r\nDealerRep=acme\r\nDealerJob=lib\r\n");
    EXPECT_EQ(s.alertonRepJob(u"\\"_qs), u"alerton\\std"_qs);
    EXPECT_EQ(s.dealerRepJob(u"-"_qs), u"acme-lib"_qs);
}

TEST(Settings, DeviceColumnListsParseTokenByToken)
{
    Settings s = readFrom("[Display]\r\nColWidthDeviceDb=80,5,abc,,200\r\nColVisibleDeviceDb=1,0,x,1\r\n");
    EXPECT_EQ(s.deviceColWidth[0], 80);
    EXPECT_EQ(s.deviceColWidth[1], 12); // below 12
    EXPECT_EQ(s.deviceColWidth[2], 12); // not numeric
    EXPECT_EQ(s.deviceColWidth[4], 200);
    EXPECT_EQ(s.deviceColWidth[46], 12); // missing
    EXPECT_TRUE(s.deviceColVisible[0]);
    EXPECT_FALSE(s.deviceColVisible[1]);
    EXPECT_FALSE(s.deviceColVisible[2]); // non-numeric counts as 0
    EXPECT_TRUE(s.deviceColVisible[3]);
    EXPECT_FALSE(s.deviceColVisible[10]); // missing counts as 0
}

TEST(Settings, EmptyVisibilityListShowsEveryColumn)
{
    Settings s = readFrom("[Display]\r\nColVisibleDeviceDb=\r\n");
    for (int i = 0; i < kDeviceColumns; ++i)
        EXPECT_TRUE(s.deviceColVisible[i]);
}

TEST(Settings, GarbageValuesFallBackToDefaults)
{
    Settings s = readFrom("garbage line\r\n[GUI]\r\nVisualStyle=dark\r\n=x\r\n[Paths\r\n");
    EXPECT_EQ(s.visualStyle, 13);
}

TEST(Settings, WritesAndReadsBack)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.ini"_qs;
    Settings s;
    s.lastJob = u"C:\\jobs\\plaza\\"_qs;
    s.visualStyle = 5;
    s.deviceColWidth[3] = 140;
    s.deviceColVisible[7] = false;
    s.colWidthDisp = u"40,90,"_qs;
    s.write(path);
    const QByteArray text = test::readFile(path);
    EXPECT_TRUE(text.contains("[Paths]\r\nLastJob=C:\\jobs\\plaza\\\r\n"));
    EXPECT_TRUE(text.contains("Led-Rep=alerton\r\n"));

    Settings back;
    back.read(path);
    EXPECT_EQ(back.lastJob, s.lastJob);
    EXPECT_EQ(back.visualStyle, 5);
    EXPECT_EQ(back.deviceColWidth[3], 140);
    EXPECT_FALSE(back.deviceColVisible[7]);
    EXPECT_TRUE(back.deviceColVisible[8]);
    EXPECT_EQ(back.colWidthDisp, u"40,90,"_qs);
}

TEST(Settings, StringGridWidthsClampToThirty)
{
    EXPECT_TRUE(Settings::stringGridWidths(QString(), 3).isEmpty());
    EXPECT_EQ(Settings::stringGridWidths(u"90,5,401,abc"_qs, 6), (QList<int>{90, 30, 30, 30, 30, 30}));
    EXPECT_EQ(Settings::widthList({90, 120}), u"90,120,"_qs);
}

TEST(Settings, AWidthListThatHidesEveryTitleCountsAsAbsent)
{
    QByteArray twelves;
    for (int i = 0; i < kDeviceColumns; ++i)
        twelves += "12,";
    Settings s = readFrom("[Display]\r\nColWidthDeviceDb=" + twelves + "\r\n");
    EXPECT_FALSE(s.deviceColWidthStored);
    EXPECT_TRUE(s.deviceColWidthRepaired);
    EXPECT_EQ(s.deviceColWidth[0], 60);
    EXPECT_EQ(s.deviceColWidth[6], 98);
    // One readable column is enough for the list to be the user's.
    s = readFrom("[Display]\r\nColWidthDeviceDb=80," + twelves.mid(3) + "\r\n");
    EXPECT_TRUE(s.deviceColWidthStored);
    EXPECT_FALSE(s.deviceColWidthRepaired);
    EXPECT_EQ(s.deviceColWidth[0], 80);
    EXPECT_EQ(s.deviceColWidth[1], 12);
}

TEST(Settings, WithoutWindowStateTheFileKeepsItsColumns)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.ini"_qs;
    Settings cli;
    cli.lastJob = u"C:\\jobs\\a\\"_qs;
    cli.write(path, false); // no window yet: no column keys at all
    QByteArray text = test::readFile(path);
    EXPECT_FALSE(text.contains("ColWidthDeviceDb"));
    EXPECT_FALSE(text.contains("ColVisibleDeviceDb"));

    Settings window;
    window.deviceColWidth[5] = 150;
    window.colWidthDisp = u"40,90,"_qs;
    window.splitTransGrid = u"480,160,"_qs;
    window.write(path);
    const QByteArray written = test::readFile(path);
    Settings back;
    back.read(path);
    EXPECT_EQ(back.splitTransGrid, u"480,160,"_qs);
    cli.deviceColWidth.fill(12);
    cli.colWidthDisp = u"1,"_qs;
    cli.splitTransGrid = u"1,1,"_qs;
    cli.write(path, false);
    text = test::readFile(path);
    const auto line = [](const QByteArray &t, const char *key) {
        const qsizetype at = t.indexOf(key);
        return at < 0 ? QByteArray() : t.mid(at, t.indexOf("\r\n", at) - at);
    };
    for (const char *key : {"ColWidthDeviceDb=", "ColVisibleDeviceDb=", "ColWidthDisp=", "SplitTransGrid="}) {
        EXPECT_FALSE(line(written, key).isEmpty()) << key;
        EXPECT_EQ(line(text, key), line(written, key)) << key;
    }
    EXPECT_TRUE(text.contains("LastJob=C:\\jobs\\a\\\r\n"));
}
