// grid, override, global-override and redirect through the real vorlix-cli
// on the sample job: every sample display lists, and overrides change the
// next grid as stored.
#include "support/TestProject.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

class TranslateCli : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_EQ(run({u"sample-job"_qs, s_dir->path()}).code, 0);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static CliRun run(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(VORLIX_BIN_DIR) + u"/vorlix-cli"_qs,
                QStringList{u"--app-dir"_qs, s_dir->path() + u"/app"_qs} + args);
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    static QString job() { return s_dir->path() + u"/job"_qs; }
    // The grid line of object n.
    static QString line(const QString &grid, int object)
    {
        for (const QString &l : grid.split(u'\n'))
            if (l.startsWith(QStringLiteral("Obj.%1\t").arg(object)))
                return l;
        return {};
    }
    static QTemporaryDir *s_dir;
};
QTemporaryDir *TranslateCli::s_dir = nullptr;

} // namespace

TEST_F(TranslateCli, EverySampleDisplayLists)
{
    const QStringList jobFiles{u"disp0001.ibw"_qs, u"disp0002.ibw"_qs, u"disp0003.ibw"_qs, u"disp0004.ibw"_qs,
                               u"ccpd0001.ibw"_qs, u"ccpd0002.ibw"_qs, u"ctxd0001.ibw"_qs};
    for (const QString &f : jobFiles) {
        const CliRun r = run({u"grid"_qs, job(), f});
        EXPECT_EQ(r.code, 0) << f.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(u"Obj#\tType\tApex#\tIbex-Text\tIbex-Pt\tBT-Text\tBT-Pt\tNotes\nHdr\tDisplay Info"_qs));
        EXPECT_TRUE(r.out.endsWith(u'\n'));
    }
    for (const QString &f : {u"disp0010.ibw"_qs, u"ccpd0005.ibw"_qs, u"ctxd0002.ibw"_qs})
        EXPECT_EQ(run({u"grid"_qs, job(), f, u"--local"_qs}).code, 0) << f.toStdString();

    const CliRun service = run({u"grid"_qs, job(), u"DISP0004.IBW"_qs});
    EXPECT_EQ(line(service.out, 2), u"Obj.2\tAnalog-Readonly\t1\t\tGL-12\t\tAV-32\tGlobal Pt"_qs);
    EXPECT_EQ(line(service.out, 3), u"Obj.3\tAnalog-Readonly\t40\t\tTux-1-1-AI-1\t\tAV-32\tApex not mapped to device."_qs);
    EXPECT_EQ(line(service.out, 6), u"Obj.6\tAnalog-Readonly\t1\t\tCP-12: ZT-2-AI-3\t\t\tZone Tux Offset not supported!"_qs);
    EXPECT_EQ(line(service.out, 7),
              u"Obj.7\tAnalog-Readonly\t1\t\tCP-9: ZT-AI-3\t\t4194304:AI-3\tCPanel# cannot be mapped. "_qs);

    const CliRun missing = run({u"grid"_qs, job(), u"disp0099.ibw"_qs});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(u"Missing display file!"_qs));
    EXPECT_EQ(run({u"grid"_qs, job(), u"../MASETUP.DAT"_qs}).code, 2);
    EXPECT_EQ(run({u"grid"_qs, job()}).code, 2);
}

