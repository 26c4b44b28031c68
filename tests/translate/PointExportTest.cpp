// The export of Ibex points into a point database, through QSQLITE and
// through ODBC (the SQLite ODBC driver stands in for Access).
#include "commands/ExportCommands.h"
#include "project/OutsideDatabase.h"
#include "translate/PointExport.h"
#include "util/Error.h"

#include "support/TestProject.h"
#include "support/WorkbenchProject.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// Statements on the point database through a connection of their own,
// closed again before the export opens the file.
QStringList onPointDatabase(const QString &file, const QStringList &statements, const QString &select = {})
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"points-fixture"_qs);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString &s : statements)
            EXPECT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        if (!select.isEmpty()) {
            EXPECT_TRUE(q.exec(select)) << q.lastError().text().toStdString();
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < q.record().count(); ++i)
                    cells << (q.value(i).isNull() ? u"null"_qs : q.value(i).toString());
                rows << cells.join(u'|');
            }
        }
    }
    QSqlDatabase::removeDatabase(u"points-fixture"_qs);
    return rows;
}

const QString kAllRows = u"SELECT 'AV', Instance, Description, Value, null FROM \"Analog Values\" UNION ALL "
                          "SELECT 'BV', Instance, Description, Value, prio08 FROM \"Binary Values\" ORDER BY 1, 2"_qs;

