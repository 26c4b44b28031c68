// Project options, program options, the step 5 spin edits and the table
// generations, through the window's dialogs and pages.
#include "tables/CpanelMapPage.h"
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "inventory/DisplayScanPage.h"
#include "shell/OptionsDialog.h"
#include "shell/ProgramOptionsDialog.h"
#include "common/ProjectTableModel.h"
#include "common/SpinEdit.h"
#include "shell/StepTabWidget.h"
#include "shell/VisualStyle.h"
#include "WindowFixture.h"
#include "project/VisualStyles.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace vorlix::test {
namespace {

class ProjectSettingsTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        seedDefaultProject();
        start();
    }
    // Opens a new job; `inspect` sees its options dialog and closes it.
    void openNewJob(const QString &job, std::function<void(OptionsDialog *)> inspect)
    {
        onNextModal([inspect](QWidget *modal) {
            auto *dialog = qobject_cast<OptionsDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            inspect(dialog);
        });
        prompter.pushFile(QDir(job).filePath(u"MASETUP.DAT"_qs));
        window->openProject();
    }
};

TEST_F(ProjectSettingsTest, ANewProjectsOptionsCanBeConfirmedAndBrowseSetsTheBactalkFolder)
{
    const QString job = makeJob();
    const QString bactalk = QDir(job).filePath(u"../bactalk/acme/plaza"_qs);
    QDir().mkpath(bactalk);
    QFile mdb(QDir(bactalk).filePath(u"BACtalk.mdb"_qs));
    ASSERT_TRUE(mdb.open(QIODevice::WriteOnly));
    mdb.close();
    openNewJob(job, [&](OptionsDialog *dialog) {
        EXPECT_TRUE(dialog->okButton()->isEnabled()); // the default project's point texts are valid
        prompter.pushFile(QDir::toNativeSeparators(QFileInfo(mdb).absoluteFilePath()));
        auto *browse = dialog->findChild<QToolButton *>(u"sb_BtPath"_qs);
        ASSERT_NE(browse, nullptr);
        browse->click();
        const QString shown = dialog->findChild<QLineEdit *>(u"eb_BtPath"_qs)->text();
        EXPECT_TRUE(shown.endsWith(QDir::separator()));
        dialog->okButton()->click();
    });
    EXPECT_EQ(wb->settings.bactalkProject, QDir::toNativeSeparators(QFileInfo(mdb).absoluteFilePath()));
    EXPECT_EQ(QDir::fromNativeSeparators(wb->vars.bactalkJobPath), QFileInfo(bactalk).absoluteFilePath());
    EXPECT_EQ(window->statusPanel(StatusPanel::Destination)->text(), u" Dest: "_qs + wb->vars.bactalkJobPath);
    // The project database holds it.
    window->closeProject();
    EXPECT_TRUE(wb->vars.bactalkJobPath.isEmpty());
    window->openLastProject();
    EXPECT_EQ(QDir::fromNativeSeparators(wb->vars.bactalkJobPath), QFileInfo(bactalk).absoluteFilePath());
}

