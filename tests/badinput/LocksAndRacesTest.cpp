// Another program holding the project database, and two commands on one job
// at once: a write that cannot be stored is a failed command, and no run's
// log lines are lost.
#include "BadInputSite.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QProcess>
#include <gtest/gtest.h>

using namespace vorlix::test;

TEST(HeldLock, CommandsFailAndStoreNothing)
{
    struct Row {
        const char *name;
        const char *begin; // how the other program holds the database
        QStringList args;
    };
    const std::vector<Row> rows = {
        {"override under BEGIN IMMEDIATE", "BEGIN IMMEDIATE", {"override", "JOB", "disp0001.ibw", "2", "--text", "X"}},
        {"read-ddc under BEGIN IMMEDIATE", "BEGIN IMMEDIATE", {"--yes", "read-ddc", "JOB"}},
        {"dump under BEGIN EXCLUSIVE", "BEGIN EXCLUSIVE", {"dump", "JOB", "ApexMap"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BadInputSite site;
        ASSERT_TRUE(site.ok()) << site.failure().toStdString();
        const QString mdb = site.job + u"/vorlix.mdb"_qs;
        const auto before = site.snapshot({u"job/vorlix.log"_qs});
        const int entries = BadInputSite::logEntries(site.job + u"/vorlix.log"_qs);
        CliResult r;
        {
            QSqlDatabase holder = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"holder"_qs);
            holder.setDatabaseName(mdb);
            ASSERT_TRUE(holder.open());
            QSqlQuery q(holder);
            ASSERT_TRUE(q.exec(QLatin1String(row.begin)));
            ASSERT_TRUE(q.exec(u"UPDATE ApexMap SET ComList = ComList"_qs));
            r = site.run(row.args);
            q.exec(u"ROLLBACK"_qs);
            holder.close();
        }
        QSqlDatabase::removeDatabase(u"holder"_qs);
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(u"is locked by another program"_qs)) << r.err.toStdString();
        EXPECT_EQ(BadInputSite::changed(site.snapshot({u"job/vorlix.log"_qs}), before).join(u' ').toStdString(), "");
        EXPECT_EQ(BadInputSite::integrity(mdb), u"ok"_qs);
        EXPECT_GT(BadInputSite::logEntries(site.job + u"/vorlix.log"_qs), entries);
    }
}

namespace {
// Starts every command of a round at once and waits for all of them.
std::vector<int> runTogether(const BadInputSite &site, const std::vector<QStringList> &commands)
{
    std::vector<std::unique_ptr<QProcess>> running;
    for (const QStringList &args : commands) {
        auto p = std::make_unique<QProcess>();
        p->start(cliProgram(), QStringList{u"--app-dir"_qs, site.app} + site.expand(args));
        running.push_back(std::move(p));
    }
    std::vector<int> codes;
    for (auto &p : running) {
        p->waitForFinished(120000);
        const int code = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
        codes.push_back(code);
        if (code != 0)
            ADD_FAILURE() << p->readAllStandardError().toStdString();
    }
    return codes;
}
} // namespace

TEST(TwoRunsAtOnce, EveryRunKeepsItsLogLines)
{
    struct Row {
        const char *name;
        std::vector<QStringList> round; // run together
        int rounds;
    };
    const std::vector<Row> rows = {
        {"override pairs",
         {{"override", "JOB", "disp0001.ibw", "2", "--text", "A"}, {"override", "JOB", "disp0002.ibw", "1", "--text", "B"}},
         15},
        {"two runs over every display",
         {{"--yes", "create-display", "JOB", "--all"}, {"--yes", "create-display", "JOB", "--all"}},
         1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BadInputSite site;
        ASSERT_TRUE(site.ok()) << site.failure().toStdString();
        const QString log = site.job + u"/vorlix.log"_qs;
        // What one run of each command adds, run alone.
        int alone = BadInputSite::logEntries(log);
        for (const QStringList &args : row.round)
            ASSERT_EQ(site.run(args).exitCode, 0);
        const int perRound = BadInputSite::logEntries(log) - alone;
        const int start = BadInputSite::logEntries(log);
        for (int i = 0; i < row.rounds; ++i)
            for (int code : runTogether(site, row.round))
                EXPECT_EQ(code, 0);
        EXPECT_EQ(BadInputSite::logEntries(log) - start, perRound * row.rounds);
        EXPECT_EQ(BadInputSite::integrity(site.job + u"/vorlix.mdb"_qs), u"ok"_qs);
    }
}
