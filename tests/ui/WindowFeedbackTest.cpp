// What the window says and where it leads, on the sample job: no command
// runs in the middle of a scan, the status bar states what each command did
// (with the rows the database refused), the file dialogs start in the job's
// folders with their suffixes, and the questions are the boxes they should be.
#include "WindowFixture.h"

#include "commands/RedirectCommands.h"
#include "commands/TranslateCommands.h"
#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "devices/FieldFormatDialog.h"
#include "devices/MergeTypeDialog.h"
#include "inventory/DisplayScanPage.h"
#include "inventory/InventoryTreeModel.h"
#include "inventory/RedirectDialog.h"
#include "project/Messages.h"
#include "shell/ProjectLogPage.h"
#include "shell/StepTabWidget.h"
#include "support/DeviceDestination.h"
#include "tables/CpanelMapPage.h"
#include "tables/DdcFilesPage.h"
#include "tables/IbexPointsPage.h"
#include "util/FileFilter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QToolButton>
#include <QTreeView>

namespace vorlix::test {
namespace {

using FileDialog = ScriptedPrompter::FileDialog;

class WindowFeedbackTest : public SampleTranslationFixture {
protected:
    QString result() const { return window->resultLine()->text().trimmed(); }
    int rowsIn(const QString &table) const
    {
        QSqlQuery q(wb->pdb.db());
        return q.exec(u"SELECT COUNT(*) FROM "_qs + table) && q.next() ? q.value(0).toInt() : -1;
    }
    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    // "Multi-Edit" on every row of step 10; `answer` sees the dialog.
    void multiEdit(const std::function<void(FieldFormatDialog *)> &answer)
    {
        DevicePage *devices = window->devicePage();
        devices->multiBox()->setChecked(true);
        devices->grid()->selectAll();
        bool seen = false;
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<FieldFormatDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            seen = true;
            answer(dialog);
        });
        trigger("tb_MultiRecEdit");
        EXPECT_TRUE(seen);
    }
    static void click(QWidget *w)
    {
        const QPoint at = w->rect().center();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        {
            const Qt::MouseButtons held = t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QCoreApplication::postEvent(
                w, new QMouseEvent(t, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier));
        }
    }
    static QString native(const QString &path) { return QDir::toNativeSeparators(QDir::cleanPath(path)); }
    // Step 2's reader fills the device lists of steps 3 and 8.
    void readDdc()
    {
        prompter.pushYesNo(true);
        window->cpanelMapPage()->readButton()->click();
    }
    // Refuses every row a statement of `when` ("INSERT", "UPDATE") would
    // write into the project's table.
    void refuse(const QString &when, const QString &table, const QString &condition = {})
    {
        QSqlQuery q(wb->pdb.db());
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER Refuse%1 BEFORE %1 ON %2 %3 BEGIN SELECT RAISE(ABORT, "
                                          "'refused'); END")
                               .arg(when, table, condition.isEmpty() ? QString() : u"WHEN "_qs + condition)));
    }
};

