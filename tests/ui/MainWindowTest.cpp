// The window's start-up, project commands, menus and settings, driven
// offscreen through the real widgets with scripted answers.
#include "shell/AboutDialog.h"
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "shell/OptionsDialog.h"
#include "shell/ProjectLogPage.h"
#include "shell/StepTabWidget.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationPage.h"
#include "WindowFixture.h"
#include "project/Messages.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vorlix::test {
namespace {

using MainWindowTest = WindowFixture;

TEST_F(MainWindowTest, StartsWithoutADefaultProjectDatabase)
{
    start(); // the application folder holds no vorlix.mdb
    EXPECT_EQ(window->windowTitle(), u" Vorlix"_qs);
    EXPECT_EQ(window->statusPanel(StatusPanel::Source)->text(), u" No project loaded."_qs);
    EXPECT_FALSE(wb->pdb.isOpen());
    EXPECT_TRUE(prompter.errors.isEmpty());
    ASSERT_EQ(window->tabs()->count(), 9);
    EXPECT_EQ(window->tabs()->tabText(1), u"Subroutines && Control Panels"_qs);
    EXPECT_EQ(window->tabs()->tabText(4), u"Display File Scan | Redirection"_qs);
    // Every tab can be shown without a database.
    for (int i = 0; i < window->tabs()->count(); ++i)
        window->tabs()->setCurrentIndex(i);
    EXPECT_EQ(window->tabs()->currentIndex(), 8);
}

TEST_F(MainWindowTest, OpeningAJobWithoutDatabaseCreatesItAndShowsTheDefaultOptions)
{
    seedDefaultProject();
    start();
    const QString job = makeJob();
    prompter.pushFile(QDir(job).filePath(u"MASETUP.DAT"_qs));
    bool seen = false, subcaller = true, overrides = true, general = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<OptionsDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        seen = true;
        subcaller = dialog->pageShown(u"Subcaller Map"_qs);
        overrides = dialog->pageShown(u"User Overrides"_qs);
        general = dialog->pageShown(u"General Settings"_qs);
        dialog->reject();
    });
    window->openProject();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(subcaller);
    EXPECT_FALSE(overrides);
    EXPECT_TRUE(general);
    EXPECT_TRUE(QFile::exists(QDir(job).filePath(u"vorlix.mdb"_qs)));
    EXPECT_TRUE(wb->projectOpen);
    EXPECT_EQ(window->statusPanel(StatusPanel::Source)->text(), u" Source: "_qs + QDir::toNativeSeparators(job) + QDir::separator());
    EXPECT_EQ(window->statusPanel(StatusPanel::Destination)->text(), u" Dest: "_qs);
    EXPECT_EQ(prompter.asked.value(0), msg::selectIbexJobTitle());

    // Opened again, the database exists: no dialog this time.
    window->closeProject();
    EXPECT_EQ(window->statusPanel(StatusPanel::Source)->text(), u" No project loaded."_qs);
    EXPECT_TRUE(window->statusPanel(StatusPanel::Destination)->text().isEmpty());
    prompter.pushFile(QDir(job).filePath(u"MASETUP.DAT"_qs));
    window->openProject();
    EXPECT_TRUE(wb->projectOpen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, CurrentProjectOptionsShowTheExtendedPagesAndCheckPointTexts)
{
    seedDefaultProject();
    start();
    const QString job = makeJob();
    openJob(job);
    ASSERT_TRUE(wb->projectOpen);

    wb->vars.cpanelPlaceHolder = u"AV-32"_qs;
    wb->vars.cpanelStatusBV = u"XV-3"_qs; // stored invalid: red at once, OK disabled
    wb->vars.copyUnits = false;
    OptionsDialog dialog(*wb, window.get());
    dialog.setup(false);
    EXPECT_TRUE(dialog.pageShown(u"Subcaller Map"_qs));
    EXPECT_TRUE(dialog.pageShown(u"User Overrides"_qs));
    auto *placeHolder = dialog.findChild<QLineEdit *>(u"eb_PlaceHolder"_qs);
    auto *statusBV = dialog.findChild<QLineEdit *>(u"eb_CPstatusBV"_qs);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(statusBV->property("inError").toBool());
    EXPECT_EQ(statusBV->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_FALSE(placeHolder->property("inError").toBool());
    statusBV->setText(u"1200:BO-4-P104"_qs);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    placeHolder->clear();
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    placeHolder->setText(u"AV-1-P87[3]"_qs);
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    auto *copyUnits = dialog.findChild<QCheckBox *>(u"cb_copyunits"_qs);
    auto *padUnits = dialog.findChild<QCheckBox *>(u"cb_padunits"_qs);
    EXPECT_FALSE(padUnits->isEnabled());
    copyUnits->setChecked(true);
    EXPECT_TRUE(padUnits->isEnabled());

    dialog.findChild<QLineEdit *>(u"eb_BtPath"_qs)->setText(u"/jobs/bt/"_qs);
    dialog.endSetup();
    EXPECT_EQ(wb->vars.bactalkJobPath, u"/jobs/bt"_qs);
    EXPECT_EQ(window->statusPanel(StatusPanel::Destination)->text(), u" Dest: "_qs + QDir::toNativeSeparators(u"/jobs/bt"_qs));
    // Written to the project database: a reconnect reads it back.
    ProjectVariables reread;
    projectVars(wb->pdb.db(), reread, VarDirection::Read);
    EXPECT_EQ(reread.cpanelStatusBV, u"1200:BO-4-P104"_qs);
    EXPECT_TRUE(reread.copyUnits);
}

TEST_F(MainWindowTest, DefaultAndCurrentProjectAreNeverEnabledTogether)
{
    seedDefaultProject();
    start();
    auto check = [&] {
        emit window->optionsMenu()->aboutToShow();
        EXPECT_NE(window->defaultProjectAction()->isEnabled(), window->currentProjectAction()->isEnabled());
        EXPECT_EQ(window->currentProjectAction()->isEnabled(), wb->projectOpen);
    };
    check();
    const QString job = makeJob();
    openJob(job);
    check();
    window->closeProject();
    check();
    window->openLastProject(); // LastJob is the job: it opens again
    EXPECT_TRUE(wb->projectOpen);
    check();
}

TEST_F(MainWindowTest, MenuCommandsAreFoundByWhatTheyDo)
{
    seedDefaultProject();
    start();
    struct Entry {
        const char *menu;
        const char *action;
        QString caption;
    };
    const Entry entries[] = {
        {"menuFile", "actOpenProject", u"Open or create new project"_qs},
        {"menuFile", "actOpenLastProject", u"Open last project"_qs},
        {"menuFile", "actCloseProject", u"Close project"_qs},
        {"menuFile", "actExit", u"Exit"_qs},
        {"menuOptions", "actDefaultProject", u"Default project"_qs},
        {"menuOptions", "actCurrentProject", u"Current project"_qs},
        {"menuOptions", "actProgramOptions", u"Vorlix Setup"_qs},
        {"menuHelp", "actUserManual", u"User Manual"_qs},
        {"menuHelp", "actAbout", u"About"_qs},
    };
    for (const Entry &e : entries) {
        auto *menu = child<QMenu>(e.menu);
        ASSERT_NE(menu, nullptr) << e.menu;
        auto *action = menu->findChild<QAction *>(QLatin1String(e.action));
        ASSERT_NE(action, nullptr) << e.action;
        EXPECT_EQ(action->text(), e.caption);
        EXPECT_TRUE(menu->actions().contains(action)) << e.action;
    }
    EXPECT_EQ(child<QMenu>("menuOptions"), window->optionsMenu());
    EXPECT_EQ(child<QAction>("actDefaultProject"), window->defaultProjectAction());
    EXPECT_EQ(child<QAction>("actCurrentProject"), window->currentProjectAction());
    EXPECT_EQ(child<StepTabWidget>("stepTabs"), window->tabs());

    // Triggered, they run their commands.
    const QString job = makeJob();
    openJob(job);
    ASSERT_TRUE(wb->projectOpen);
    child<QAction>("actCloseProject")->trigger();
    EXPECT_FALSE(wb->projectOpen);
    child<QAction>("actOpenLastProject")->trigger();
    EXPECT_TRUE(wb->projectOpen);
}

TEST_F(MainWindowTest, ExitWithUnsavedGridEditsAsksAndNoChangesNothing)
{
    seedDefaultProject();
    start();
    const QString job = makeJob();
    openJob(job);
    ASSERT_TRUE(wb->projectOpen);
    wb->gridEdited = true;
    const QString folder = wb->projectFolder;
    prompter.asked.clear();
    prompter.pushYesNo(false);
    window->exitProgram();
    EXPECT_EQ(prompter.asked, QStringList{msg::canCloseProject()});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(wb->projectOpen);
    EXPECT_TRUE(wb->gridEdited);
    EXPECT_EQ(wb->projectFolder, folder);
    EXPECT_TRUE(wb->pdb.isOpen());

    // "Open last project" is cancelled the same way.
    prompter.pushYesNo(false);
    window->openLastProject();
    EXPECT_TRUE(wb->gridEdited);
    EXPECT_EQ(wb->projectFolder, folder);

    // Yes closes the project, then the window.
    prompter.pushYesNo(true);
    window->exitProgram();
    EXPECT_FALSE(wb->projectOpen);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, TitleBarCloseSavesTheLogIntoTheOpenProject)
{
    seedDefaultProject();
    start();
    const QString job = makeJob();
    openJob(job);
    // The user's own words in the memo are kept too.
    auto *memo = window->logPage()->memo();
    memo->appendPlainText(u"checked trunk 2 by hand"_qs);
    window->close();
    QFile log(QDir(job).filePath(u"vorlix.log"_qs));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("]: Opened project: "));
    EXPECT_TRUE(text.endsWith("checked trunk 2 by hand\r\n"));
    EXPECT_TRUE(QFile::exists(QDir(appDir).filePath(u"vorlix.ini"_qs)));
}

