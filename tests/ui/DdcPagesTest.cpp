// Steps 8 and 9 and step 3's export from their buttons, on the sample job.
#include "tables/CpanelMapPage.h"
#include "common/DataGrid.h"
#include "tables/DdcFilesPage.h"
#include "tables/IbexPointsPage.h"
#include "WindowFixture.h"
#include "support/WorkbenchProject.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace vorlix::test {
namespace {

class DdcPagesTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(m_root.isValid());
        m_paths = openSampleJob(m_root.path());
        // The step 2 reader refreshes the device lists.
        prompter.pushYesNo(true);
        window->cpanelMapPage()->readButton()->click();
        prompter.asked.clear();
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    sample::SampleJobPaths m_paths;

private:
    QTemporaryDir m_root;
};

TEST_F(DdcPagesTest, ScriptButtonsWorkOnTheListedDevices)
{
    DdcFilesPage *page = window->ddcFilesPage();
    QListWidget *list = page->scriptList();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), u"Dev-ID: 1101, Apex: 1, Com: 1"_qs);
    EXPECT_EQ(list->item(3)->text(), u"Dev-ID: 5101, Apex: 5, Com: 1"_qs);
    for (const char *name : {"btn_SaveClipboard", "btn_SaveToFile", "btn_AutoGenerate"})
        EXPECT_TRUE(button(name)->isEnabled()) << name;

    // No selection: the first item's script goes to the clipboard.
    list->setCurrentRow(-1);
    button("btn_SaveClipboard")->click();
    EXPECT_EQ(list->currentRow(), 0);
    const QString clip = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(clip.startsWith(u"  <ddcScript  platform=\"pellum\""_qs)) << clip.left(80).toStdString();
    EXPECT_TRUE(clip.endsWith(u"  </ddcScript>\r\n"_qs));

    // Save to disk, through the save dialog.
    list->setCurrentRow(1);
    const QString file = m_paths.root + u"/apex1com2.dsr"_qs;
    prompter.pushFile(file);
    button("btn_SaveToFile")->click();
    EXPECT_TRUE(readFile(file).contains("function=\"67\""));

    button("btn_AutoGenerate")->click();
    for (const char *dev : {"1101", "1102", "2101", "5101"})
        EXPECT_TRUE(QFile::exists(m_paths.bactalkJob + u"/ddc/Framework-Script-Dev-"_qs + QLatin1String(dev) +
                                  u".dsr"_qs))
            << dev;
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
}

TEST_F(DdcPagesTest, TuxFilesAreListedCopiedAndShownAsExisting)
{
    DdcFilesPage *page = window->ddcFilesPage();
    button("btn_CreateDDCFileList")->click();
    QAbstractItemModel *model = page->tdcGrid()->model();
    ASSERT_EQ(model->rowCount(), 11);
    EXPECT_EQ(model->data(model->index(0, 3)).toString(), QString());
    button("btn_CopyTdcFiles")->click();
    EXPECT_TRUE(prompter.errors.isEmpty());
    for (int r = 0; r < model->rowCount(); ++r)
        EXPECT_EQ(model->data(model->index(r, 3)).toString(), u"yes"_qs) << r;
}

TEST_F(DdcPagesTest, ExportButtonWritesTheChosenApexIntoAPointDatabase)
{
    IbexPointsPage *page = window->ibexPointsPage();
    EXPECT_TRUE(page->exportButton()->isEnabled());
    ASSERT_EQ(page->exportApex()->count(), 3);
    EXPECT_EQ(page->exportApex()->itemText(0), u"Dev-ID: 1100, Apex: 1"_qs);
    const QString target = m_paths.root + u"/points.mdb"_qs;
    prompter.pushFile(target);
    page->exportButton()->click();
    EXPECT_TRUE(QFile::exists(target));
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_TRUE(prompter.informed[0].startsWith(u"Points of Apex 1 exported: "_qs));
}

} // namespace
} // namespace vorlix::test
