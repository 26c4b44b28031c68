// The generic upsert and delete of the project database: the first row of a
// key is edited, a missing one appended whole, keys match without regard to
// case where asked, each shape of call gets its own statements, and a refused
// row is reported with its key (put together only then).
#include "support/TestProject.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace vorlix;
using Field = ProjectDatabase::Field;

namespace {

QStringList rows(ProjectDatabase &pdb, const QString &sql)
{
    QStringList out;
    QSqlQuery q(pdb.db());
    q.exec(sql);
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << (q.value(i).isNull() ? u"-"_qs : q.value(i).toString());
        out << cells.join(u',');
    }
    return out;
}

} // namespace

TEST(Upsert, EditsTheFirstRowOfAKeyOrAppendsOne)
{
    test::TestProject p;
    ProjectDatabase &pdb = p.pdb;
    const auto key = [] { return u"key"_qs; };
    // Two rows of one key: only the first is edited.
    p.exec(u"INSERT INTO GlobalOVR (Apex, IbexPoint, BTPoint) VALUES (1, 'IB-1', 'a'), (1, 'ib-1', 'b')"_qs);
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 1}, {u"IbexPoint"_qs, u"Ib-1"_qs, true}},
                           {{u"BTPoint"_qs, u"c"_qs}}, key));
    EXPECT_EQ(rows(pdb, u"SELECT Apex, IbexPoint, BTPoint FROM GlobalOVR ORDER BY rowid"_qs),
              (QStringList{u"1,IB-1,c"_qs, u"1,ib-1,b"_qs}));
    // Without the case-insensitive match the key is another one: appended.
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 1}, {u"IbexPoint"_qs, u"Ib-1"_qs}},
                           {{u"BTPoint"_qs, u"d"_qs}}, key));
    EXPECT_EQ(rows(pdb, u"SELECT IbexPoint, BTPoint FROM GlobalOVR ORDER BY rowid"_qs).last(), u"Ib-1,d"_qs);
    // Another shape on the same table: its own statements.
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 2}}, {{u"IbexPoint"_qs, u"IB-9"_qs}, {u"BTPoint"_qs, u"e"_qs}},
                           key));
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 2}}, {{u"BTPoint"_qs, u"f"_qs}}, key));
    EXPECT_EQ(rows(pdb, u"SELECT Apex, IbexPoint, BTPoint FROM GlobalOVR WHERE Apex = 2"_qs),
              QStringList{u"2,IB-9,f"_qs});
    // Without fields the row only has to exist; a missing one gets its key.
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 2}}, {}, key));
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 3}}, {}, key));
    EXPECT_EQ(rows(pdb, u"SELECT Apex, IbexPoint, BTPoint FROM GlobalOVR WHERE Apex >= 2 ORDER BY rowid"_qs),
              (QStringList{u"2,IB-9,f"_qs, u"3,-,-"_qs}));
    // Missing::Skip edits only.
    ASSERT_TRUE(pdb.upsert(u"GlobalOVR"_qs, {{u"Apex"_qs, 4}}, {{u"BTPoint"_qs, u"g"_qs}}, key,
                           ProjectDatabase::Missing::Skip));
    EXPECT_EQ(p.rowCount(u"GlobalOVR"_qs), 5);

    // The first row of a key goes, then the next, then none is left.
    using Removal = ProjectDatabase::Removal;
    const auto removeIb1 = [&](const QString &point) {
        return pdb.removeFirst(u"GlobalOVR"_qs, {{u"IbexPoint"_qs, point, true}}, key);
    };
    EXPECT_EQ(removeIb1(u"ib-1"_qs), Removal::Removed);
    EXPECT_EQ(rows(pdb, u"SELECT BTPoint FROM GlobalOVR WHERE IbexPoint = 'ib-1' COLLATE NOCASE ORDER BY rowid"_qs),
              (QStringList{u"b"_qs, u"d"_qs}));
    EXPECT_EQ(removeIb1(u"IB-1"_qs), Removal::Removed);
    // A delete the database refuses is told apart from a row that is not there.
    p.exec(u"CREATE TRIGGER refuse BEFORE DELETE ON GlobalOVR BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    EXPECT_EQ(removeIb1(u"IB-1"_qs), Removal::Refused);
    p.exec(u"DROP TRIGGER refuse"_qs);
    EXPECT_EQ(removeIb1(u"IB-1"_qs), Removal::Removed);
    EXPECT_EQ(removeIb1(u"IB-1"_qs), Removal::Missing);
}

TEST(Upsert, ARefusedRowIsReportedWithItsKeyAndLeavesNothing)
{
    test::TestProject p;
    ProjectDatabase &pdb = p.pdb;
    p.exec(u"CREATE TRIGGER refuse_bad BEFORE INSERT ON CpanelNames WHEN NEW.Name = 'bad' "
           "BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    p.exec(u"CREATE TRIGGER refuse_edit BEFORE UPDATE ON CpanelNames WHEN NEW.Name = 'bad' "
           "BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    QStringList lines;
    pdb.refusalSink = [&](const QString &l) { lines << l; };
    int asked = 0;
    const auto key = [&] {
        ++asked;
        return u"Apex 1, CPanelNumber 2"_qs;
    };
    pdb.resetRefusedPosts();
    ASSERT_TRUE(pdb.upsert(u"CpanelNames"_qs, {{u"Apex"_qs, 1}, {u"CPanelNumber"_qs, 2}}, {{u"Name"_qs, u"ok"_qs}}, key));
    EXPECT_EQ(asked, 0); // a key's text is made only for a refused row
    EXPECT_FALSE(pdb.upsert(u"CpanelNames"_qs, {{u"Apex"_qs, 1}, {u"CPanelNumber"_qs, 2}}, {{u"Name"_qs, u"bad"_qs}}, key));
    EXPECT_FALSE(pdb.upsert(u"CpanelNames"_qs, {{u"Apex"_qs, 1}, {u"CPanelNumber"_qs, 3}}, {{u"Name"_qs, u"bad"_qs}}, key));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pdb.refusedPosts(), 2);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(u"Not written to CpanelNames (Apex 1, CPanelNumber 2): "_qs)) << lines[0].toStdString();
    EXPECT_EQ(rows(pdb, u"SELECT Apex, CPanelNumber, Name FROM CpanelNames"_qs), QStringList{u"1,2,ok"_qs});
}
