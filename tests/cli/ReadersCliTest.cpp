// read-ddc, read-points and read-cpanels on the sample job, through the
// real vorlix-cli.
#include "support/TestPlatform.h"
#include "support/SampleCliFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

using vorlix::test::CliResult;

class ReadersCli : public vorlix::test::SampleCliFixture {
protected:
    QString dump(const QString &table) const
    {
        return cli({u"dump"_qs, job(), table}).out.replace(u"\r\n"_qs, u"\n"_qs);
    }
};

} // namespace

TEST_F(ReadersCli, WithoutYesNothingIsReadAndTheCommandSaysSo)
{
    const CliResult r = cli({u"read-ddc"_qs, job()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(u"nothing was read"_qs)) << r.out.toStdString();
    EXPECT_EQ(dump(u"CpanelMap"_qs), u"Apex,Sequence,CallTo,Trunk,Address,CPanelNumber,ExpandedMode\n");
    EXPECT_FALSE(log().contains(u"Scanning Apex DDC files"_qs));
}

TEST_F(ReadersCli, ReadDdcFillsCpanelMapAndLogsTheMissingFile)
{
    const CliResult r = cli({u"--yes"_qs, u"read-ddc"_qs, job(), u"--lost-tux"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"Possible missing file: apex05.adc"_qs));
    EXPECT_EQ(dump(u"CpanelMap"_qs), u"Apex,Sequence,CallTo,Trunk,Address,CPanelNumber,ExpandedMode\n"
                                     "1,10,500,1,3,12,0\n"
                                     "1,20,500,1,4,13,0\n"
                                     "1,30,600,2,5,21,1\n"
                                     "1,32,600,2,6,22,1\n"
                                     "1,35,700,,,,0\n"
                                     "1,10207,,2,7,,0\n"
                                     "2,5,300,1,9,5,0\n"
                                     "2,15,400,1,10,7,0\n"_qs);
    const QString text = log();
    EXPECT_TRUE(text.contains(u"]: Scanning Apex DDC files\r\n\tPossible missing file: apex05.adc\r\n"_qs))
        << text.toStdString();
}

TEST_F(ReadersCli, ReadPointsAndCpanelsFillTheirTables)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-points"_qs, job()}).exitCode, 0);
    const QString points = dump(u"IbexPtMap"_qs);
    EXPECT_TRUE(points.startsWith(u"Apex,IbexPt,PtType,Description,Value\n1,1,2,Outside Air Temp,21.5\n"_qs))
        << points.toStdString();
    EXPECT_TRUE(points.contains(u"\n2,2,2,Zone 2 Temp,-0.5\n"_qs));
    EXPECT_FALSE(points.contains(u"Not a point"_qs));
    EXPECT_TRUE(log().contains(u"\tPossible missing file: pnts05.dat\r\n\tPossible missing file: pdat05.dat\r\n"_qs));

    ASSERT_EQ(cli({u"--yes"_qs, u"read-cpanels"_qs, job()}).exitCode, 0);
    EXPECT_EQ(dump(u"CpanelNames"_qs), u"Apex,CPanelNumber,Name\n"
                                       "1,12,AHU-1 Control Panel\n"
                                       "1,13,AHU-2 Control Panel\n"
                                       "1,21,VAV-5 Box\n"
                                       "1,22,VAV-6 Box\n"
                                       "2,5,Zone Heating\n"
                                       "2,7,Exhaust Fans \u00e9t\u00e9\n"_qs);
}

TEST_F(ReadersCli, UsageAndFailures)
{
    EXPECT_EQ(cli({u"read-ddc"_qs}).exitCode, 2);
    EXPECT_EQ(cli({u"read-points"_qs, job(), u"--bogus"_qs}).exitCode, 2);
    EXPECT_EQ(cli({u"--yes"_qs, u"read-cpanels"_qs, root() + u"/nowhere"_qs}).exitCode, 1);
    // A file that cannot be read ends the command with its name.
    QFile::remove(job() + u"/APEX02.ADC"_qs);
    const vorlix::test::UnreadableFile unreadable(job() + u"/apex02.adc"_qs);
    ASSERT_TRUE(unreadable.made());
    const CliResult r = cli({u"--yes"_qs, u"read-ddc"_qs, job()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"apex02.adc"_qs)) << r.err.toStdString();
    // Apex 1 was read before: its rows stay.
    EXPECT_TRUE(dump(u"CpanelMap"_qs).contains(u"\n1,10,500,1,3,12,0\n"_qs));
}
