// The grids of the step pages over the default project's tables: colour
// cues, filters, orders, edit modes and the change of tab.
#include "tables/CpanelMapPage.h"
#include "tables/CpanelNamesPage.h"
#include "tables/IbexPointsPage.h"
#include "common/ColumnFitter.h"
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "common/ProjectTableModel.h"
#include "shell/StepTabWidget.h"
#include "common/TabListBox.h"
#include "WindowFixture.h"
#include "project/Messages.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSqlQuery>
#include <QSqlRecord>

namespace vorlix::test {
namespace {

class GridTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        seedDefaultProject();
        start();
        ASSERT_TRUE(wb->pdb.isOpen());
    }
    void exec(const QString &sql)
    {
        QSqlQuery q(wb->pdb.db());
        ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
    }
    static QVariant cell(DataGrid *grid, int row, const char *field)
    {
        auto *m = grid->tableModel();
        return m->data(m->index(row, m->record().indexOf(QLatin1String(field))));
    }
    static QList<int> column(DataGrid *grid, const char *field)
    {
        QList<int> out;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out << cell(grid, r, field).toInt();
        return out;
    }
    void select(DataGrid *grid, int row, const char *field)
    {
        auto *m = grid->tableModel();
        grid->setCurrentIndex(m->index(row, m->record().indexOf(QLatin1String(field))));
    }
};

TEST_F(GridTest, ComList13ColoursTheFirstAndThirdDeviceGroups)
{
    exec(u"UPDATE ApexMap SET ComList = '13', DevID1 = 1200, DevID2 = 2200, DevID3 = 3200 WHERE Apex = 0"_qs);
    auto *grid = child<DataGrid>("dbg_ApexMap");
    grid->reload();
    auto *m = grid->tableModel();
    auto colour = [&](const char *field) {
        return m->data(m->index(0, m->record().indexOf(QLatin1String(field))), Qt::ForegroundRole)
            .value<QBrush>()
            .color();
    };
    auto tinted = [&](const char *field) {
        return m->data(m->index(0, m->record().indexOf(QLatin1String(field))), Qt::ForegroundRole).isValid();
    };
    EXPECT_EQ(colour("DevID1"), QColor(Qt::blue));
    EXPECT_EQ(colour("BaseAddr1"), QColor(Qt::blue));
    EXPECT_EQ(colour("Net3"), QColor(Qt::red));
    EXPECT_FALSE(tinted("DevID2"));
    EXPECT_FALSE(tinted("Net4"));
    EXPECT_FALSE(tinted("GlobalPts"));
    EXPECT_EQ(colour("Apex"), QColor(Qt::black)); // light style 13
    wb->settings.visualStyle = 5;                  // Carbon is dark
    EXPECT_EQ(colour("ComList"), QColor(Qt::white));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), u"Com List"_qs);
}

TEST_F(GridTest, ApexMapRowsAreNeitherDeletedNorInserted)
{
    auto *grid = child<DataGrid>("dbg_ApexMap");
    ASSERT_EQ(grid->model()->rowCount(), 32);
    select(grid, 3, "ComList");
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::ControlModifier);
    QApplication::sendEvent(grid, &del);
    QKeyEvent ins(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(grid, &ins);
    EXPECT_TRUE(prompter.asked.isEmpty()); // refused silently
    grid->reload();
    EXPECT_EQ(grid->model()->rowCount(), 32);
}

TEST_F(GridTest, DeletingARowAsksFirst)
{
    exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (1, 1, 'AHU-1'), (1, 2, 'AHU-2')"_qs);
    auto *grid = child<DataGrid>("dbg_CpanelNames");
    grid->reload();
    select(grid, 0, "Name");
    prompter.pushYesNo(false);
    grid->deleteCurrentRow();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    prompter.pushYesNo(true);
    grid->deleteCurrentRow();
    EXPECT_EQ(prompter.asked, (QStringList{msg::confirmDeleteRecord(), msg::confirmDeleteRecord()}));
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(cell(grid, 0, "Name").toString(), u"AHU-2"_qs);
}