TEST_F(MainWindowTest, ADamagedProjectDatabaseIsReportedAndLeftAsItIs)
{
    seedDefaultProject();
    start();
    const QString job = makeJob();
    QFile damaged(QDir(job).filePath(u"vorlix.mdb"_qs));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Standard Jet DB, but not really");
    damaged.close();
    openJob(job);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].contains(QDir::toNativeSeparators(damaged.fileName())));
    EXPECT_FALSE(wb->projectOpen);
    EXPECT_EQ(window->statusPanel(StatusPanel::Source)->text(), u" No project loaded."_qs);
    EXPECT_EQ(child<DataGrid>("dbg_ApexMap")->model()->rowCount(), 32); // the default project again
    ASSERT_TRUE(damaged.open(QIODevice::ReadOnly));
    EXPECT_EQ(damaged.readAll(), QByteArray("Standard Jet DB, but not really"));
}

TEST_F(MainWindowTest, ClearLogEmptiesTheMemoAndTheSavedLog)
{
    seedDefaultProject();
    QFile old(QDir(appDir).filePath(u"vorlix.log"_qs));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[1/2/26 10:00:00]: Scanning Apex DDC files\r\n");
    old.close();
    start();
    auto *memo = window->logPage()->memo();
    EXPECT_TRUE(memo->toPlainText().contains(u"Scanning Apex DDC files"_qs));
    window->logPage()->findChild<QPushButton *>(u"btn_Clear"_qs)->click();
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    stop();
    EXPECT_EQ(QFileInfo(QDir(appDir).filePath(u"vorlix.log"_qs)).size(), 0);
}