// The options that open by themselves for a new job say why they appear,
// and OK with a BACtalk job root folder that is empty or not on disk asks
// first: No keeps the dialog open, Yes keeps what was typed.
TEST_F(ProjectSettingsTest, TheFirstOpenSaysWhyAndWarnsBeforeKeepingAMissingBactalkFolder)
{
    const QString job = makeJob();
    const QString missing = QDir::toNativeSeparators(QDir(job).filePath(u"../nowhere/plaza"_qs));
    bool stayedOpen = false;
    openNewJob(job, [&](OptionsDialog *dialog) {
        // A failed check must not leave the dialog waiting for a click.
        const auto closeAnyway = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
        auto *note = dialog->findChild<QLabel *>(u"lbl_FirstOpen"_qs);
        ASSERT_NE(note, nullptr);
        EXPECT_FALSE(note->isHidden());
        EXPECT_TRUE(note->text().contains(u"no project database yet"_qs));
        auto *path = dialog->findChild<QLineEdit *>(u"eb_BtPath"_qs);
        path->clear();
        const qsizetype before = prompter.warned.size();
        prompter.pushYesNo(false);
        dialog->okButton()->click();
        stayedOpen = dialog->isVisible() && dialog->result() != QDialog::Accepted;
        ASSERT_EQ(prompter.warned.size(), before + 1);
        EXPECT_TRUE(prompter.warned.last().contains(u"root folder is empty"_qs));
        path->setText(missing);
        prompter.pushYesNo(true);
        dialog->okButton()->click();
        ASSERT_EQ(prompter.warned.size(), before + 2);
        EXPECT_TRUE(prompter.warned.last().contains(u"does not exist"_qs));
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(wb->vars.bactalkJobPath, missing);
    // Opened from the menu, the options carry no such note.
    OptionsDialog later(*wb, window.get());
    later.setup(false);
    EXPECT_TRUE(later.findChild<QLabel *>(u"lbl_FirstOpen"_qs)->isHidden());
}

TEST_F(ProjectSettingsTest, OptionsShowTheirGroupsAndKeepRadioAndNumberingValues)
{
    wb->vars.copyFont = 1;
    wb->vars.copyColors = 3;
    wb->vars.localJobCTXDNum = 1234;
    OptionsDialog dialog(*wb, window.get());
    dialog.setup(true);

    QStringList titles;
    for (const QGroupBox *box : dialog.pages()->widget(0)->findChildren<QGroupBox *>())
        titles << box->title();
    EXPECT_EQ(titles, (QStringList{u"Job Folder display numbering"_qs, u"LocalJob display numbering"_qs,
                                   u"Font Properties"_qs, u"Display Object copy options"_qs,
                                   u"Object Color Conversions"_qs, u"Ibex Point Conversions"_qs,
                                   u"Ibex Control Panel Conversions"_qs}));

    // The radio buttons' ids are the stored values.
    auto *fonts = dialog.findChild<QButtonGroup *>(u"rg_copyfont"_qs);
    auto *colours = dialog.findChild<QButtonGroup *>(u"rg_ObjColors"_qs);
    ASSERT_NE(fonts, nullptr);
    ASSERT_NE(colours, nullptr);
    EXPECT_EQ(fonts->checkedId(), 1);
    EXPECT_EQ(colours->checkedId(), 3);
    ASSERT_NE(colours->button(0), nullptr);
    EXPECT_EQ(colours->button(0)->text(), u"Do nothing"_qs);
    ASSERT_NE(fonts->button(0), nullptr);
    ASSERT_NE(colours->button(2), nullptr);
    EXPECT_EQ(colours->button(2)->text(), u"Use Black for Active,Inactive and NULL colors."_qs);

    auto *ctxd = dialog.findChild<SpinEdit *>(u"se_LclCTXDnum"_qs);
    ASSERT_NE(ctxd, nullptr);
    EXPECT_EQ(ctxd->value(), 1234);
    EXPECT_EQ(ctxd->maximum(), 9999);
    EXPECT_EQ(ctxd->maxLength(), 4);

    fonts->button(0)->click();
    colours->button(2)->click();
    ctxd->setValue(77);
    dialog.endSetup();
    EXPECT_EQ(wb->vars.copyFont, 0);
    EXPECT_EQ(wb->vars.copyColors, 2);
    EXPECT_EQ(wb->vars.localJobCTXDNum, 77);
}

TEST_F(ProjectSettingsTest, TablePagesWriteAtOnce)
{
    OptionsDialog dialog(*wb, window.get());
    dialog.setup(true);
    auto *view = dialog.findChild<QTableView *>(u"DisplayMapGrid"_qs);
    ASSERT_NE(view, nullptr);
    auto *model = qobject_cast<QSqlTableModel *>(view->model());
    ASSERT_NE(model, nullptr);
    QSqlRecord row = model->record();
    row.setValue(u"IbexFilename"_qs, u"disp0012.ibw"_qs);
    row.setValue(u"EFBFilename"_qs, u"00000040.dsp"_qs);
    ASSERT_TRUE(model->insertRecord(-1, row));
    dialog.reject(); // Cancel does not take it back
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"SELECT EFBFilename FROM DisplayMap WHERE IbexFilename = 'disp0012.ibw'"_qs) && q.next());
    EXPECT_EQ(q.value(0).toString(), u"00000040.dsp"_qs);
}