TEST_F(GridTest, FilterOnAnEmptyCellChangesNothingAndQuotesMatchLiterally)
{
    exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (2, 7, NULL), (1, 3, 'O''Brien wing'), "
         "(1, 1, 'Lobby')"_qs);
    auto *page = static_cast<CpanelNamesPage *>(window->tabs()->widget(3));
    auto *grid = page->grid();
    grid->reload();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    select(grid, 2, "Name"); // Apex 2, no name
    ASSERT_TRUE(cell(grid, 2, "Name").toString().isEmpty());
    page->filterBox()->setChecked(true);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_FALSE(grid->tableModel()->view().filtered());
    page->filterBox()->setChecked(false);

    select(grid, 1, "Name");
    ASSERT_EQ(cell(grid, 1, "Name").toString(), u"O'Brien wing"_qs);
    page->filterBox()->setChecked(true);
    EXPECT_TRUE(prompter.errors.isEmpty());
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(cell(grid, 0, "CPanelNumber").toInt(), 3);
    // Lookups see the whole table whatever the grid shows.
    EXPECT_EQ(wb->map.cpanelName(1, 1), u"Lobby"_qs);
    page->filterBox()->setChecked(false);
    EXPECT_EQ(grid->model()->rowCount(), 3);
}

TEST_F(GridTest, TitleClickAndUncheckingTheFilterRestoreTheirDefaultOrders)
{
    exec(u"INSERT INTO CpanelMap (Apex, Sequence, CallTo, Trunk, Address, CPanelNumber) VALUES "
         "(2, 10, 0, 1, 1, 5), (1, 30, 0, 1, 2, 4), (1, 20, 0, 1, 3, 6)"_qs);
    auto *page = static_cast<CpanelMapPage *>(window->tabs()->widget(1));
    auto *grid = page->grid();
    grid->reload();
    EXPECT_EQ(column(grid, "CPanelNumber"), (QList<int>{4, 6, 5})); // opened by Apex, CPanelNumber
    grid->titleClick(0);                                             // the "Apex" title
    EXPECT_EQ(grid->tableModel()->view().order(), u"Sequence;Apex"_qs);
    EXPECT_EQ(column(grid, "Sequence"), (QList<int>{10, 20, 30}));
    grid->titleClick(5); // CPanelNumber alone
    EXPECT_EQ(column(grid, "CPanelNumber"), (QList<int>{4, 5, 6}));
    // Unchecking restores "Apex;Sequence" even without an active filter.
    select(grid, 0, "Trunk");
    page->filterBox()->setChecked(true); // filters on Trunk = 1: every row
    page->filterBox()->setChecked(false);
    EXPECT_EQ(grid->tableModel()->view().order(), u"Apex;Sequence"_qs);
    EXPECT_EQ(column(grid, "Sequence"), (QList<int>{20, 30, 10}));
    // Generation 14 shows ExpandedMode.
    EXPECT_GE(grid->tableModel()->modelColumn(6), 0);
}