TEST_F(WindowFeedbackTest, CloseOpenAndASecondScanDuringAScanAreRefusedAndItsRowsLandInTheProject)
{
    DisplayScanPage *scan = window->displayScanPage();
    const QString job = wb->projectFolder;
    const QString other = makeJob(u"other"_qs);
    const size_t filesAsked = prompter.fileAsks.size();
    const qsizetype scansBefore = wb->log.lines().filter(u"Building display file tree"_qs).size();
    bool ran = false;
    // The first events the scan lets through: every command the window has.
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_TRUE(window->runner().busy());
        EXPECT_FALSE(window->menuBar()->isEnabled());
        EXPECT_FALSE(scan->tree()->isEnabled());
        EXPECT_FALSE(scan->editButton(false)->isEnabled());
        EXPECT_FALSE(child<QPushButton>("btn_abort")->isHidden());
        EXPECT_TRUE(child<QPushButton>("btn_abort")->isEnabled());
        trigger("actCloseProject");
        prompter.pushFile(QDir(other).filePath(u"MASETUP.DAT"_qs));
        window->openProject();
        window->openLastProject();
        scan->buildFileList();
        window->exitProgram();
    });
    scan->buildButton()->click();
    ASSERT_TRUE(ran);

    EXPECT_TRUE(wb->projectOpen);
    EXPECT_EQ(wb->projectFolder, job);
    EXPECT_EQ(prompter.fileAsks.size(), filesAsked); // Open asked for no file
    EXPECT_FALSE(QFile::exists(QDir(other).filePath(u"vorlix.mdb"_qs)));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(wb->log.lines().filter(u"Building display file tree"_qs).size(), scansBefore + 1) << "one scan ran";
    // The scan's rows are the project's; the default project got none.
    ASSERT_GT(wb->masterList.size(), 0);
    EXPECT_EQ(rowsIn(u"FileList"_qs), wb->masterList.size());
    {
        QSqlDatabase def = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"defaultProject"_qs);
        def.setDatabaseName(QDir(appDir).filePath(u"vorlix.mdb"_qs));
        ASSERT_TRUE(def.open());
        QSqlQuery q(def);
        ASSERT_TRUE(q.exec(u"SELECT COUNT(*) FROM FileList"_qs) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase(u"defaultProject"_qs);
    // Everything is enabled again; the result is stated.
    EXPECT_FALSE(window->runner().busy());
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_TRUE(scan->tree()->isEnabled());
    EXPECT_FALSE(scan->buildButton()->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(result().contains(QStringLiteral("%1 display(s) in the list").arg(wb->masterList.size())))
        << result().toStdString();
}

TEST_F(WindowFeedbackTest, OnlyCancelScanTakesClicksWhileTheScanRuns)
{
    DisplayScanPage *scan = window->displayScanPage();
    window->tabs()->setCurrentIndex(window->tabs()->indexOf(scan));
    const int tab = window->tabs()->currentIndex();
    // Once the scan reads its first display (named by its path; listing the
    // folder names them bare): a click on another tab and one on "Cancel Scan".
    bool clicked = false;
    const QMetaObject::Connection watch = QObject::connect(wb.get(), &Workbench::statusChanged, [&](StatusPanel p) {
        const QString what = wb->status(p);
        if (clicked || p != StatusPanel::Activity || !what.contains(QDir::separator()) ||
            !what.endsWith(u".ibw"_qs, Qt::CaseInsensitive))
            return;
        clicked = true;
        const QList<StepTab *> tabs = window->tabs()->findChildren<StepTab *>();
        ASSERT_GE(tabs.size(), 2);
        click(tabs[tab == 0 ? 1 : 0]);
        click(child<QPushButton>("btn_abort"));
    });
    scan->buildButton()->click();
    QObject::disconnect(watch);
    ASSERT_TRUE(clicked);
    EXPECT_EQ(window->tabs()->currentIndex(), tab);
    EXPECT_TRUE(result().startsWith(u"The scan was cancelled."_qs)) << result().toStdString();
    EXPECT_TRUE(window->menuBar()->isEnabled());
}

TEST_F(WindowFeedbackTest, StatusLineStatesAReadACreateAndAMerge)
{
    readDdc();
    EXPECT_TRUE(result().contains(u" file(s) read into CpanelMap."_qs)) << result().toStdString();
    EXPECT_TRUE(result().contains(u"possible missing file(s); see Project Log."_qs)) << result().toStdString();

    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    EXPECT_TRUE(result().startsWith(u"disp0002.ibw loaded: "_qs)) << result().toStdString();
    ASSERT_TRUE(page->createDisplay(false));
    const QString dsp = paths.bactalkJob + u"/displays/00000002.dsp"_qs;
    // As the command line says it, and where the object problems are.
    EXPECT_TRUE(result().startsWith(QStringLiteral("Display written: %1 (19 objects, %2 bytes) ")
                                        .arg(native(dsp))
                                        .arg(QFileInfo(dsp).size())))
        << result().toStdString();
    EXPECT_TRUE(result().endsWith(u" object problem(s); see Project Log."_qs)) << result().toStdString();

    // The merge: every device the destination refuses is counted.
    trigger("tb_AddGlobal");
    const int devices = rowsIn(u"tblRepJob"_qs);
    ASSERT_GT(devices, 0);
    const QString dest = paths.bactalkJob + u"/RepJob.mdb"_qs;
    createDeviceDestination(dest);
    execOn(dest, {u"CREATE TRIGGER Refuse BEFORE INSERT ON tblRepJob BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs});
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<MergeTypeDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        seen = true;
        dialog->setDestination(dest);
        dialog->okButton()->click();
    });
    trigger("tb_MergeDatabase");
    ASSERT_TRUE(seen);
    EXPECT_TRUE(result().startsWith(QStringLiteral("Merged into %1: 0 device(s), ").arg(native(dest))))
        << result().toStdString();
    EXPECT_TRUE(result().endsWith(QStringLiteral("%1 row(s) were not written; see Project Log.").arg(devices)))
        << result().toStdString();
}

TEST_F(WindowFeedbackTest, RefusedRowsOfAddBcmAndTheMultiRecordEditAreCounted)
{
    readDdc();
    // Every gateway after the first is refused: only the first is counted.
    refuse(u"INSERT"_qs, u"tblRepJob"_qs, u"(SELECT COUNT(*) FROM tblRepJob) = 1"_qs);
    trigger("tb_AddGlobal");
    const int written = rowsIn(u"tblRepJob"_qs);
    EXPECT_EQ(written, 1);
    const qsizetype refused = wb->log.lines().filter(u"tblRepJob"_qs).filter(u"devinst"_qs).size();
    ASSERT_GE(refused, 1);
    EXPECT_EQ(result(), QStringLiteral("1 gateway(s) written to tblRepJob. %1 row(s) were not written; see "
                                       "Project Log.")
                            .arg(refused))
        << result().toStdString();

    // The multi-record edit over every device: the row that would be named
    // "2AHU-" is refused.
    ASSERT_TRUE(QSqlQuery(wb->pdb.db()).exec(u"DROP TRIGGER RefuseINSERT"_qs));
    trigger("tb_AddDevices");
    const int rows = rowsIn(u"tblRepJob"_qs);
    ASSERT_GE(rows, 2);
    refuse(u"UPDATE"_qs, u"tblRepJob"_qs, u"NEW.objname = '2AHU-'"_qs);
    multiEdit([](FieldFormatDialog *dialog) {
        dialog->findChild<QComboBox *>(u"cb_Field1"_qs)->setCurrentIndex(static_cast<int>(EditTarget::ObjName));
        dialog->findChild<QCheckBox *>(u"cb_Apply1"_qs)->setChecked(true);
        dialog->findChild<QLineEdit *>(u"eb_LeftText"_qs)->setText(u"AHU-"_qs);
        dialog->okButton()->click();
    });
    EXPECT_EQ(result(), QStringLiteral("%1 row(s) edited. 1 row(s) were not written; see Project Log.").arg(rows - 1))
        << result().toStdString();
}

TEST_F(WindowFeedbackTest, SaveAndOpenDialogsStartInTheJobsFoldersAndRememberThem)
{
    readDdc();
    const QString ddc = paths.bactalkJob + u"/ddc"_qs;
    ASSERT_TRUE(QFileInfo(ddc).isDir());
    DdcFilesPage *ddcPage = window->ddcFilesPage();
    ddcPage->scriptList()->setCurrentRow(0); // Dev-ID 1101
    auto *save = child<QPushButton>("btn_SaveToFile");

    // Step 8: the ddc folder, the automatic scripts' name, suffix "dsr".
    prompter.pushFile(QString()); // cancelled
    save->click();
    ASSERT_FALSE(prompter.fileAsks.empty());
    ScriptedPrompter::FileAsk ask = prompter.fileAsks.back();
    EXPECT_EQ(ask.kind, FileDialog::Save);
    EXPECT_EQ(ask.initial, native(ddc + u"/Framework-Script-Dev-1101.dsr"_qs));
    EXPECT_EQ(defaultSuffix(ask.filter), u"dsr"_qs);
    // A folder chosen once is where the next script dialog starts.
    const QString elsewhere = paths.root + u"/scripts"_qs;
    QDir().mkpath(elsewhere);
    prompter.pushFile(native(elsewhere + u"/one.dsr"_qs));
    save->click();
    EXPECT_TRUE(QFile::exists(elsewhere + u"/one.dsr"_qs));
    EXPECT_EQ(result(), native(elsewhere + u"/one.dsr"_qs) + u" written."_qs);
    ddcPage->scriptList()->setCurrentRow(1);
    prompter.pushFile(QString());
    save->click();
    EXPECT_EQ(prompter.fileAsks.back().initial, native(elsewhere + u"/Framework-Script-Dev-1102.dsr"_qs));

    // Step 3's point database: an Open dialog in the BACtalk job folder; no
    // row matched (the template is empty), and the closing message says why.
    IbexPointsPage *points = window->ibexPointsPage();
    prompter.pushYesNo(true);
    points->readButton()->click();
    prompter.informed.clear();
    const QString target = paths.bactalkJob + u"/pointdata.mdb"_qs;
    prompter.pushFile(native(target));
    points->exportButton()->click();
    ask = prompter.fileAsks.back();
    EXPECT_EQ(ask.kind, FileDialog::Update);
    EXPECT_EQ(ask.initial, native(target));
    EXPECT_EQ(defaultSuffix(ask.filter), u"mdb"_qs);
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_TRUE(prompter.informed[0].startsWith(u"Points of Apex 1 exported: 0 row(s) updated"_qs));
    EXPECT_TRUE(prompter.informed[0].contains(u"\nNo row was updated: the point database has no rows in "_qs))
        << prompter.informed[0].toStdString();
    EXPECT_TRUE(result().startsWith(u"0 row(s) updated in "_qs + native(target))) << result().toStdString();

    // The merge's Browse and the multi-record edit's DDC file: the BACtalk
    // job folder and its ddc folder.
    trigger("tb_AddGlobal");
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<MergeTypeDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        prompter.pushFile(QString());
        dialog->findChild<QToolButton *>(u"btn_Browse"_qs)->click();
        dialog->reject();
    });
    trigger("tb_MergeDatabase");
    EXPECT_EQ(prompter.fileAsks.back().initial, native(paths.bactalkJob));
    multiEdit([&](FieldFormatDialog *dialog) {
        dialog->setTab(FieldFormatDialog::RepJobApp);
        prompter.pushFile(QString());
        dialog->findChild<QToolButton *>(u"SpeedButton1"_qs)->click();
        dialog->reject();
    });
    EXPECT_EQ(prompter.fileAsks.back().initial, native(ddc));
}

