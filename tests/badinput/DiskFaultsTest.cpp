// Full and read-only disks: a command that cannot write fails (exit 1) with a
// message naming what is wrong, and every stored file stays byte for byte
// as it was; the session's log lines go to the application folder's log.
#include "BadInputSite.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vorlix::test;

namespace {

struct Row {
    const char *name;
    QStringList args;
    int exitCode;
    const char *message; // in stderr
};

// Runs each row on a fresh site under `fault`; `tmpfs` puts the site on a
// real tmpfs, filled up before the row runs.
void runRows(const std::vector<Row> &rows, const QString &fault, bool tmpfs)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BadInputSite site(tmpfs);
        if (tmpfs && !site.mounted())
            GTEST_SKIP() << "no right to mount a tmpfs here; the fault layer covers the full disk";
        ASSERT_TRUE(site.ok()) << site.failure().toStdString();
        CliOptions options;
        if (tmpfs)
            site.fillDisk();
        else
            options = BadInputSite::faultOptions(fault, site.root);
        const auto before = site.snapshot();
        const QString appLog = site.app + u"/vorlix.log"_qs;
        const int appEntries = BadInputSite::logEntries(appLog);

        const CliResult r = site.run(row.args, options);
        const QString jobLog = u"job/vorlix.log"_qs;
        const auto after = site.snapshot();
        // A command that only reads has nothing to fail on when its log
        // lines still fit into the log file's last page.
        const bool readOnlyCommandSaved =
            QByteArray(row.name).contains("read only") && after.value(jobLog) != before.value(jobLog);
        EXPECT_EQ(r.exitCode, readOnlyCommandSaved ? 0 : row.exitCode) << r.out.toStdString() << r.err.toStdString();
        if (!readOnlyCommandSaved) {
            EXPECT_TRUE(r.err.contains(QLatin1String(row.message))) << r.err.toStdString();
        }
        EXPECT_EQ(BadInputSite::changed(after, before).filter(QRegularExpression(u"^(?!job/vorlix.log$)"_qs))
                      .join(u' ').toStdString(), "");
        EXPECT_EQ(BadInputSite::integrity(site.job + u"/vorlix.mdb"_qs), u"ok"_qs);
        // The job's log keeps what it had; the session's lines are either
        // appended to it (a full tmpfs still has room in the file's last
        // page) or saved in the application folder's log, as the error says.
        EXPECT_TRUE(after.value(jobLog).startsWith(before.value(jobLog)));
        if (after.value(jobLog) == before.value(jobLog)) {
            EXPECT_GT(BadInputSite::logEntries(appLog), appEntries);
            EXPECT_TRUE(r.err.contains(u"log lines were saved in"_qs)) << r.err.toStdString();
        }
    }
}

const std::vector<Row> &fullDiskRows()
{
    static const std::vector<Row> rows = {
        {"create every display", {"--yes", "create-display", "JOB", "--all"}, 1, "the disk is full"},
        {"create one display", {"--yes", "create-display", "JOB", "disp0001.ibw"}, 1, "the disk is full"},
        {"override a text", {"override", "JOB", "disp0001.ibw", "2", "--text", "X"}, 1, "the disk is full"},
        {"read the DDC files", {"--yes", "read-ddc", "JOB"}, 1, "the disk is full"},
        {"dump a table (read only)", {"dump", "JOB", "ApexMap"}, 1, "the disk is full"},
    };
    return rows;
}

} // namespace

TEST(FullDisk, FaultLayerFailsEveryWrite) { runRows(fullDiskRows(), u"nospace"_qs, false); }

TEST(FullDisk, RealTmpfsFilledUp) { runRows(fullDiskRows(), QString(), true); }

TEST(ReadOnlyDisk, FaultLayerRefusesEveryWrite)
{
    runRows({
                {"create every display", {"--yes", "create-display", "JOB", "--all"}, 1, "read-only"},
                {"override a text", {"override", "JOB", "disp0001.ibw", "2", "--text", "X"}, 1, "read-only"},
                {"dump a table (read only)", {"dump", "JOB", "ApexMap"}, 1, "read-only"},
            },
            u"readonly"_qs, false);
}