TEST_F(MainWindowTest, ColumnWidthsAndVisibilitySurviveARestart)
{
    seedDefaultProject();
    start();
    DataGrid *devices = child<DataGrid>("dbg_Devices");
    ASSERT_NE(devices, nullptr);
    ASSERT_NE(devices->tableModel(), nullptr);
    devices->setColumnState(3, 140, true);
    devices->setColumnState(5, 77, true);
    auto *trans = child<TranslationGrid>("TransGrid");
    trans->setColumnWidth(3, 210);
    restart();
    devices = child<DataGrid>("dbg_Devices");
    EXPECT_EQ(devices->columnWidthOf(3), 140);
    EXPECT_EQ(devices->columnWidthOf(5), 77);
    EXPECT_EQ(child<TranslationGrid>("TransGrid")->columnWidth(3), 210);
    // A hidden column keeps the width it was read with.
    devices->setColumnState(5, 30, false);
    restart();
    devices = child<DataGrid>("dbg_Devices");
    EXPECT_FALSE(devices->columnVisibleOf(5));
    EXPECT_EQ(devices->columnWidthOf(5), 77);
    EXPECT_TRUE(devices->columnVisibleOf(46));
    wb->settings.read(wb->iniPath());
    EXPECT_FALSE(wb->settings.deviceColVisible[5]);
}

TEST_F(MainWindowTest, AboutBoxShowsVersionAndBuild)
{
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), u"About Vorlix"_qs);
    EXPECT_EQ(about.findChild<QLabel *>(u"lbl_Version"_qs)->text(),
              u"Version: "_qs + QStringLiteral(VORLIX_VERSION).section(u'.', 0, 2));
    EXPECT_EQ(about.findChild<QLabel *>(u"lbl_Build"_qs)->text(),
              u"Build: "_qs + QStringLiteral(VORLIX_VERSION).section(u'.', 3, 3));
    EXPECT_FALSE(QStringLiteral(VORLIX_VERSION).section(u'.', 3, 3).isEmpty());
}

} // namespace
} // namespace vorlix::test