TEST_F(WindowFeedbackTest, WithoutABactalkFolderDialogsStartInTheJobFolderNeverTheWorkingFolder)
{
    readDdc();
    wb->vars.bactalkJobPath.clear();
    prompter.pushFile(QString());
    child<QPushButton>("btn_SaveToFile")->click();
    ASSERT_FALSE(prompter.fileAsks.empty());
    EXPECT_EQ(prompter.fileAsks.back().initial, native(paths.job + u"/Framework-Script-Dev-1101.dsr"_qs));
}

TEST_F(WindowFeedbackTest, RedirectBrowseOffersTemplatesAndDisplays)
{
    EXPECT_EQ(qtFileFilter(redirectBrowseFilter()),
              u"EFB template file (*.dvt);;EFB display file (*.dsp);;All files (*.*)"_qs);
    DisplayScanPage *scan = window->displayScanPage();
    ASSERT_GT(wb->masterList.size(), 0);
    bool seen = false;
    scan->runRedirectDialog = [&](const RedirectEdit &edit, RedirectList &list) {
        RedirectDialog dialog(*wb, window->runner(), edit, list, window.get());
        prompter.pushFile(native(paths.bactalkJob + u"/displays/00000007.dsp"_qs));
        dialog.findChild<QPushButton *>(u"btn_Browse"_qs)->click();
        seen = true;
        EXPECT_EQ(dialog.findChild<QLineEdit *>(u"eb_file"_qs)->text(), u"00000007.dsp"_qs);
        EXPECT_EQ(dialog.findChild<QLineEdit *>(u"eb_job"_qs)->text(), u"plaza"_qs);
        return RedirectChoice::Cancel;
    };
    QModelIndex file;
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &under) {
        for (int r = 0; r < scan->treeModel()->rowCount(under) && !file.isValid(); ++r) {
            const QModelIndex i = scan->treeModel()->index(r, 0, under);
            if (i.data(InventoryTreeModel::LevelRole).toInt() == 3)
                file = i;
            else
                walk(i);
        }
    };
    walk({});
    ASSERT_TRUE(file.isValid());
    scan->tree()->setCurrentIndex(file);
    scan->redirectSelectedNode();
    ASSERT_TRUE(seen);
    ASSERT_FALSE(prompter.fileAsks.empty());
    EXPECT_EQ(prompter.fileAsks.back().filter, redirectBrowseFilter());
}

