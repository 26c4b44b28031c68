#include "support/CliRunner.h"
#include "support/TestProject.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix::test;

namespace {
struct CliFixture : ::testing::Test {
    QTemporaryDir dir;
    QString app() const { return dir.path() + u"/app"_qs; }
    QString job() const { return dir.path() + u"/s/job"_qs; }
    CliResult cli(QStringList args)
    {
        args.prepend(app());
        args.prepend(u"--app-dir"_qs);
        return runCli(args);
    }
    void SetUp() override
    {
        const CliResult r = cli({u"sample-job"_qs, dir.path() + u"/s"_qs});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
};
} // namespace

TEST_F(CliFixture, SampleJobIsMappedAndDumpsTheControllerMap)
{
    const CliResult r = cli({u"dump"_qs, job(), u"ApexMap"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(u"\r\n"_qs, Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 33);
    EXPECT_EQ(lines[0], u"Apex,ComList,GlobalPts,DevID1,Net1,BaseAddr1,DevID2,Net2,BaseAddr2,"
                         "DevID3,Net3,BaseAddr3,DevID4,Net4,BaseAddr4"_qs);
    for (int apex = 0; apex < 32; ++apex)
        EXPECT_TRUE(lines[apex + 1].startsWith(QString::number(apex) + u','));
    EXPECT_EQ(lines[2], u"1,12,1100,1101,11,1200,1102,12,1300,0,0,0,0,0,0"_qs);

    const QByteArray log = readFile(job() + u"/vorlix.log"_qs);
    EXPECT_TRUE(log.startsWith("["));
    EXPECT_TRUE(log.contains("]: Opened project: "));
    EXPECT_TRUE(QDir(dir.path() + u"/s/bactalk/acme/plaza"_qs).exists());
    EXPECT_TRUE(QDir(dir.path() + u"/s/localjob/ldisplay"_qs).exists());
}

TEST_F(CliFixture, SetAndMapChangeTheProject)
{
    CliResult r = cli({u"set"_qs, job(), u"JobDispNum"_qs, u"12"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({u"set"_qs, job(), u"ConvertCpName"_qs, u"true"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({u"dump"_qs, job(), u"Vorlix"_qs});
    EXPECT_TRUE(r.out.contains(u"JobDispNum,,12,,"_qs)) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(u"ConvertCpName,1,,,"_qs)) << r.out.toStdString();

    r = cli({u"map"_qs, job(), u"3"_qs, u"ComList=13"_qs, u"BaseAddr1=1200"_qs, u"devid3=77"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({u"dump"_qs, job(), u"ApexMap"_qs});
    EXPECT_TRUE(r.out.contains(u"\r\n3,13,,,,1200,,,,77,,,,,\r\n"_qs)) << r.out.toStdString();
}

TEST_F(CliFixture, BadRequestsFailWithAMessage)
{
    struct Case {
        QStringList args;
        int code;
        const char *says;
    };
    const QList<Case> cases = {
        {{u"dump"_qs, job(), u"NoSuchTable"_qs}, 1, "NoSuchTable"},
        {{u"set"_qs, job(), u"NoSuchVariable"_qs, u"1"_qs}, 1, "NoSuchVariable"},
        {{u"set"_qs, job(), u"PadUnits"_qs, u"maybe"_qs}, 1, "PadUnits"},
        {{u"map"_qs, job(), u"3"_qs, u"Bogus=1"_qs}, 1, "Bogus"},
        {{u"map"_qs, job(), u"40"_qs, u"ComList=1"_qs}, 1, "40"},
        {{u"map"_qs, job(), u"3"_qs, u"BaseAddr1=x"_qs}, 1, "BaseAddr1"},
        {{u"dump"_qs, dir.path() + u"/nowhere"_qs, u"ApexMap"_qs}, 1, "nowhere"},
        {{u"dump"_qs, job()}, 2, "usage"},
        {{u"no-such-command"_qs}, 2, "unknown command"},
        {{u"map"_qs, job(), u"x"_qs, u"ComList=1"_qs}, 2, "APEX"},
        {{u"dump"_qs, job(), u"ApexMap"_qs, u"--bogus"_qs}, 2, "bogus"},
    };
    for (const Case &c : cases) {
        const CliResult r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.says))) << r.err.toStdString();
    }
}

TEST_F(CliFixture, ADamagedProjectDatabaseIsNamedAndKept)
{
    writeFile(job() + u"/vorlix.mdb"_qs, "not a database");
    const CliResult r = cli({u"dump"_qs, job(), u"ApexMap"_qs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"vorlix.mdb"_qs)) << r.err.toStdString();
    EXPECT_EQ(readFile(job() + u"/vorlix.mdb"_qs), QByteArray("not a database"));
}