TEST_F(GridTest, TitlesShowTheOrderAndTheLineUnderTheGridTheRowsAndTheFilter)
{
    exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (2, 7, 'Roof'), (1, 3, 'Wing'), "
         "(1, 1, 'Lobby')"_qs);
    auto *page = window->cpanelNamesPage();
    auto *grid = page->grid();
    auto *summary = page->findChild<QLabel *>(u"gridSummary"_qs);
    ASSERT_NE(summary, nullptr);
    grid->reload();
    const auto columnOf = [grid](const char *field) {
        return grid->tableModel()->record().indexOf(QLatin1String(field));
    };
    QHeaderView *header = grid->horizontalHeader();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), columnOf("Apex"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(summary->text(), u"3 rows; ordered by Apex, CPanel Number"_qs);

    // A click on the "Name" title, as the header delivers it (the header
    // flips its own indicator first).
    emit header->sectionClicked(columnOf("Name"));
    EXPECT_EQ(header->sortIndicatorSection(), columnOf("Name"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(summary->text(), u"3 rows; ordered by Name"_qs);

    select(grid, 0, "Apex"); // Lobby, Apex 1
    page->filterBox()->setChecked(true);
    EXPECT_EQ(summary->text(), u"2 rows; ordered by Name; filter: Apex = 1"_qs);
    page->filterBox()->setChecked(false);
    EXPECT_EQ(summary->text(), u"3 rows; ordered by Apex, CPanel Number"_qs);
    EXPECT_EQ(header->sortIndicatorSection(), columnOf("Apex"));
}

TEST_F(GridTest, TextColumnsFitTheRowsInSightOnlyAndTheLastTakesTheRest)
{
    // A text in sight and a wider one far below it.
    const QString near = u"Supply air temperature"_qs;
    const QString far = QString(60, u'W');
    exec(u"BEGIN"_qs);
    for (int pt = 0; pt < 600; ++pt) {
        const QString text = pt == 0 ? near : pt == 500 ? far : u"AHU"_qs;
        exec(QStringLiteral("INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description, Value) VALUES (1, %1, 2, '%2', 0)")
                 .arg(pt)
                 .arg(text));
    }
    exec(u"COMMIT"_qs);
    window->tabs()->setCurrentIndex(window->tabs()->indexOf(window->ibexPointsPage()));
    QApplication::processEvents();
    auto *grid = window->ibexPointsPage()->grid();
    grid->reload();
    ASSERT_EQ(grid->model()->rowCount(), 600);
    const int description = grid->tableModel()->record().indexOf(u"Description"_qs);
    const int apex = grid->tableModel()->record().indexOf(u"Apex"_qs);
    const int apexWidth = grid->columnWidth(apex);
    const auto hintOf = [grid, description](int row) {
        return grid->sizeHintForIndex(grid->model()->index(row, description)).width();
    };
    EXPECT_GE(grid->columnWidth(description), hintOf(0));
    EXPECT_LT(grid->columnWidth(description), hintOf(500));
    EXPECT_EQ(grid->columnWidth(apex), apexWidth); // numbers keep their widths
    // The last column reaches the grid's right edge.
    const int last = grid->model()->columnCount() - 1;
    QHeaderView *header = grid->horizontalHeader();
    EXPECT_EQ(header->sectionViewportPosition(last) + header->sectionSize(last), header->viewport()->width());

    // Scrolled down to the wide text, the columns fit it (up to the
    // limit); a column the user has sized keeps its width.
    QApplication::processEvents(); // the grid lays out its rows
    grid->scrollTo(grid->model()->index(500, description), QAbstractItemView::PositionAtTop);
    ASSERT_GT(grid->rowAt(0), 400);
    grid->fitColumns();
    EXPECT_GE(grid->columnWidth(description), qMin(hintOf(500), kFitMaxWidth));
    header->resizeSection(description, 77); // a drag
    grid->reload();
    EXPECT_EQ(grid->columnWidth(description), 77);
}

TEST_F(GridTest, MultiSelectionAndContinuousEditExcludeEachOther)
{
    auto *page = static_cast<DevicePage *>(window->tabs()->widget(7));
    page->alwaysEditBox()->setChecked(true);
    EXPECT_TRUE(page->grid()->continuousEdit());
    page->multiBox()->setChecked(true);
    EXPECT_FALSE(page->alwaysEditBox()->isChecked());
    EXPECT_FALSE(page->grid()->continuousEdit());
    EXPECT_EQ(page->grid()->selectionMode(), QAbstractItemView::ExtendedSelection);
    page->alwaysEditBox()->setChecked(true);
    EXPECT_FALSE(page->multiBox()->isChecked());
    EXPECT_EQ(page->grid()->selectionMode(), QAbstractItemView::SingleSelection);

    // The pop-up shows the boxes' states and toggles them.
    emit page->popup()->aboutToShow();
    const QList<QAction *> items = page->popup()->actions();
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_FALSE(items[2]->isChecked());
    items[2]->trigger();
    EXPECT_TRUE(page->multiBox()->isChecked());
    EXPECT_FALSE(page->alwaysEditBox()->isChecked());
}

TEST_F(GridTest, ChangingTabDiscardsAPendingStep1Edit)
{
    auto *grid = child<DataGrid>("dbg_ApexMap");
    window->tabs()->setCurrentIndex(0);
    grid->setFocus();
    select(grid, 4, "ComList");
    grid->edit(grid->currentIndex());
    QApplication::processEvents();
    auto *editor = grid->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(u"12"_qs);
    window->tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"SELECT ComList FROM ApexMap WHERE Apex = 4"_qs) && q.next());
    EXPECT_EQ(q.value(0).toString(), QString());

    // An edit that is finished is written at once.
    window->tabs()->setCurrentIndex(0);
    grid->tableModel()->setData(grid->currentIndex(), u"2"_qs);
    ASSERT_TRUE(q.exec(u"SELECT ComList FROM ApexMap WHERE Apex = 4"_qs) && q.next());
    EXPECT_EQ(q.value(0).toString(), u"2"_qs);
    EXPECT_EQ(wb->map.apexComList(4), u"2"_qs);
}