class PointExportTest : public ::testing::TestWithParam<OutsideDatabase::Route> {
protected:
    PointExportTest()
    {
        file = tp.root() + u"/points.mdb"_qs;
        EXPECT_TRUE(QFile::copy(tp.appFolder() + u"/pointdata.mdb"_qs, file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        onPointDatabase(file, {
            u"INSERT INTO \"Analog Values\" (Instance, Description, Value) VALUES (4, 'old', 1), (7, 'seven', 7), "
             "(9, 'other apex', 9)"_qs,
            u"INSERT INTO \"Binary Values\" (Instance, Description, Value, prio08) VALUES (1, 'old', 'PRI', 0), "
             "(3, 'old', '0', null), (5, 'keep', '1', null)"_qs,
        });
        tp.mapApex(2, u"1"_qs, 2000, 2100);
        tp.mapApex(3, u"1"_qs, 3000, 3100);
        point(3, 1, 1, u"Fan status"_qs, 1);        // BI into a "pri" row
        point(3, 3, 3, u"Pump command"_qs, 1);      // BO into a plain row
        point(3, 4, 4, u"Supply setpoint"_qs, 21.5); // AO
        point(3, 8, 2, u"No row"_qs, 3);            // AI without a row
        point(3, 6, 0, u"Untyped"_qs, 2);           // type 0: analog, no row
        point(2, 9, 2, u"Apex 2 point"_qs, 99);     // another Apex
        point(2, 5, 1, u"Apex 2 binary"_qs, 0);
    }
    void point(int apex, int pt, int type, const QString &description, double value)
    {
        tp.exec(QStringLiteral("INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description, Value) "
                               "VALUES (%1, %2, %3, '%4', %5)").arg(apex).arg(pt).arg(type).arg(description).arg(value));
    }
    PointExportCounts exportApex(int apex)
    {
        OutsideDatabase target(file, GetParam());
        EXPECT_EQ(target.throughOdbc(), GetParam() == OutsideDatabase::Route::Odbc);
        return exportIbexPoints(tp.pdb, target, apex);
    }
    QString exportError(int apex)
    {
        try {
            exportApex(apex);
        } catch (const Error &e) {
            return e.message();
        }
        return {};
    }
    TestProject tp;
    QString file;
};

const QStringList kBefore = {
    u"AV|4|old|1|null"_qs, u"AV|7|seven|7|null"_qs, u"AV|9|other apex|9|null"_qs,
    u"BV|1|old|PRI|0"_qs, u"BV|3|old|0|null"_qs, u"BV|5|keep|1|null"_qs,
};

} // namespace

TEST_P(PointExportTest, UpdatesMatchingRowsOfTheApexOnly)
{
    const PointExportCounts counts = exportApex(3);
    EXPECT_EQ(counts.points, 5);
    EXPECT_EQ(counts.updated, 3);
    EXPECT_EQ(counts.unmatched, 2);
    const QStringList after = {
        u"AV|4|Supply setpoint|21.5|null"_qs, u"AV|7|seven|7|null"_qs, u"AV|9|other apex|9|null"_qs,
        u"BV|1|Fan status|PRI|1"_qs, // the priority slot takes the value; Value keeps "PRI"
        u"BV|3|Pump command|1|null"_qs, u"BV|5|keep|1|null"_qs,
    };
    EXPECT_EQ(onPointDatabase(file, {}, kAllRows), after);

    // A second run writes the same values: nothing changes, no row is added.
    const PointExportCounts again = exportApex(3);
    EXPECT_EQ(again.updated, 3);
    EXPECT_EQ(onPointDatabase(file, {}, kAllRows), after);
}

TEST_P(PointExportTest, GridFiltersDoNotHideThePointsAndNamesMatchInAnyCase)
{
    // Table and column names in other letter cases, extra columns, and a
    // number that appears twice (the first row in table order is written).
    onPointDatabase(file, {u"DROP TABLE \"Analog Values\""_qs,
                           u"CREATE TABLE \"analog values\" (ObjInst INTEGER, units TEXT, DESCRIPTION TEXT, value REAL)"_qs,
                           u"INSERT INTO \"analog values\" VALUES (4, 'degF', 'first', 0), (4, 'degF', 'second', 0)"_qs});
    EXPECT_EQ(exportApex(3).updated, 3);
    EXPECT_EQ(onPointDatabase(file, {}, u"SELECT ObjInst, DESCRIPTION, value FROM \"analog values\" ORDER BY rowid"_qs),
              (QStringList{u"4|Supply setpoint|21.5"_qs, u"4|second|0"_qs}));
}

// A point database shaped like an Access file: no row ids (WITHOUT ROWID,
// keyed by the instance), Access type names, the binary rows in an order
// where Value and instance differ, and a description column shorter than
// an Ibex description. Each point lands on the row of its own instance; the
// row the database refuses is logged, counted and skipped, the rest written.
TEST_P(PointExportTest, AccessShapedTablesAreMatchedByTheirInstance)
{
    onPointDatabase(file, {
        u"DROP TABLE \"Analog Values\""_qs, u"DROP TABLE \"Binary Values\""_qs,
        u"CREATE TABLE \"Analog Values\" (ObjectInstance LONG NOT NULL PRIMARY KEY, RowNumber COUNTER, "
         "Description TEXT(12) CHECK (length(Description) <= 12), Value DOUBLE, OutOfService YESNO, "
         "Modified DATETIME) WITHOUT ROWID"_qs,
        u"CREATE TABLE \"Binary Values\" (ObjectInstance LONG NOT NULL PRIMARY KEY, "
         "Description TEXT(50), Value TEXT(50), prio08 DOUBLE, Polarity BIT) WITHOUT ROWID"_qs,
        u"INSERT INTO \"Analog Values\" (ObjectInstance, Description, Value) VALUES (4, 'old', 1), (7, 'seven', 7)"_qs,
        u"INSERT INTO \"Binary Values\" (ObjectInstance, Description, Value, prio08) VALUES (5, 'keep', '1', null), "
         "(3, 'old', '0', null), (1, 'old', 'PRI', 0)"_qs,
    });
    tp.exec(u"INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description, Value) VALUES (3, 7, 2, 'Pump \u2603', 2)"_qs);
    QStringList log;
    OutsideDatabase target(file, GetParam());
    const PointExportCounts counts =
        exportIbexPoints(tp.pdb, target, 3, {}, [&log](const QString &line) { log << line; });
    EXPECT_EQ(counts.updated, 3);
    EXPECT_EQ(counts.refused, 1);
    EXPECT_EQ(counts.unmatched, 2);
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(u"Not written to Analog Values (instance 4): "_qs)) << log[0].toStdString();
    const QString rows = u"SELECT 'AV', ObjectInstance, Description, Value, null FROM \"Analog Values\" UNION ALL "
                          "SELECT 'BV', ObjectInstance, Description, Value, prio08 FROM \"Binary Values\" ORDER BY 1, 2"_qs;
    EXPECT_EQ(onPointDatabase(file, {}, rows),
              (QStringList{u"AV|4|old|1|null"_qs, // "Supply setpoint" is longer than the column: refused
                           u"AV|7|Pump ?|2|null"_qs, u"BV|1|Fan status|PRI|1"_qs, u"BV|3|Pump command|1|null"_qs,
                           u"BV|5|keep|1|null"_qs}));
}