TEST_F(ProjectSettingsTest, ProgramOptionsChangeTheStyleAndTheStandards)
{
    ASSERT_EQ(appliedVisualStyle(), 13);
    onNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<ProgramOptionsDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), u" Vorlix Program Options"_qs);
        EXPECT_EQ(dialog->styleBox()->count(), 15);
        EXPECT_EQ(dialog->styleBox()->currentText(), u"Slate Classico"_qs);
        EXPECT_EQ(dialog->edit("eb_LedOff")->text(), u"aler0000"_qs);
        EXPECT_EQ(dialog->edit("eb_AlerRep")->maxLength(), 8);
        dialog->styleBox()->setCurrentIndex(11);
        dialog->edit("eb_AlerRep")->setText(u"acme"_qs);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    window->showProgramOptions();
    EXPECT_EQ(wb->settings.visualStyle, 11);
    EXPECT_EQ(appliedVisualStyle(), 11);
    EXPECT_EQ(wb->settings.alerRep, u"acme"_qs);
    EXPECT_EQ(QApplication::palette().color(QPalette::Base), QColor::fromRgb(visualStyle(11).colours.base));
    restart(); // written when the window closed
    EXPECT_EQ(wb->settings.alerRep, u"acme"_qs);
    EXPECT_EQ(wb->settings.visualStyle, 11);
    applyVisualStyle(13);
}

TEST_F(ProjectSettingsTest, SpinEditsShowNearestBoundsAndStoreTheProjectVariables)
{
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"UPDATE Vorlix SET IntVal = 0 WHERE VarName = 'ScanDepth'"_qs));
    ASSERT_TRUE(q.exec(u"UPDATE Vorlix SET IntVal = 12 WHERE VarName = 'StartingDisplay'"_qs));
    restart();
    auto *page = window->displayScanPage();
    EXPECT_EQ(page->scanDepth()->value(), 5);
    EXPECT_EQ(page->startingDisplay()->value(), 12);
    auto stored = [&](const char *name) {
        QSqlQuery r(wb->pdb.db());
        r.exec(QStringLiteral("SELECT IntVal FROM Vorlix WHERE VarName = '%1'").arg(QLatin1String(name)));
        return r.next() ? r.value(0).toInt() : -1;
    };
    EXPECT_EQ(stored("ScanDepth"), 5);
    page->scanDepth()->setValue(25); // above the range: 20
    EXPECT_EQ(stored("ScanDepth"), 20);
    page->startingDisplay()->setValue(40);
    EXPECT_EQ(stored("StartingDisplay"), 40);
    EXPECT_EQ(wb->vars.startingDisplay, 40);
}

TEST_F(ProjectSettingsTest, ExpandedModeShowsOnlyForGeneration14Databases)
{
    const QString oldJob = makeJob(u"old"_qs);
    openJob(oldJob);
    {
        QSqlQuery q(wb->pdb.db());
        ASSERT_TRUE(q.exec(u"UPDATE Vorlix SET FloatVal = 12.6 WHERE VarName = 'DatabaseVersion'"_qs));
    }
    const QString newJob = makeJob(u"new"_qs);
    openJob(newJob);
    auto *grid = window->cpanelMapPage()->grid();
    auto expandedShown = [&] {
        const int c = grid->tableModel()->record().indexOf(u"ExpandedMode"_qs);
        return c >= 0 && !grid->isColumnHidden(c);
    };
    EXPECT_TRUE(expandedShown());
    openJob(oldJob);
    EXPECT_FALSE(wb->pdb.expandedModeAvailable());
    EXPECT_FALSE(expandedShown());
    openJob(newJob);
    EXPECT_TRUE(expandedShown());
}

TEST_F(ProjectSettingsTest, DevModelCellsOfferTheModelList)
{
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"INSERT INTO tblRepJob (devinst, devmodel) VALUES (1101, 'TX-SA')"_qs));
    auto *page = window->devicePage();
    auto *grid = page->grid();
    grid->reload();
    window->tabs()->setCurrentIndex(7);
    const int c = grid->tableModel()->record().indexOf(u"devmodel"_qs);
    grid->setCurrentIndex(grid->model()->index(0, c));
    grid->edit(grid->currentIndex());
    auto *combo = grid->findChild<QComboBox *>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 46);
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->currentText(), u"TX-SA"_qs);
    combo->setEditText(u"Custom gateway"_qs); // any other text may be typed
    grid->setCurrentIndex(grid->model()->index(0, 0));
    ASSERT_TRUE(q.exec(u"SELECT devmodel FROM tblRepJob WHERE devinst = 1101"_qs) && q.next());
    EXPECT_EQ(q.value(0).toString(), u"Custom gateway"_qs);
}

} // namespace
} // namespace vorlix::test
