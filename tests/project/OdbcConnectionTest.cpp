// The ODBC connection strings: a path never adds an attribute, whatever it
// holds, as the driver manager reads the string and as the SQLite ODBC driver
// reads it; and a path with such characters opens the very file it names.
#include "project/OdbcConnection.h"
#include "project/OutsideDatabase.h"
#include "util/Error.h"

#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
const QStringList kHostilePaths = {
    u"/srv/jobs/q;LoadExt=/tmp/evil.so"_qs,
    u"/srv/jobs/q;LoadExt=/tmp/evil.so}"_qs,
    u"/srv/jobs/a}};DBQ={/etc/other.mdb}"_qs,
    u"/srv/jobs/{braced}/RepJob.mdb"_qs,
    u"/srv/jobs/k=v;Tracefile=/tmp/t;.mdb"_qs,
    u"/srv/jobs/Gebäude Süd/€ 100%/RepJob.mdb"_qs,
    u"/srv/jobs/x?mode=rwc#frag/p.mdb"_qs,
    u"//server/share/RepJob.mdb"_qs,
};
} // namespace

TEST(OdbcConnection, AccessPathsAreBracedWithClosingBracesDoubled)
{
    EXPECT_EQ(odbcBraced(u"a}b"_qs), u"{a}}b}"_qs);
    EXPECT_EQ(accessConnectionString(u"Microsoft Access Driver (*.mdb, *.accdb)"_qs, u"C:\\Jobs\\a;b}.mdb"_qs),
              u"DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ={C:\\Jobs\\a;b}}.mdb}"_qs);
    for (const QString &path : kHostilePaths) {
        SCOPED_TRACE(path.toStdString());
        const auto read = odbcAttributes(accessConnectionString(u"Access"_qs, path));
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, (OdbcAttributes{{u"DRIVER"_qs, u"Access"_qs}, {u"DBQ"_qs, path}}));
    }
}

TEST(OdbcConnection, SqlitePathsAreUrisWithoutSeparators)
{
    for (const QString &path : kHostilePaths) {
        SCOPED_TRACE(path.toStdString());
        const QString cs = sqliteOdbcConnectionString(u"SQLite3"_qs, path, 3000);
        // The driver ends a value at any ";": there is none in the file part.
        const OdbcAttributes read = sqliteDriverAttributes(cs);
        ASSERT_EQ(read.size(), 4);
        EXPECT_EQ(read[0].first, u"DRIVER"_qs);
        EXPECT_EQ(read[1], (QPair{u"Timeout"_qs, u"3000"_qs}));
        EXPECT_EQ(read[2], (QPair{u"NoCreat"_qs, u"1"_qs}));
        EXPECT_EQ(read[3].first, u"Database"_qs);
        EXPECT_TRUE(read[3].second.endsWith(u"?mode=rw"_qs));
        EXPECT_EQ(pathOfFileUri(read[3].second), path);
        // The driver manager reads the same attributes.
        const auto manager = odbcAttributes(cs);
        ASSERT_TRUE(manager.has_value());
        EXPECT_EQ(manager->size(), 4);
        EXPECT_EQ(manager->at(0), (QPair{u"DRIVER"_qs, u"SQLite3"_qs}));
    }
    // Letters outside ASCII go as UTF-8, SQLite's file-name encoding, on
    // every system (not in Windows' 8-bit code page).
    const QString cs = sqliteOdbcConnectionString(u"SQLite3"_qs, u"/srv/Gebäude/€.mdb"_qs, 3000);
    EXPECT_TRUE(cs.contains(u"/srv/Geb%C3%A4ude/%E2%82%AC.mdb?mode=rw"_qs)) << cs.toStdString();
}

TEST(OdbcConnection, MalformedStringsAreNotRead)
{
    EXPECT_FALSE(odbcAttributes(u"DBQ={open"_qs).has_value());
    EXPECT_FALSE(odbcAttributes(u"DBQ={a}b"_qs).has_value());
    EXPECT_FALSE(odbcAttributes(u"novalue"_qs).has_value());
    EXPECT_EQ(odbcAttributes(u";A=1;;B={x;y}"_qs), (OdbcAttributes{{u"A"_qs, u"1"_qs}, {u"B"_qs, u"x;y"_qs}}));
    EXPECT_EQ(sqliteDriverAttributes(u"A={x;B=y}"_qs), (OdbcAttributes{{u"A"_qs, u"{x"_qs}, {u"B"_qs, u"y}"_qs}}));
    EXPECT_FALSE(pathOfFileUri(u"/plain/path"_qs).has_value());
}

// A folder whose name holds every character that could end or open a value,
// and letters outside ASCII: the ODBC route opens the file in it, and a
// missing file is never created.
TEST(OdbcConnection, HostileFolderNamesOpenTheFileTheyName)
{
    WorkbenchProject tp;
    const QString folder = tp.root() + u"/a;LoadExt=x {b}} c=d é€"_qs;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + u"/points.mdb"_qs;
    ASSERT_TRUE(QFile::copy(tp.appDir() + u"/pointdata.mdb"_qs, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    {
        OutsideDatabase db(file, OutsideDatabase::Route::Odbc);
        ASSERT_TRUE(db.throughOdbc());
        EXPECT_EQ(db.tableName(u"analog values"_qs), u"Analog Values"_qs);
        db.begin(u"Analog Values"_qs);
        QSqlQuery q(db.db());
        ASSERT_TRUE(q.exec(u"INSERT INTO \"Analog Values\" (Instance, Description) VALUES (7, 'seven')"_qs));
        db.commit();
    }
    OutsideDatabase check(file, OutsideDatabase::Route::ByContent);
    QSqlQuery q(check.db());
    ASSERT_TRUE(q.exec(u"SELECT Description FROM \"Analog Values\" WHERE Instance = 7"_qs));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), u"seven"_qs);
    // Nothing else appeared anywhere the string could have led.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{u"points.mdb"_qs});
    EXPECT_FALSE(QFile::exists(u"a"_qs));
}
