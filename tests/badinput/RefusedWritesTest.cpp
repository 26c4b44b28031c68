// Writes the project database turns away while it can still be written (a
// row a trigger or a constraint refuses): the command fails with a message,
// and nothing is shown, stored or logged as done.
#include "BadInputSite.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix::test;

namespace {

// Runs one statement on the job's project database through a connection of
// its own.
bool execIn(const QString &mdb, const QString &sql)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"refuser"_qs);
        db.setDatabaseName(mdb);
        if (db.open())
            ok = QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(u"refuser"_qs);
    return ok;
}

int linesWith(const QString &log, const QString &text)
{
    QFile f(log);
    return f.open(QIODevice::ReadOnly) ? int(QString::fromLatin1(f.readAll()).count(text)) : -1;
}

} // namespace

TEST(RefusedWrites, AreNeverShownOrLoggedAsDone)
{
    struct Row {
        const char *name;
        QStringList before; // run first, as it is
        const char *refusal; // what the table's trigger refuses
        QStringList args;
        QStringList view;   // a command whose output must not change
        const char *done;   // the log line of the command, had it been done
    };
    const std::vector<Row> rows = {
        {"override --text", {}, "BEFORE INSERT ON Overrides",
         {"override", "JOB", "disp0001.ibw", "2", "--text", "Refused"},
         {"grid", "JOB", "disp0001.ibw"}, "Override of disp0001.ibw object 2"},
        {"override --reset", {"override", "JOB", "disp0001.ibw", "2", "--text", "Kept"}, "BEFORE DELETE ON Overrides",
         {"override", "JOB", "disp0001.ibw", "2", "--reset"},
         {"grid", "JOB", "disp0001.ibw"}, "Override of disp0001.ibw object 2: overrides reset"},
        {"redirect --skip", {}, "BEFORE INSERT ON DisplayMap", {"redirect", "JOB", "disp0002.ibw", "--skip"},
         {"dump", "JOB", "FileList"}, "Set Skip flag on project display: disp0002.ibw"},
        {"redirect --remove", {"redirect", "JOB", "disp0002.ibw", "--skip"}, "BEFORE DELETE ON DisplayMap",
         {"redirect", "JOB", "disp0002.ibw", "--remove"},
         {"dump", "JOB", "FileList"}, "Removed button/display redirection entry: disp0002.ibw"},
    };
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    const QString mdb = site.job + u"/vorlix.mdb"_qs;
    const QString log = site.job + u"/vorlix.log"_qs;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.before.isEmpty()) {
            ASSERT_EQ(site.run(row.before).exitCode, 0);
        }
        ASSERT_TRUE(execIn(mdb, QStringLiteral("CREATE TRIGGER Refuse %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                                    .arg(QLatin1String(row.refusal))));
        const CliResult view = site.run(row.view);
        const int done = linesWith(log, QLatin1String(row.done));
        const CliResult r = site.run(row.args);
        EXPECT_EQ(r.exitCode, 1) << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(u"Could not set value in database!"_qs))
            << r.out.toStdString() << r.err.toStdString();
        EXPECT_EQ(site.run(row.view).out, view.out);
        EXPECT_EQ(linesWith(log, QLatin1String(row.done)), done);
        ASSERT_TRUE(execIn(mdb, u"DROP TRIGGER Refuse"_qs));
    }
}
