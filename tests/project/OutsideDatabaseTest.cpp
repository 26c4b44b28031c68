// Outside databases: opened by their content, never created, the same rows
// through QSQLITE and through ODBC.
#include "project/OutsideDatabase.h"
#include "util/Error.h"

#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
QString errorOf(const QString &path, OutsideDatabase::Route route = OutsideDatabase::Route::ByContent)
{
    try {
        OutsideDatabase db(path, route);
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

// Adds a row inside the database's transaction, reads it back, commits or not.
void addRow(OutsideDatabase &db, const QString &name, bool keep)
{
    db.begin(db.tableName(u"analog values"_qs));
    QSqlQuery q(db.db());
    const QString table = db.quoted(db.tableName(u"analog values"_qs));
    ASSERT_TRUE(q.prepare(u"INSERT INTO "_qs + table + u" (instance, description) VALUES (?, ?)"_qs));
    q.addBindValue(1);
    q.addBindValue(name);
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    if (keep)
        db.commit();
    else
        db.rollback();
}

QStringList names(OutsideDatabase &db)
{
    QSqlQuery q(db.db());
    EXPECT_TRUE(q.exec(u"SELECT description FROM "_qs + db.quoted(db.tableName(u"Analog Values"_qs)) + u" ORDER BY description"_qs));
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}
} // namespace

TEST(OutsideDatabase, RefusesWhatIsNotAnExistingDatabaseAndCreatesNothing)
{
    WorkbenchProject tp;
    const QString missing = tp.root() + u"/none.mdb"_qs;
    EXPECT_TRUE(errorOf(missing).contains(u"does not exist"_qs));
    EXPECT_FALSE(QFile::exists(missing));

    const QString text = tp.root() + u"/notes.mdb"_qs;
    writeFile(text, "hello");
    EXPECT_TRUE(errorOf(text).contains(u"neither an Access nor a SQLite database"_qs));
    EXPECT_EQ(readFile(text), QByteArray("hello"));

    EXPECT_TRUE(errorOf(tp.root()).contains(u"is not a file"_qs));

    // An Access file opens only where an Access ODBC driver is installed;
    // here none is, and the message says which file and what is missing.
    QByteArray jet(64, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    const QString access = tp.root() + u"/RepJob.mdb"_qs;
    writeFile(access, jet);
    const QString why = errorOf(access);
    EXPECT_TRUE(why.contains(QDir::toNativeSeparators(access))) << why.toStdString();
    EXPECT_TRUE(why.contains(u"ODBC"_qs)) << why.toStdString();
    // It names Windows' driver and what brings it.
    if (QSqlDatabase::isDriverAvailable(u"QODBC"_qs)) {
        EXPECT_TRUE(why.contains(u"\"Microsoft Access Driver (*.mdb, *.accdb)\" is not installed"_qs))
            << why.toStdString();
        EXPECT_TRUE(why.contains(u"64-bit Microsoft Access Database Engine"_qs)) << why.toStdString();
    }
    EXPECT_EQ(readFile(access), jet);
}

TEST(OutsideDatabase, FindsTablesAndFieldsWhateverTheirCase)
{
    WorkbenchProject tp;
    OutsideDatabase db(tp.appDir() + u"/pointdata.mdb"_qs, OutsideDatabase::Route::ByContent);
    EXPECT_FALSE(db.throughOdbc());
    EXPECT_EQ(db.tableName(u"ANALOG VALUES"_qs), u"Analog Values"_qs);
    EXPECT_EQ(db.tableName(u"binary values"_qs), u"Binary Values"_qs);
    EXPECT_TRUE(db.tableName(u"tblDevices"_qs).isEmpty());
    EXPECT_FALSE(db.fieldName(u"Analog Values"_qs, u"DESCRIPTION"_qs).isEmpty());
    EXPECT_TRUE(db.fieldName(u"Analog Values"_qs, u"nosuchfield"_qs).isEmpty());
}

TEST(OutsideDatabase, OdbcAndSqliteSeeTheSameRows)
{
    WorkbenchProject tp;
    const QString file = tp.root() + u"/points.mdb"_qs;
    ASSERT_TRUE(QFile::copy(tp.appDir() + u"/pointdata.mdb"_qs, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    {
        OutsideDatabase odbc(file, OutsideDatabase::Route::Odbc);
        ASSERT_TRUE(odbc.throughOdbc());
        EXPECT_EQ(odbc.tableName(u"analog VALUES"_qs), u"Analog Values"_qs);
        addRow(odbc, u"AV-1"_qs, true);
        addRow(odbc, u"AV-2"_qs, false); // rolled back
        EXPECT_EQ(names(odbc), QStringList{u"AV-1"_qs});
    }
    {
        OutsideDatabase sqlite(file, OutsideDatabase::Route::ByContent);
        EXPECT_EQ(names(sqlite), QStringList{u"AV-1"_qs});
        sqlite.begin(u"Analog Values"_qs);
        QSqlQuery q(sqlite.db());
        ASSERT_TRUE(q.exec(u"DELETE FROM \"Analog Values\""_qs));
        // Gone without commit: the destructor rolls back.
    }
    OutsideDatabase again(file, OutsideDatabase::Route::Odbc);
    EXPECT_EQ(names(again), QStringList{u"AV-1"_qs});
}