// The step 1 grid stores device instances within BACnet's range only, and
// says why it refused one; the cell shows what the table holds.
TEST_F(GridTest, Step1RefusesInstancesOutsideTheRange)
{
    auto *grid = child<DataGrid>("dbg_ApexMap");
    auto *m = grid->tableModel();
    const QModelIndex devId = m->index(4, m->record().indexOf(u"DevID1"_qs));
    const QModelIndex base = m->index(4, m->record().indexOf(u"BaseAddr2"_qs));
    EXPECT_FALSE(m->setData(devId, u"4194303"_qs));
    EXPECT_FALSE(m->setData(base, u"2147483647"_qs));
    ASSERT_EQ(prompter.errors.size(), 2);
    EXPECT_EQ(prompter.errors[0], u"The change to ApexMap was not saved: DevID1 must be a BACnet device instance from 0 "
                                  "to 4194302, not 4194303."_qs);
    EXPECT_TRUE(prompter.errors[1].contains(u"BaseAddr2 must be from 0 to 4194203"_qs));
    EXPECT_EQ(wb->map.apexDevId(4, 1), 0);
    EXPECT_EQ(wb->map.apexBaseAddr(4, 2), 0);
    EXPECT_TRUE(cell(grid, 4, "DevID1").isNull());
    EXPECT_TRUE(m->setData(devId, u"4194302"_qs));
    EXPECT_EQ(wb->map.apexDevId(4, 1), 4194302);
}

// The step 10 grid keeps one row per devinst: a devinst another device has
// is refused with a message; a new devinst takes the capability row along.
TEST_F(GridTest, Step10RefusesADoubledDevinstAndMovesCapabilities)
{
    exec(u"INSERT INTO tblRepJob (devinst, objname) VALUES (1104, 'a'), (1105, 'b')"_qs);
    exec(u"INSERT INTO tblDevCapabilities (devinst, workstation) VALUES (1104, 1)"_qs);
    auto *page = static_cast<DevicePage *>(window->tabs()->widget(7));
    DataGrid *grid = page->grid();
    grid->reload();
    auto *m = grid->tableModel();
    const int col = m->record().indexOf(u"devinst"_qs);
    ASSERT_EQ(cell(grid, 0, "devinst").toInt(), 1104);
    EXPECT_FALSE(m->setData(m->index(0, col), u"1105"_qs));
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(prompter.errors[0], u"The change to tblRepJob was not saved: Another device already has devinst 1105: "
                                  "each device needs an instance of its own."_qs);
    EXPECT_EQ(cell(grid, 0, "devinst").toInt(), 1104);

    EXPECT_TRUE(m->setData(m->index(0, col), u"1106"_qs));
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"SELECT devinst, workstation FROM tblDevCapabilities"_qs) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 1106);
    EXPECT_EQ(q.value(1).toInt(), 1);
    ASSERT_TRUE(q.exec(u"SELECT COUNT(*) FROM tblRepJob WHERE devinst IN (1105, 1106)"_qs) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
}

TEST_F(GridTest, EmptyDatabaseAsksAndEmptiesBothDeviceTables)
{
    exec(u"INSERT INTO tblRepJob (devinst, devmodel) VALUES (25, 'Envision for BACtalk')"_qs);
    exec(u"INSERT INTO tblDevCapabilities (devinst, workstation) VALUES (25, 1)"_qs);
    auto *page = static_cast<DevicePage *>(window->tabs()->widget(7));
    page->grid()->reload();
    ASSERT_EQ(page->grid()->model()->rowCount(), 1);
    prompter.pushYesNo(false);
    page->emptyDatabase();
    EXPECT_EQ(page->grid()->model()->rowCount(), 1);
    prompter.pushYesNo(true);
    page->emptyDatabase();
    EXPECT_EQ(page->grid()->model()->rowCount(), 0);
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"SELECT COUNT(*) FROM tblDevCapabilities"_qs) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(prompter.asked.value(0), msg::confirmEmptyDeviceDatabase());
}

} // namespace
} // namespace vorlix::test

namespace vorlix::test {
namespace {

TEST(TabListBox, ColumnsStartAtTheirTabStopsUnlessTextIsLonger)
{
    TabListBox box;
    box.setTabStops({100, 220});
    const QList<int> starts = box.columnStarts(u"12\tAV-3\t1200:AV-3"_qs);
    EXPECT_EQ(starts, (QList<int>{0, 100, 220}));
    const QString wide = QString(60, u'W');
    const QList<int> pushed = box.columnStarts(wide + u"\tx"_qs);
    EXPECT_GT(pushed[1], 100); // the long first column pushes the second one on
    EXPECT_EQ(box.columnStarts(u"only"_qs), QList<int>{0});
}

} // namespace
} // namespace vorlix::test
