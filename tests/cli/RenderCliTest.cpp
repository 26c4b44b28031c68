// render and render-display through the real vorlix-cli on the sample job:
// PNG pictures at the displays' sizes, damaged files drawn with their
// problems listed, and the exit codes of bad input.
#include "support/CliRunner.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix::test;

namespace {

class RenderCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(cli({u"sample-job"_qs, dir.filePath(u"s"_qs)}).exitCode, 0);
    }
    CliResult cli(const QStringList &args)
    {
        return runCli(QStringList{u"--app-dir"_qs, dir.filePath(u"app"_qs), u"--yes"_qs} + args);
    }
    QString job() const { return dir.filePath(u"s/job"_qs); }
    QString out(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(RenderCli, BothSidesOfASampleDisplayAsPictures)
{
    const CliResult ibex = cli({u"render"_qs, job(), u"disp0002.ibw"_qs, u"--png"_qs, out("ibex.png")});
    ASSERT_EQ(ibex.exitCode, 0) << ibex.err.toStdString();
    EXPECT_TRUE(ibex.out.contains(u"800 x 600"_qs)) << ibex.out.toStdString();
    EXPECT_EQ(QImage(out("ibex.png")).size(), QSize(800, 600));

    ASSERT_EQ(cli({u"create-display"_qs, job(), u"disp0002.ibw"_qs}).exitCode, 0);
    const QString dsp = dir.filePath(u"s/bactalk/acme/plaza/displays/00000002.dsp"_qs);
    const CliResult bt = cli({u"render-display"_qs, dsp, u"--png"_qs, out("bt.png")});
    ASSERT_EQ(bt.exitCode, 0) << bt.err.toStdString();
    EXPECT_EQ(QImage(out("bt.png")).size(), QSize(800, 600));

    // A damaged file is drawn all the same; what is outlined is listed.
    QFile f(dsp);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    QFile cut(out("cut.dsp"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    const CliResult damaged = cli({u"render-display"_qs, out("cut.dsp"), u"--png"_qs, out("cut.png")});
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_TRUE(damaged.err.contains(u"Outlined:"_qs)) << damaged.err.toStdString();
    EXPECT_FALSE(QImage(out("cut.png")).isNull());
}

TEST_F(RenderCli, BadInputExitCodes)
{
    EXPECT_EQ(cli({u"render-display"_qs, out("none.dsp"), u"--png"_qs, out("x.png")}).exitCode, 1);
    EXPECT_EQ(cli({u"render-display"_qs, out("none.dsp")}).exitCode, 2);
    EXPECT_EQ(cli({u"render"_qs, job(), u"disp0002.ibw"_qs}).exitCode, 2);
    EXPECT_EQ(cli({u"render"_qs, job(), u"../disp0002.ibw"_qs, u"--png"_qs, out("x.png")}).exitCode, 2);
    EXPECT_EQ(cli({u"render"_qs, job(), u"disp0999.ibw"_qs, u"--png"_qs, out("x.png")}).exitCode, 1);
    // A picture that cannot be written is a failure.
    EXPECT_EQ(cli({u"render"_qs, job(), u"disp0002.ibw"_qs, u"--png"_qs, out("no/such/dir/x.png")}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(out("x.png")));
}