TEST_F(WindowFeedbackTest, QuestionsAreAskedAsTheirBoxes)
{
    // Unsaved grid edits: a warning (its default is No).
    wb->gridEdited = true;
    prompter.pushYesNo(false);
    window->openLastProject();
    EXPECT_EQ(prompter.warned, QStringList{msg::canCloseProject()});
    EXPECT_TRUE(wb->projectOpen);
    wb->gridEdited = false;

    // A missing display: an information box, the loaded display stays.
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    prompter.errors.clear();
    DisplayFile gone = findDisplayFile(*wb, u"disp0002.ibw"_qs, false);
    gone.path = paths.job + u"/ldisplay/gone.ibw"_qs;
    gone.name = u"gone.ibw"_qs;
    gone.exists = false;
    EXPECT_FALSE(page->loadDisplay(gone));
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    ASSERT_FALSE(prompter.informed.isEmpty());
    EXPECT_TRUE(prompter.informed.last().startsWith(u"Missing display file!\nFile: "_qs));
    EXPECT_NE(loadedTranslation(*wb), nullptr);
}

TEST_F(WindowFeedbackTest, TitleBarNamesTheOpenJobAndTheLogOpensAtItsNewestEntry)
{
    EXPECT_EQ(window->windowTitle(), u" Vorlix - "_qs + native(paths.job));
    readDdc();
    for (int i = 0; i < 100; ++i)
        wb->log.logMsg(QStringLiteral("line %1").arg(i));
    window->tabs()->setCurrentIndex(window->tabs()->indexOf(window->logPage()));
    QApplication::processEvents();
    const QScrollBar *bar = window->logPage()->memo()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    window->closeProject();
    EXPECT_EQ(window->windowTitle(), u" Vorlix"_qs);
    EXPECT_EQ(result(), u"The project was closed; the default project is shown."_qs);
}

} // namespace
} // namespace vorlix::test
