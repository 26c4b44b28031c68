#include "util/Error.h"
#include "project/ProjectDatabase.h"
#include "project/Schema.h"
#include "support/LockHolder.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
int count(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    return q.next() ? q.value(0).toInt() : -1;
}
bool exec(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}
} // namespace

TEST(ProjectDatabase, NewProjectGetsTheTemplateAndReportsItWasMissing)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t1"_qs);
    ProjectVariables vars;
    EXPECT_FALSE(pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars));
    EXPECT_TRUE(QFile::exists(tp.jobDir() + u"/vorlix.mdb"_qs));
    EXPECT_TRUE(pdb.isOpen());
    EXPECT_DOUBLE_EQ(vars.databaseVersion, 14.0);
    EXPECT_EQ(vars.scanDepth, 5);
    EXPECT_TRUE(pdb.expandedModeAvailable());
    EXPECT_TRUE(pdb.extendedTablesAvailable());
    EXPECT_TRUE(pdb.globalOverridesAvailable());
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM ApexMap"_qs), 32);
    EXPECT_EQ(count(pdb.db(), u"SELECT MIN(Apex) FROM ApexMap"_qs), 0);
    EXPECT_EQ(count(pdb.db(), u"SELECT MAX(Apex) FROM ApexMap"_qs), 31);
    EXPECT_EQ(pdb.db().record(u"tblRepJob"_qs).count(), 47);
    EXPECT_EQ(pdb.db().record(u"tblDevCapabilities"_qs).count(), 42);
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM sqlite_master WHERE type='index' AND name='devID'"_qs), 1);

    EXPECT_TRUE(pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars));
}

TEST(ProjectDatabase, TemplateHoldsEveryTableAndField)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t2"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.appDir(), tp.appDir(), vars);
    for (const schema::Table &t : schema::projectTables()) {
        const QSqlRecord rec = pdb.db().record(QLatin1String(t.name));
        ASSERT_EQ(rec.count(), static_cast<int>(t.fields.size())) << t.name;
        for (const schema::Field &f : t.fields)
            EXPECT_GE(rec.indexOf(QLatin1String(f.name)), 0) << t.name << "." << f.name;
    }
}

TEST(ProjectDatabase, ApexMapRowsCanBeNeitherInsertedNorDeleted)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t3"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    exec(pdb.db(), u"INSERT INTO ApexMap (Apex) VALUES (40)"_qs);
    exec(pdb.db(), u"DELETE FROM ApexMap WHERE Apex = 3"_qs);
    pdb.emptyTable(u"ApexMap"_qs);
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM ApexMap"_qs), 32);
    EXPECT_TRUE(exec(pdb.db(), u"UPDATE ApexMap SET ComList = '12' WHERE Apex = 3"_qs));
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM ApexMap WHERE ComList = '12'"_qs), 1);
}

TEST(ProjectDatabase, DeviceRowsGetDefaultsAndTakeTheirCapabilitiesAlong)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t4"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblRepJob (devinst) VALUES (1201)"_qs));
    ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblRepJob (devinst) VALUES (1202)"_qs));
    ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblDevCapabilities (devinst) VALUES (1201)"_qs));
    ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblDevCapabilities (devinst) VALUES (1202)"_qs));
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM tblRepJob WHERE omf_autodown = 0 AND ddc_autodown = 0 "
                               "AND commalarmenabled = 0 AND enablemstpproxy = 0 AND WrtObjName = 0 "
                               "AND readDevMgr = 0 AND Exp0 = 0 AND Exp7 = 0"_qs),
              2);
    ASSERT_TRUE(exec(pdb.db(), u"DELETE FROM tblRepJob WHERE devinst = 1201"_qs));
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM tblDevCapabilities WHERE devinst = 1201"_qs), 0);
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM tblDevCapabilities WHERE devinst = 1202"_qs), 1);

    pdb.emptyDeviceTables();
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM tblRepJob"_qs), 0);
    EXPECT_EQ(count(pdb.db(), u"SELECT COUNT(*) FROM tblDevCapabilities"_qs), 0);
}

