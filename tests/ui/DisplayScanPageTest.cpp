// Steps 5 and 6 in the window on the sample job: the list reloaded as the
// project opens, both trees, the redirect lists, "Build File List", the
// tree's pop-up menu and the redirect dialog.
#include "WindowFixture.h"

#include "inventory/DisplayScanPage.h"
#include "inventory/InventoryTreeModel.h"
#include "inventory/RedirectDialog.h"
#include "inventory/RedirectView.h"
#include "inventory/TreeLegend.h"
#include "shell/VisualStyle.h"
#include "translation/TranslationPage.h"

#include <QKeyEvent>
#include <QBrush>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSqlQuery>
#include <QPushButton>
#include <QTreeView>

namespace vorlix::test {
namespace {

class DisplayScanPageTest : public WindowFixture {
protected:
    // The sample job with its control panels read, scanned and one display
    // redirected, by the command line.
    QString sampleJob()
    {
        seedDefaultProject();
        const QString site = QDir(appDir).filePath(u"../site"_qs);
        cli({u"sample-job"_qs, site});
        const QString job = QDir::cleanPath(site + u"/job"_qs);
        cli({u"--yes"_qs, u"read-ddc"_qs, job});
        cli({u"scan"_qs, job});
        cli({u"redirect"_qs, job, u"disp0003.ibw"_qs, u"--to"_qs, u"acme-plaza-00000003.dsp"_qs});
        return job;
    }
    void cli(QStringList args)
    {
        QProcess p;
        p.start(QStringLiteral(VORLIX_BIN_DIR) + u"/vorlix-cli"_qs, QStringList{u"--app-dir"_qs, appDir} + args);
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    }
    DisplayScanPage *page() const { return window->displayScanPage(); }
    // The text of a cell of the job's (or the local job's) redirect list.
    QString cell(int row, int column, bool localJob = false) const
    {
        const RedirectView *view = localJob ? page()->localJobGrid() : page()->jobGrid();
        return view->model()->index(row, column).data().toString();
    }
    // The display node with that text; with `parent`, that node's child.
    QModelIndex find(const InventoryTreeModel *m, const QString &text, const QModelIndex &parent = {}) const
    {
        if (parent.isValid()) {
            for (int r = 0; r < m->rowCount(parent); ++r)
                if (m->index(r, 0, parent).data().toString() == text)
                    return m->index(r, 0, parent);
            return {};
        }
        std::function<QModelIndex(const QModelIndex &)> walk = [&](const QModelIndex &under) -> QModelIndex {
            for (int r = 0; r < m->rowCount(under); ++r) {
                const QModelIndex i = m->index(r, 0, under);
                if (i.data(InventoryTreeModel::LevelRole).toInt() == 3) {
                    if (i.data().toString() == text)
                        return i;
                } else if (const QModelIndex deeper = walk(i); deeper.isValid()) {
                    return deeper;
                }
            }
            return {};
        };
        return walk({});
    }
};

TEST_F(DisplayScanPageTest, OpeningTheSampleShowsTreesAndGridsFromTheSavedList)
{
    const QString job = sampleJob();
    start();
    openJob(job);
    const InventoryTreeModel *rd = page()->treeModel();
    const QModelIndex redirected = find(rd, u"disp0003.ibw"_qs);
    ASSERT_TRUE(redirected.isValid());
    EXPECT_EQ(redirected.data(InventoryTreeModel::LevelRole).toInt(), 3);
    EXPECT_EQ(redirected.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_EQ(find(rd, u"disp0009.ibw"_qs).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));
    EXPECT_FALSE(find(rd, u"disp0001.ibw"_qs).data(Qt::ForegroundRole).isValid());
    // Pushbutton children, with the local-job prefix.
    EXPECT_TRUE(find(rd, u"localjob:disp0010.ibw"_qs, find(rd, u"disp0001.ibw"_qs)).isValid());
    const QAbstractItemModel *grid = page()->jobGrid()->model();
    ASSERT_EQ(grid->rowCount(), 1);
    const QStringList titles{QString(), u"Ibex FileName"_qs, u"EFB FileName"_qs, u"Skip Flag"_qs, u"File Exists"_qs,
                             u"Warning"_qs, QString()};
    for (int c = 0; c < titles.size(); ++c)
        EXPECT_EQ(grid->headerData(c, Qt::Horizontal).toString(), titles[c]);
    EXPECT_EQ(cell(0, 0), u"File.1"_qs);
    EXPECT_EQ(cell(0, 1), u"disp0003.ibw"_qs);
    EXPECT_EQ(cell(0, 2), u"acme-plaza-00000003.dsp"_qs);
    EXPECT_EQ(cell(0, 3), QString());
    EXPECT_EQ(page()->jobGrid()->selectedRow(), 0);
    EXPECT_TRUE(page()->editButton(false)->isEnabled());
    EXPECT_EQ(page()->localJobGrid()->model()->rowCount(), 0);
    EXPECT_FALSE(page()->editButton(true)->isEnabled());
    // The display tree of step 7 shows the same list.
    EXPECT_TRUE(find(window->translationPage()->displayTreeModel(), u"disp0009.ibw"_qs).isValid());

    // The pop-up menu follows the selected node; keyboard navigation moves it.
    page()->tree()->setCurrentIndex(redirected);
    std::unique_ptr<QMenu> menu(page()->makeTreeMenu());
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    EXPECT_TRUE(menu->actions()[1]->isEnabled());
    EXPECT_TRUE(page()->addButton(false)->isEnabled());
    EXPECT_FALSE(page()->addButton(true)->isEnabled());
    page()->tree()->setCurrentIndex(rd->rootIndex());
    menu.reset(page()->makeTreeMenu());
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
}

TEST_F(DisplayScanPageTest, MissingDisplaysAreMarkedAndTheColoursReadableInEveryStyle)
{
    const QString job = sampleJob();
    start();
    openJob(job);
    // disp0006 has a button to disp0042, which the job does not have.
    for (const InventoryTreeModel *m : {page()->treeModel(), window->translationPage()->displayTreeModel()}) {
        const QModelIndex missing = find(m, u"disp0042.ibw"_qs);
        ASSERT_TRUE(missing.isValid());
        EXPECT_TRUE(missing.data(Qt::FontRole).value<QFont>().italic());
        EXPECT_FALSE(missing.data(Qt::ToolTipRole).toString().isEmpty());
        EXPECT_FALSE(find(m, u"disp0006.ibw"_qs).data(Qt::FontRole).isValid());
    }
    const QModelIndex link = find(page()->treeModel(), u"disp0042.ibw"_qs, find(page()->treeModel(), u"disp0006.ibw"_qs));
    ASSERT_TRUE(link.isValid());
    EXPECT_TRUE(link.data(Qt::FontRole).value<QFont>().italic());

    // Each tree has its key, which names the colours the tree uses.
    const QList<TreeLegend *> legends = window->findChildren<TreeLegend *>();
    ASSERT_EQ(legends.size(), 2);
    for (const TreeLegend *legend : legends)
        EXPECT_TRUE(legend->texts().contains(u"redirected or skipped"_qs));
    const InventoryTreeModel *rd = page()->treeModel();
    const QModelIndex redirected = find(rd, u"disp0003.ibw"_qs);
    const QModelIndex unscanned = find(rd, u"disp0009.ibw"_qs);
    for (int style = 0; style < 15; ++style) {
        SCOPED_TRACE(style);
        applyVisualStyle(style);
        QApplication::processEvents();
        const QColor base = page()->tree()->palette().color(QPalette::Base);
        const QColor red = redirected.data(Qt::ForegroundRole).value<QBrush>().color();
        const QColor blue = unscanned.data(Qt::ForegroundRole).value<QBrush>().color();
        const QColor grey = find(rd, u"disp0042.ibw"_qs).data(Qt::ForegroundRole).value<QBrush>().color();
        EXPECT_GE(contrastRatio(red, base), 3.0) << red.name().toStdString() << " on " << base.name().toStdString();
        EXPECT_GE(contrastRatio(blue, base), 3.0) << blue.name().toStdString() << " on " << base.name().toStdString();
        EXPECT_GE(contrastRatio(grey, base), 3.0) << grey.name().toStdString() << " on " << base.name().toStdString();
        EXPECT_EQ(legends[0]->colourOf(u"redirected or skipped"_qs), red);
        EXPECT_EQ(legends[0]->colourOf(u"not reached by the scan"_qs), blue);
    }
    applyVisualStyle(wb->settings.visualStyle);
}

TEST_F(DisplayScanPageTest, RedirectFromTheTreeThroughTheDialogAndClearItsFlags)
{
    const QString job = sampleJob();
    start();
    openJob(job);
    const InventoryTreeModel *rd = page()->treeModel();
    page()->tree()->setCurrentIndex(find(rd, u"disp0002.ibw"_qs));
    // The dialog's own buttons: a failed check keeps it open with the reason
    // shown; then a mixed-case target, OK.
    page()->runRedirectDialog = [this](const RedirectEdit &edit, RedirectList &list) {
        RedirectDialog dialog(*wb, window->runner(), edit, list, window.get());
        EXPECT_FALSE(dialog.removeButton()->isEnabled());
        dialog.repEdit()->setText(u"ACME"_qs);
        dialog.okay();
        EXPECT_EQ(prompter.informed.last(), u"Specify both a rep and a job!"_qs);
        EXPECT_EQ(dialog.result(), 0); // still open
        dialog.jobEdit()->setText(u"Plaza"_qs);
        dialog.fileEdit()->setText(u"00000002.dsp"_qs);
        dialog.okay();
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
        return dialog.choice();
    };
    page()->redirectSelectedNode();
    ASSERT_EQ(page()->jobGrid()->model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), u"File.2"_qs);
    EXPECT_EQ(cell(1, 1), u"disp0002.ibw"_qs);
    EXPECT_EQ(cell(1, 2), u"acme-plaza-00000002.dsp"_qs);
    EXPECT_EQ(page()->jobGrid()->selectedRow(), 1);
    const int index = wb->masterList.indexOf(u"disp0002.ibw"_qs);
    EXPECT_TRUE(wb->masterList.isRedirected(index));
    EXPECT_EQ(find(rd, u"disp0002.ibw"_qs).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_EQ(wb->log.lines().filter(u"Add/edit button/display redirection entry: disp0002.ibw"_qs).size(), 1);

    page()->clearSelectedNodeFlags();
    EXPECT_FALSE(wb->masterList.isRedirected(index));
    EXPECT_EQ(page()->jobGrid()->model()->rowCount(), 1);

    // "Build File List" scans again and keeps the remaining redirect.
    page()->buildButton()->click();
    EXPECT_TRUE(wb->masterList.isRedirected(wb->masterList.indexOf(u"disp0003.ibw"_qs)));
    EXPECT_FALSE(page()->buildButton()->isHidden());
}

TEST_F(DisplayScanPageTest, EnterEditsTheSelectedEntryAndRemoveOfAHandDeletedRowEndsAsCancel)
{
    const QString job = sampleJob();
    start();
    openJob(job);
    // Enter on the selected entry opens the dialog on it, filled from the stored target.
    int opened = 0;
    page()->runRedirectDialog = [&](const RedirectEdit &edit, RedirectList &list) {
        ++opened;
        RedirectDialog dialog(*wb, window->runner(), edit, list, window.get());
        EXPECT_TRUE(dialog.removeButton()->isEnabled());
        EXPECT_EQ(dialog.repEdit()->text(), u"acme"_qs);
        EXPECT_EQ(dialog.jobEdit()->text(), u"plaza"_qs);
        EXPECT_EQ(dialog.fileEdit()->text(), u"00000003.dsp"_qs);
        // The DisplayMap row went by hand: Remove tells so and ends as Cancel.
        QSqlQuery(wb->pdb.db()).exec(u"DELETE FROM DisplayMap"_qs);
        dialog.removeRedirection();
        EXPECT_EQ(dialog.choice(), RedirectChoice::Cancel);
        return dialog.choice();
    };
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(page()->jobGrid(), &enter);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(prompter.informed.last(), u"Error in locating the redirect entry. You may need to manually delete it "
                                         "from the \"displaymap\" database table!"_qs);
    EXPECT_FALSE(wb->masterList.isRedirected(wb->masterList.indexOf(u"disp0003.ibw"_qs)));
    EXPECT_EQ(wb->log.lines().filter(u"Removed button/display"_qs).size(), 0);
    EXPECT_EQ(page()->jobGrid()->model()->rowCount(), 1); // until the next rebuild
}

} // namespace
} // namespace vorlix::test
