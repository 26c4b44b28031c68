// Steps 5 and 6 in the window on the sample job: the list reloaded as the
// project opens, both trees, the redirect grids, "Build File List", the
// tree's pop-up menu and the redirect dialog.
#include "WindowFixture.h"

#include "inventory/DisplayScanPage.h"
#include "inventory/InventoryTreeModel.h"
#include "inventory/RedirectDialog.h"
#include "common/StringGrid.h"
#include "translation/TranslationPage.h"

#include <QLineEdit>
#include <QMenu>
#include <QProcess>
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
    EXPECT_EQ(redirected.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(200, 0, 0));
    EXPECT_EQ(find(rd, u"disp0009.ibw"_qs).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 0, 200));
    EXPECT_FALSE(find(rd, u"disp0001.ibw"_qs).data(Qt::ForegroundRole).isValid());
    // Pushbutton children, with the local-job prefix.
    EXPECT_TRUE(find(rd, u"localjob:disp0010.ibw"_qs, find(rd, u"disp0001.ibw"_qs)).isValid());
    EXPECT_EQ(page()->jobGrid()->item(0, 1)->text(), u"disp0003.ibw"_qs);
    EXPECT_EQ(page()->jobGrid()->item(0, 2)->text(), u"acme-plaza-00000003.dsp"_qs);
    EXPECT_TRUE(page()->editButton(false)->isEnabled());
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

TEST_F(DisplayScanPageTest, RedirectFromTheTreeThroughTheDialogAndClearItsFlags)
{
    const QString job = sampleJob();
    start();
    openJob(job);
    const InventoryTreeModel *rd = page()->treeModel();
    page()->tree()->setCurrentIndex(find(rd, u"disp0002.ibw"_qs));
    // The dialog's own buttons: a mixed-case target, OK.
    page()->runRedirectDialog = [this](RedirectGrid &grid, int index) {
        RedirectDialog dialog(*wb, window.get());
        EXPECT_EQ(dialog.setup(grid, index), 0);
        EXPECT_FALSE(dialog.removeButton()->isEnabled());
        dialog.repEdit()->setText(u"ACME"_qs);
        dialog.jobEdit()->setText(u"Plaza"_qs);
        dialog.fileEdit()->setText(u"00000002.dsp"_qs);
        dialog.okay();
        return dialog.result();
    };
    page()->redirectSelectedNode();
    EXPECT_EQ(page()->jobGrid()->item(1, 1)->text(), u"disp0002.ibw"_qs);
    EXPECT_EQ(page()->jobGrid()->item(1, 2)->text(), u"acme-plaza-00000002.dsp"_qs);
    const int index = wb->masterList.indexOf(u"disp0002.ibw"_qs);
    EXPECT_TRUE(wb->masterList.isRedirected(index));
    EXPECT_EQ(find(rd, u"disp0002.ibw"_qs).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(200, 0, 0));

    page()->clearSelectedNodeFlags();
    EXPECT_FALSE(wb->masterList.isRedirected(index));
    EXPECT_EQ(page()->jobGrid()->item(1, 1)->text(), QString());

    // "Build File List" scans again and keeps the remaining redirect.
    page()->buildButton()->click();
    EXPECT_TRUE(wb->masterList.isRedirected(wb->masterList.indexOf(u"disp0003.ibw"_qs)));
    EXPECT_FALSE(page()->buildButton()->isHidden());
}

} // namespace
} // namespace vorlix::test