// The instance column holding text: numbers written as text still find
// their points; other texts are left alone, and the log says so.
TEST_P(PointExportTest, AnInstanceColumnHoldingTextIsReadAsNumbersWhereItCan)
{
    onPointDatabase(file, {u"DROP TABLE \"Analog Values\""_qs,
                           u"CREATE TABLE \"Analog Values\" (Instance TEXT(10), Description TEXT(50), Value DOUBLE)"_qs,
                           u"INSERT INTO \"Analog Values\" VALUES ('4', 'old', 1), ('spare', 'x', 0), (NULL, 'y', 0)"_qs});
    QStringList log;
    OutsideDatabase target(file, GetParam());
    const PointExportCounts counts =
        exportIbexPoints(tp.pdb, target, 3, {}, [&log](const QString &line) { log << line; });
    EXPECT_EQ(counts.updated, 3);
    EXPECT_EQ(log, QStringList{u"2 row(s) of \"Analog Values\" have an instance (column Instance) that is not a "
                                "number, such as \"spare\"; they were left alone."_qs});
    EXPECT_EQ(onPointDatabase(file, {}, u"SELECT Instance, Description, Value FROM \"Analog Values\" ORDER BY rowid"_qs),
              (QStringList{u"4|Supply setpoint|21.5"_qs, u"spare|x|0"_qs, u"null|y|0"_qs}));
}

TEST_P(PointExportTest, AnAccessShapedTableWithoutADocumentedColumnChangesNothing)
{
    onPointDatabase(file, {u"DROP TABLE \"Binary Values\""_qs,
                           u"CREATE TABLE \"Binary Values\" (ObjectInstance LONG NOT NULL PRIMARY KEY, "
                            "Description TEXT(50), Value TEXT(50)) WITHOUT ROWID"_qs,
                           u"INSERT INTO \"Binary Values\" VALUES (1, 'old', 'PRI')"_qs});
    const QString why = exportError(3);
    EXPECT_EQ(why, QStringLiteral("The table \"Binary Values\" of the point database \"%1\" has no column \"prio08\". "
                                  "Nothing was changed.").arg(QDir::toNativeSeparators(file)));
    EXPECT_EQ(onPointDatabase(file, {}, u"SELECT * FROM \"Binary Values\""_qs), QStringList{u"1|old|PRI"_qs});
    EXPECT_EQ(onPointDatabase(file, {}, u"SELECT Instance, Description FROM \"Analog Values\" ORDER BY 1"_qs),
              (QStringList{u"4|old"_qs, u"7|seven"_qs, u"9|other apex"_qs}));
}

TEST_P(PointExportTest, RefusesAFileWithoutTheTablesOrColumnsAndChangesNothing)
{
    onPointDatabase(file, {u"ALTER TABLE \"Binary Values\" RENAME COLUMN prio08 TO prio8"_qs});
    const QString why = exportError(3);
    EXPECT_TRUE(why.contains(u"prio08"_qs)) << why.toStdString();
    EXPECT_TRUE(why.contains(u"points.mdb"_qs)) << why.toStdString();
    onPointDatabase(file, {u"ALTER TABLE \"Binary Values\" RENAME COLUMN prio8 TO prio08"_qs,
                           u"DROP TABLE \"Analog Values\""_qs});
    EXPECT_TRUE(exportError(3).contains(u"Analog Values"_qs));
    EXPECT_EQ(onPointDatabase(file, {}, u"SELECT Instance, Description, Value, prio08 FROM \"Binary Values\" "
                                         "ORDER BY 1"_qs),
              (QStringList{u"1|old|PRI|0"_qs, u"3|old|0|null"_qs, u"5|keep|1|null"_qs}));
}