TEST(ProjectDatabase, OlderGenerationsAdaptInsteadOfFailing)
{
    WorkbenchProject tp;
    {
        ProjectDatabase pdb(u"t5"_qs);
        ProjectVariables vars;
        pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
        // A 12.6 database: no DatabaseVersion row and no GlobalOVR table.
        exec(pdb.db(), u"DELETE FROM Vorlix WHERE VarName = 'DatabaseVersion'"_qs);
        exec(pdb.db(), u"DROP TABLE GlobalOVR"_qs);
    }
    ProjectDatabase pdb(u"t6"_qs);
    ProjectVariables vars;
    EXPECT_TRUE(pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars));
    EXPECT_DOUBLE_EQ(vars.databaseVersion, 12.6);
    EXPECT_FALSE(pdb.expandedModeAvailable());
    EXPECT_FALSE(pdb.globalOverridesAvailable());
    EXPECT_TRUE(pdb.extendedTablesAvailable());

    exec(pdb.db(), u"DROP TABLE Buttons"_qs);
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    EXPECT_FALSE(pdb.extendedTablesAvailable());
}

TEST(ProjectDatabase, AFileThatIsNotADatabaseIsReportedAndLeftAlone)
{
    WorkbenchProject tp;
    const QByteArray junk("this is not a database at all");
    writeFile(tp.jobDir() + u"/vorlix.mdb"_qs, junk);
    ProjectDatabase pdb(u"t7"_qs);
    ProjectVariables vars;
    try {
        pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
        FAIL() << "expected an error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(tp.jobDir() + u"/vorlix.mdb"_qs)));
    }
    EXPECT_FALSE(pdb.isOpen());
    EXPECT_EQ(readFile(tp.jobDir() + u"/vorlix.mdb"_qs), junk);
}

TEST(ProjectDatabase, NoTemplateMeansNoDatabase)
{
    WorkbenchProject tp;
    QFile::remove(tp.appDir() + u"/vorlix.mdb"_qs);
    ProjectDatabase pdb(u"t8"_qs);
    ProjectVariables vars;
    EXPECT_FALSE(pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars));
    EXPECT_FALSE(pdb.isOpen());
    EXPECT_FALSE(QFile::exists(tp.jobDir() + u"/vorlix.mdb"_qs));
}

TEST(ProjectDatabase, RefusedPostIsReportedWithTableAndKey)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t9"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    QStringList lines;
    pdb.refusalSink = [&](const QString &l) { lines << l; };
    QSqlQuery q(pdb.db());
    q.prepare(u"INSERT INTO NoSuchTable VALUES (1)"_qs);
    EXPECT_FALSE(pdb.post(q, u"CpanelMap"_qs, u"Apex 1, Sequence 2"_qs));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(u"Not written to CpanelMap (Apex 1, Sequence 2)"_qs));
    EXPECT_EQ(pdb.refusedPosts(), 1);
}

TEST(ProjectDatabase, ATransactionInsideAnotherIsPartOfIt)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t10"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    const QString rows = u"SELECT COUNT(*) FROM DisplayMap"_qs;
    const QString add = u"INSERT INTO DisplayMap (LocalJob, IbexFilename) VALUES (0, 'disp0001.ibw')"_qs;
    {
        ProjectDatabase::Transaction outer(pdb);
        {
            ProjectDatabase::Transaction inner(pdb);
            ASSERT_TRUE(exec(pdb.db(), add));
            inner.commit(); // ends nothing: the outer one decides
        }
        EXPECT_EQ(count(pdb.db(), rows), 1);
    } // rolled back
    EXPECT_EQ(count(pdb.db(), rows), 0);
    {
        ProjectDatabase::Transaction outer(pdb);
        {
            ProjectDatabase::Transaction inner(pdb);
            ASSERT_TRUE(exec(pdb.db(), add));
        } // an inner one going out of scope rolls nothing back
        outer.commit();
    }
    EXPECT_EQ(count(pdb.db(), rows), 1);
    // Once the outer one has ended, the next one is a transaction of its own.
    {
        ProjectDatabase::Transaction next(pdb);
        ASSERT_TRUE(exec(pdb.db(), add));
    }
    EXPECT_EQ(count(pdb.db(), rows), 1);
}