TEST_F(TranslateCli, OverridesChangeTheNextGrid)
{
    const QString f = u"disp0002.ibw"_qs;
    EXPECT_EQ(line(run({u"grid"_qs, job(), f}).out, 3), u"Obj.3\tAnalog-Readonly\t1\t\tTux-1-3-AI-5\t\t1203:AI-5\t"_qs);
    ASSERT_EQ(run({u"override"_qs, job(), f, u"3"_qs, u"--point"_qs, u"1203:AV-50"_qs}).code, 0);
    ASSERT_EQ(run({u"override"_qs, job(), f, u"11"_qs, u"--text"_qs, u"Supply fan"_qs}).code, 0);
    // Project-wide: every Tux-1-3-DI-1 of Apex 1.
    ASSERT_EQ(run({u"global-override"_qs, job(), u"1"_qs, u"tux-1-3-di-1"_qs, u"1203:BV-1"_qs}).code, 0);
    QString grid = run({u"grid"_qs, job(), f}).out;
    EXPECT_EQ(line(grid, 3), u"Obj.3\tAnalog-Readonly\t1\t\tTux-1-3-AI-5\t\t1203:AV-50\t"_qs);
    EXPECT_EQ(line(grid, 11), u"Obj.11\tCheckbox\t1\tFan enable\tTux-1-3-DO-7\tSupply fan\t1203:BO-7\t"_qs);
    EXPECT_EQ(line(grid, 2), u"Obj.2\tDigital-Readonly\t1\t\tTux-1-3-DI-1\t\t1203:BV-1\t"_qs);
    EXPECT_EQ(line(grid, 15), u"Obj.15\tGraphic-Pilot\t1\t\tTux-1-3-DI-1\t\t1203:BV-1\t"_qs);
    // The per-display override wins over the project-wide one.
    ASSERT_EQ(run({u"override"_qs, job(), f, u"2"_qs, u"--point"_qs, u"BV-2"_qs}).code, 0);
    EXPECT_EQ(line(run({u"grid"_qs, job(), f}).out, 2), u"Obj.2\tDigital-Readonly\t1\t\tTux-1-3-DI-1\t\tBV-2\t"_qs);
    // Reset brings back the translation (here the project-wide override).
    ASSERT_EQ(run({u"override"_qs, job(), f, u"2"_qs, u"--reset"_qs}).code, 0);
    ASSERT_EQ(run({u"override"_qs, job(), f, u"11"_qs, u"--reset"_qs}).code, 0);
    grid = run({u"grid"_qs, job(), f}).out;
    EXPECT_EQ(line(grid, 2), u"Obj.2\tDigital-Readonly\t1\t\tTux-1-3-DI-1\t\t1203:BV-1\t"_qs);
    EXPECT_EQ(line(grid, 11), u"Obj.11\tCheckbox\t1\tFan enable\tTux-1-3-DO-7\tFan enable\t1203:BO-7\t"_qs);
    // The other display's objects of the same numbers are untouched.
    EXPECT_EQ(line(run({u"grid"_qs, job(), u"disp0003.ibw"_qs}).out, 3).section(u'\t', 6, 6), u"4194304:BO-2"_qs);

    // Errors: no such object, not a point kind, a bad point, two actions.
    EXPECT_EQ(run({u"override"_qs, job(), f, u"99"_qs, u"--skip"_qs}).code, 1);
    EXPECT_EQ(run({u"override"_qs, job(), f, u"1"_qs, u"--point"_qs, u"AV-1"_qs}).code, 1);
    EXPECT_EQ(run({u"override"_qs, job(), f, u"3"_qs, u"--point"_qs, u"XV-3"_qs}).code, 1);
    EXPECT_EQ(run({u"override"_qs, job(), f, u"3"_qs, u"--skip"_qs, u"--reset"_qs}).code, 2);
    EXPECT_EQ(run({u"global-override"_qs, job(), u"1"_qs, u"IB-1"_qs, u"not a point"_qs}).code, 1);
}

TEST_F(TranslateCli, RedirectStoresLowerCaseKeysAndTargets)
{
    ASSERT_EQ(run({u"redirect"_qs, job(), u"DISP0003.IBW"_qs, u"--to"_qs, u"Alerton-Standard-00000012.DSP"_qs}).code, 0);
    ASSERT_EQ(run({u"redirect"_qs, job(), u"disp0010.ibw"_qs, u"--local"_qs, u"--skip"_qs}).code, 0);
    CliRun dump = run({u"dump"_qs, job(), u"DisplayMap"_qs});
    EXPECT_TRUE(dump.out.contains(u"0,disp0003.ibw,alerton-standard-00000012.dsp"_qs)) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains(u"1,disp0010.ibw,"_qs)) << dump.out.toStdString();
    ASSERT_EQ(run({u"redirect"_qs, job(), u"disp0003.ibw"_qs, u"--to"_qs, u"acme-plaza-00000003.dsp"_qs}).code, 0);
    dump = run({u"dump"_qs, job(), u"DisplayMap"_qs});
    EXPECT_EQ(dump.out.count(u"disp0003.ibw"_qs), 1);
    EXPECT_EQ(run({u"redirect"_qs, job(), u"disp0003.ibw"_qs, u"--remove"_qs}).code, 0);
    const CliRun again = run({u"redirect"_qs, job(), u"disp0003.ibw"_qs, u"--remove"_qs});
    EXPECT_EQ(again.code, 1);
    EXPECT_TRUE(again.out.contains(u"Error in locating the redirect entry."_qs));
    EXPECT_EQ(run({u"redirect"_qs, job(), u"disp0003.ibw"_qs, u"--to"_qs, u"nodashes"_qs}).code, 2);
    // A display in no folder and not in the list still gets its decision.
    EXPECT_EQ(run({u"redirect"_qs, job(), u"disp0077.ibw"_qs, u"--skip"_qs}).code, 0);
}