TEST_P(PointExportTest, ALockedDatabaseIsAFailureThatChangesNothing)
{
    {
        // Another program holds a write lock.
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"locker"_qs);
        other.setDatabaseName(file);
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(u"BEGIN EXCLUSIVE"_qs));
        const QString why = exportError(3);
        EXPECT_TRUE(why.contains(u"locked"_qs)) << why.toStdString();
        q.exec(u"ROLLBACK"_qs);
        other.close();
    }
    QSqlDatabase::removeDatabase(u"locker"_qs);
    EXPECT_EQ(onPointDatabase(file, {}, kAllRows), kBefore);
}

TEST_P(PointExportTest, AReadOnlyDatabaseIsAFailureThatChangesNothing)
{
    QFile::setPermissions(file, QFile::ReadOwner);
    // Tried, not read from the attributes: Wine marks the file read-only
    // and still lets root write it.
    if (QFile probe(file); probe.open(QIODevice::ReadWrite)) {
        probe.close();
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        GTEST_SKIP() << "permissions do not bind this user (root, also under Wine): the read-only case cannot be made";
    }
    const QString why = exportError(3);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(why.contains(u"points.mdb"_qs)) << why.toStdString();
    EXPECT_EQ(onPointDatabase(file, {}, kAllRows), kBefore);
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, PointExportTest,
                         ::testing::Values(OutsideDatabase::Route::ByContent, OutsideDatabase::Route::Odbc),
                         [](const auto &info) {
                             return info.param == OutsideDatabase::Route::Odbc ? "Odbc" : "Sqlite";
                         });

// The command: the chosen file, the template for a missing one, the counts
// in the log and the closing message.
TEST(ExportPointsCommand, MakesAMissingFileFromTheTemplateAndSaysWhatItDid)
{
    TestProject tp;
    tp.mapApex(0, u"1"_qs, 500, 600);
    tp.mapApex(3, u"1"_qs, 3000, 3100);
    tp.wb.refreshDeviceLists();
    ASSERT_EQ(tp.wb.deviceLists.exports, (QList<ExportDevice>{{0, 500}, {3, 3000}}));
    const ExportDevice apex3 = tp.wb.deviceLists.exports[1];
    tp.addIbexPoint(3, 4, 4);
    const QString target = tp.root() + u"/new/points.mdb"_qs;
    QDir().mkpath(tp.root() + u"/new"_qs);

    // Cancelled: nothing made, nothing logged.
    tp.prompter.pushFile(QString());
    EXPECT_FALSE(exportPointsCommand(tp.wb, apex3).done);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(tp.wb.log.lines().isEmpty());

    tp.prompter.pushFile(target);
    const ExportOutcome out = exportPointsCommand(tp.wb, apex3);
    ASSERT_TRUE(out.done);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(out.counts.updated, 0); // the template has no rows
    EXPECT_EQ(out.counts.unmatched, 1);
    const QString closing = u"Points of Apex 3 exported: 0 row(s) updated, 1 Ibex point(s) had no matching row in "
                            "the point database."_qs;
    EXPECT_EQ(tp.prompter.informed, QStringList{closing});
    const QStringList lines = tp.wb.log.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(u"Exporting Points: "_qs + QDir::toNativeSeparators(target)));
    EXPECT_EQ(lines[1], u'\t' + closing);

    // Not a database: a message naming the file, and the file as it was.
    const QString text = tp.root() + u"/notes.mdb"_qs;
    writeFile(text, "just text");
    tp.prompter.pushFile(text);
    EXPECT_THROW(exportPointsCommand(tp.wb, apex3), Error);
    EXPECT_EQ(readFile(text), QByteArray("just text"));
}
