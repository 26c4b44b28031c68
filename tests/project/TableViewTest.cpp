// What the step grids show: default orders, title clicks, the filter on the
// current field (matched literally) and the step 1 colour cues.
#include "project/TableView.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

class SqliteConnection {
public:
    SqliteConnection() : m_name(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, m_name);
        db.setDatabaseName(u":memory:"_qs);
        db.open();
    }
    ~SqliteConnection() { QSqlDatabase::removeDatabase(m_name); }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name); }

private:
    QString m_name;
};

TEST(TableView, OrdersByTableTitleClickAndFilter)
{
    struct Case {
        GridTable table;
        const char *open, *title, *filterOff;
    };
    const Case cases[] = {
        {GridTable::ApexMap, "Apex", "Apex", "Apex"},
        {GridTable::CpanelMap, "Apex;CPanelNumber", "Sequence;Apex", "Apex;Sequence"},
        {GridTable::IbexPtMap, "Apex;IbexPt", "Apex;IbexPt", "Apex;IbexPt"},
        {GridTable::CpanelNames, "Apex;CPanelNumber", "Apex;CPanelNumber", "Apex;CPanelNumber"},
        {GridTable::RepJob, "devinst", "devinst", "devinst"},
    };
    for (const Case &c : cases) {
        TableView view(c.table);
        SCOPED_TRACE(view.tableName().toStdString());
        EXPECT_EQ(view.order(), QLatin1String(c.open));
        ASSERT_TRUE(view.titleClick(2));
        EXPECT_EQ(view.order(), view.columns()[2].field);
        ASSERT_TRUE(view.titleClick(0));
        EXPECT_EQ(view.order(), QLatin1String(c.title));
        view.filterOff();
        EXPECT_EQ(view.order(), QLatin1String(c.filterOff));
    }
}

TEST(TableView, TuxFileListFirstColumnAndCalculatedColumnChangeNothing)
{
    TableView view(GridTable::TdcFiles);
    ASSERT_EQ(view.columns().size(), 4);
    EXPECT_EQ(view.columns()[3].title, u"File Exists"_qs);
    EXPECT_FALSE(view.titleClick(0));
    EXPECT_FALSE(view.titleClick(3));
    EXPECT_EQ(view.order(), u"Apex;IbexFilename"_qs);
    EXPECT_TRUE(view.titleClick(2));
    EXPECT_EQ(view.order(), u"BACtalkFilename"_qs);
    EXPECT_FALSE(view.hasFilterBox());
}

TEST(TableView, StateTextNamesOrderAndFilterByTitle)
{
    TableView points(GridTable::IbexPtMap);
    EXPECT_EQ(points.stateText(), u"ordered by Apex, Ibex Pt"_qs);
    ASSERT_TRUE(points.filterOn(3, u"O'Brien's AHU"_qs));
    EXPECT_EQ(points.filterField(), u"Description"_qs);
    EXPECT_EQ(points.stateText(), u"ordered by Apex, Ibex Pt; filter: Description = O'Brien's AHU"_qs);
    points.filterOff();
    EXPECT_EQ(points.filterValue(), QString());
    EXPECT_EQ(points.stateText(), u"ordered by Apex, Ibex Pt"_qs);
    // A title click names the column clicked.
    TableView tux(GridTable::TdcFiles);
    ASSERT_TRUE(tux.titleClick(2));
    EXPECT_EQ(tux.stateText(), u"ordered by BACtalk Filename"_qs);
}

TEST(TableView, ColumnsAndTitles)
{
    TableView apex(GridTable::ApexMap);
    ASSERT_EQ(apex.columns().size(), 15);
    EXPECT_EQ(apex.columns()[1].title, u"Com List"_qs);
    EXPECT_EQ(apex.columns()[2].title, u"Global Pts"_qs);
    EXPECT_EQ(apex.columns()[3].title, u"DevID 1"_qs);
    EXPECT_EQ(apex.columns()[14].field, u"BaseAddr4"_qs);
    EXPECT_FALSE(apex.rowsEditable());
    EXPECT_EQ(TableView(GridTable::CpanelMap, true).columns().size(), 7);
    EXPECT_EQ(TableView(GridTable::CpanelMap, false).columns().size(), 6);
    EXPECT_EQ(TableView(GridTable::IbexPtMap).columns()[1].title, u"Ibex Pt"_qs);
    EXPECT_EQ(TableView(GridTable::CpanelNames).columns()[1].title, u"CPanel Number"_qs);
    EXPECT_EQ(TableView(GridTable::RepJob).columns().size(), 47);
}

TEST(TableView, FilterMatchesTheCellValueLiterally)
{
    SqliteConnection conn;
    QSqlDatabase db = conn.db();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(u"CREATE TABLE CpanelNames (Apex INTEGER, CPanelNumber INTEGER, Name VARCHAR(50))"_qs));
    ASSERT_TRUE(q.exec(u"INSERT INTO CpanelNames VALUES (1, 3, 'O''Brien wing'), (1, 4, 'Lobby'), (2, 3, 'x'' OR ''1''=''1')"_qs));

    TableView view(GridTable::CpanelNames);
    EXPECT_FALSE(view.filterOn(2, QString())); // an empty cell changes nothing
    EXPECT_FALSE(view.filtered());
    EXPECT_TRUE(view.whereClause(db).isEmpty());

    auto count = [&] {
        QSqlQuery c(db);
        const QString where = view.whereClause(db);
        EXPECT_TRUE(c.exec(u"SELECT COUNT(*) FROM CpanelNames"_qs + (where.isEmpty() ? QString() : u" WHERE "_qs + where)));
        c.next();
        return c.value(0).toInt();
    };
    ASSERT_TRUE(view.filterOn(2, u"O'Brien wing"_qs));
    EXPECT_EQ(count(), 1);
    ASSERT_TRUE(view.filterOn(2, u"x' OR '1'='1"_qs)); // matched as text, nothing injected
    EXPECT_EQ(count(), 1);
    ASSERT_TRUE(view.filterOn(1, u"3"_qs)); // a number shown as text
    EXPECT_EQ(count(), 2);
    view.filterOff();
    EXPECT_EQ(count(), 3);
    EXPECT_EQ(view.orderByClause(db), u"ORDER BY \"Apex\", \"CPanelNumber\""_qs);
    view.titleClick(2);
    EXPECT_EQ(view.orderByClause(db), u"ORDER BY \"Name\" COLLATE NOCASE"_qs);
}

TEST(TableView, ApexMapTintsFollowComList)
{
    EXPECT_EQ(apexMapCellTint(u"Apex"_qs, u"13"_qs), CellTint::Plain);
    EXPECT_EQ(apexMapCellTint(u"ComList"_qs, QString()), CellTint::Plain);
    EXPECT_EQ(apexMapCellTint(u"GlobalPts"_qs, u"1234"_qs), CellTint::Unchanged);
    EXPECT_EQ(apexMapCellTint(u"DevID1"_qs, u"13"_qs), CellTint::Com1);
    EXPECT_EQ(apexMapCellTint(u"Net2"_qs, u"13"_qs), CellTint::Unchanged);
    EXPECT_EQ(apexMapCellTint(u"BaseAddr3"_qs, u"13"_qs), CellTint::Com3);
    EXPECT_EQ(apexMapCellTint(u"net4"_qs, u"4"_qs), CellTint::Com4);
    EXPECT_EQ(apexMapCellTint(u"DevID2"_qs, u"2"_qs), CellTint::Com2);
}

} // namespace
} // namespace vorlix