// A command's transaction reads, then writes. Another program holding the
// write lock for a moment makes it wait (the busy timeout), never fail at
// once on the way from reading to writing.
TEST(ProjectDatabase, AWritingTransactionWaitsForAnotherProgramsLock)
{
    WorkbenchProject tp;
    ProjectDatabase pdb(u"t9"_qs);
    ProjectVariables vars;
    pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    {
        LockHolder other(pdb.path(), u"UPDATE ApexMap SET GlobalPts = 7 WHERE Apex = 1"_qs, 700);
        try {
            ProjectDatabase::Transaction tx(pdb);
            QSqlQuery &read = pdb.prepared(u"SELECT GlobalPts FROM ApexMap WHERE Apex = 1"_qs);
            ProjectDatabase::run(read);
            ASSERT_TRUE(read.next());
            const int seen = read.value(0).toInt();
            read.finish();
            QSqlQuery &write = pdb.prepared(u"UPDATE ApexMap SET GlobalPts = ? WHERE Apex = 1"_qs);
            write.bindValue(0, seen + 1);
            EXPECT_TRUE(pdb.post(write, u"ApexMap"_qs, u"Apex 1"_qs));
            tx.commit();
        } catch (const Error &e) {
            ADD_FAILURE() << e.message().toStdString();
        }
    }
    // The transaction read what the other program had committed.
    EXPECT_EQ(count(pdb.db(), u"SELECT GlobalPts FROM ApexMap WHERE Apex = 1"_qs), 8);
}

// One row per devinst in tblRepJob. A project made before that still opens
// and tells which values are doubled; once they are put right, the next
// open makes the index unique again. A devinst edited in place takes its
// capability row along.
TEST(ProjectDatabase, DevinstIsUniqueAndDoubledValuesAreNamed)
{
    WorkbenchProject tp;
    {
        ProjectDatabase pdb(u"t10"_qs);
        ProjectVariables vars;
        pdb.linkDatabase(tp.jobDir(), tp.appDir(), vars);
        EXPECT_TRUE(pdb.doubledDevinsts().isEmpty());
        ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblRepJob (devinst) VALUES (5)"_qs));
        EXPECT_FALSE(exec(pdb.db(), u"INSERT INTO tblRepJob (devinst) VALUES (5)"_qs));
        // As an older project holds its rows.
        ASSERT_TRUE(exec(pdb.db(), u"DROP INDEX devID"_qs));
        ASSERT_TRUE(exec(pdb.db(), u"CREATE INDEX devID ON tblRepJob (devinst)"_qs));
        ASSERT_TRUE(exec(pdb.db(), u"INSERT INTO tblRepJob (devinst) VALUES (5), (9), (9), (9), (12)"_qs));
    }
    Workbench &wb = tp.openJob();
    EXPECT_EQ(wb.pdb.doubledDevinsts(), (QList<qint64>{5, 9}));
    const QString told = u"The device table tblRepJob holds these devinst values more than once: 5, 9. Each device "
                         "needs an instance of its own: change or delete the doubled rows in step 10."_qs;
    EXPECT_TRUE(tp.prompter.informed.contains(told)) << tp.prompter.informed.join(u'|').toStdString();
    EXPECT_TRUE(wb.log.lines().join(u'\n').contains(told));
    EXPECT_EQ(count(wb.pdb.db(), u"SELECT COUNT(*) FROM tblRepJob"_qs), 6);

    ASSERT_TRUE(exec(wb.pdb.db(), u"DELETE FROM tblRepJob WHERE rowid NOT IN "
                                  "(SELECT MIN(rowid) FROM tblRepJob GROUP BY devinst)"_qs));
    ASSERT_TRUE(exec(wb.pdb.db(), u"INSERT INTO tblDevCapabilities (devinst, workstation) VALUES (12, 1)"_qs));
    ASSERT_TRUE(exec(wb.pdb.db(), u"UPDATE tblRepJob SET devinst = 14 WHERE devinst = 12"_qs));
    EXPECT_EQ(count(wb.pdb.db(), u"SELECT COUNT(*) FROM tblDevCapabilities WHERE devinst = 14 AND workstation = 1"_qs),
              1);
    EXPECT_EQ(count(wb.pdb.db(), u"SELECT COUNT(*) FROM tblDevCapabilities WHERE devinst = 12"_qs), 0);

    ProjectDatabase again(u"t11"_qs);
    ProjectVariables vars;
    wb.closeProject();
    again.linkDatabase(tp.jobDir(), tp.appDir(), vars);
    EXPECT_TRUE(again.doubledDevinsts().isEmpty());
    EXPECT_FALSE(exec(again.db(), u"INSERT INTO tblRepJob (devinst) VALUES (9)"_qs));
    EXPECT_EQ(count(again.db(), u"SELECT COUNT(*) FROM pragma_index_list('tblRepJob') WHERE name = 'devID' AND "
                                "\"unique\" = 1"_qs),
              1);
}
