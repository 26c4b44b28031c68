#include "commands/OpenCommands.h"
#include "util/Error.h"
#include "project/Workbench.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
QStringList logLines(const QString &folder)
{
    const QString text = QString::fromLatin1(readFile(folder + u"/vorlix.log"_qs));
    return text.split(u"\r\n"_qs, Qt::SkipEmptyParts);
}
} // namespace

TEST(Workbench, StartUpWithoutDefaultDatabaseStillWorks)
{
    WorkbenchProject tp;
    QFile::remove(tp.appDir() + u"/vorlix.mdb"_qs);
    Workbench &wb = tp.workbench();
    EXPECT_FALSE(wb.pdb.isOpen());
    EXPECT_EQ(wb.status(StatusPanel::Source), u" No project loaded."_qs);
    EXPECT_FALSE(wb.projectOpen);
}

TEST(Workbench, OpeningANewProjectMakesItsDatabaseAndAsksForOptions)
{
    WorkbenchProject tp;
    Workbench &wb = tp.workbench();
    const OpenOutcome first = openProjectCommand(wb, tp.jobDir() + u"/"_qs);
    EXPECT_TRUE(first.opened);
    EXPECT_TRUE(wb.projectOpen);
    EXPECT_EQ(wb.projectFolder, tp.jobDir());
    EXPECT_EQ(wb.localJobFolder, QDir::cleanPath(tp.root() + u"/site/localjob"_qs));
    EXPECT_TRUE(first.newDatabase);
    EXPECT_TRUE(QFile::exists(tp.jobDir() + u"/vorlix.mdb"_qs));
    EXPECT_EQ(wb.status(StatusPanel::Source), u" Source: "_qs + QDir::toNativeSeparators(tp.jobDir() + u"/"_qs));
    EXPECT_EQ(wb.status(StatusPanel::Destination), u" Dest: "_qs);
    EXPECT_EQ(wb.settings.lastJob, QDir::toNativeSeparators(tp.jobDir() + u"/"_qs));
    // The open is logged, then the display list it builds (a scan: FileList is empty).
    const QStringList lines = wb.log.lines();
    const auto opened = std::find_if(lines.begin(), lines.end(), [&](const QString &l) {
        return l.endsWith(u"]: Opened project: "_qs + QDir::toNativeSeparators(tp.jobDir()));
    });
    ASSERT_NE(opened, lines.end());
    EXPECT_TRUE(lines.last().endsWith(u"]: Building display file tree"_qs));

    // The second time the database exists: no options dialog.
    wb.closeProject();
    EXPECT_FALSE(openProjectCommand(wb, tp.jobDir()).newDatabase);
}

TEST(Workbench, LogsAreSavedPerFolderAndNothingIsLostOnClose)
{
    WorkbenchProject tp;
    writeFile(tp.jobDir() + u"/vorlix.log"_qs, "earlier line\r\n");
    Workbench &wb = tp.workbench();
    wb.log.logMsg(u"default project line"_qs);
    wb.openProject(tp.jobDir());
    // The default project's log went back to the application folder first.
    EXPECT_EQ(logLines(tp.appDir()), QStringList{u"\tdefault project line"_qs});
    // The project's own log was loaded untouched, then the open was logged.
    EXPECT_EQ(wb.log.lines().first(), u"earlier line"_qs);

    wb.log.logMsg(u"work done in the project"_qs);
    wb.closeProject();
    EXPECT_FALSE(wb.projectOpen);
    EXPECT_EQ(wb.projectFolder, tp.appDir());
    EXPECT_TRUE(wb.localJobFolder.isEmpty());
    EXPECT_EQ(wb.status(StatusPanel::Source), u" No project loaded."_qs);
    EXPECT_TRUE(wb.status(StatusPanel::Destination).isEmpty());
    EXPECT_TRUE(logLines(tp.jobDir()).contains(u"\twork done in the project"_qs));
    EXPECT_EQ(wb.log.lines(), QStringList{u"\tdefault project line"_qs});
    EXPECT_TRUE(wb.pdb.isOpen());
    EXPECT_EQ(wb.pdb.path(), tp.appDir() + u"/vorlix.mdb"_qs);
}

TEST(Workbench, CloseWithoutProjectChangesNothing)
{
    WorkbenchProject tp;
    Workbench &wb = tp.workbench();
    wb.log.logMsg(u"kept"_qs);
    wb.closeProject();
    EXPECT_EQ(wb.log.lines(), QStringList{u"\tkept"_qs});
    EXPECT_FALSE(QFile::exists(tp.appDir() + u"/vorlix.log"_qs));
}

TEST(Workbench, GridEditsAreOnlyDroppedWhenTheUserSaysYes)
{
    WorkbenchProject tp;
    Workbench &wb = tp.openJob();
    wb.gridEdited = true;
    tp.prompter.pushYesNo(false);
    EXPECT_TRUE(openLastProjectCommand(wb).declined);
    EXPECT_TRUE(wb.projectOpen);
    EXPECT_TRUE(wb.gridEdited);
    EXPECT_EQ(tp.prompter.asked.last(),
              u"Closing now will cause you to lose the edits made in the display grid.\nDo you want to quit?"_qs);
    tp.prompter.pushYesNo(true);
    EXPECT_TRUE(openLastProjectCommand(wb).opened);
    EXPECT_TRUE(wb.projectOpen); // LastJob is the job itself
    EXPECT_FALSE(wb.gridEdited);
}

TEST(Workbench, OpenLastProjectWithAVanishedFolderStaysOnTheDefault)
{
    WorkbenchProject tp;
    Workbench &wb = tp.workbench();
    wb.settings.lastJob = tp.root() + u"/gone/"_qs;
    const OpenOutcome r = openLastProjectCommand(wb);
    EXPECT_FALSE(r.declined);
    EXPECT_FALSE(r.opened);
    EXPECT_FALSE(wb.projectOpen);
}

TEST(Workbench, SettingsSurviveARestart)
{
    WorkbenchProject tp;
    {
        Workbench &wb = tp.openJob();
        wb.closeProject();
        wb.shutDown();
    }
    Workbench again(tp.appDir(), tp.prompter);
    again.startUp();
    EXPECT_EQ(again.settings.lastJob, QDir::toNativeSeparators(tp.jobDir() + u"/"_qs));
}

TEST(Workbench, DamagedProjectDatabaseFallsBackToTheDefaultProject)
{
    WorkbenchProject tp;
    writeFile(tp.jobDir() + u"/vorlix.mdb"_qs, "garbage");
    Workbench &wb = tp.workbench();
    EXPECT_THROW(wb.openProject(tp.jobDir()), Error);
    EXPECT_FALSE(wb.projectOpen);
    EXPECT_TRUE(wb.pdb.isOpen());
    EXPECT_EQ(wb.pdb.path(), tp.appDir() + u"/vorlix.mdb"_qs);
    EXPECT_EQ(readFile(tp.jobDir() + u"/vorlix.mdb"_qs), QByteArray("garbage"));
    // The project's log says what went wrong.
    const QStringList lines = logLines(tp.jobDir());
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().contains(u"not a Vorlix project database"_qs));
}

TEST(Workbench, OptionsWrittenBackWithoutTrailingSeparator)
{
    WorkbenchProject tp;
    Workbench &wb = tp.openJob();
    wb.vars.bactalkJobPath = u"/bactalk/acme/plaza/"_qs;
    wb.saveProjectVariables();
    EXPECT_EQ(wb.vars.bactalkJobPath, u"/bactalk/acme/plaza"_qs);
    wb.closeProject();
    EXPECT_TRUE(wb.vars.bactalkJobPath.isEmpty());
    wb.openProject(tp.jobDir());
    EXPECT_EQ(wb.vars.bactalkJobPath, u"/bactalk/acme/plaza"_qs);
    EXPECT_EQ(wb.status(StatusPanel::Destination), u" Dest: "_qs + QDir::toNativeSeparators(u"/bactalk/acme/plaza"_qs));
}

TEST(Workbench, StartingDisplayIgnoresNegativeValues)
{
    WorkbenchProject tp;
    Workbench &wb = tp.openJob();
    wb.setStartingDisplay(12);
    wb.setStartingDisplay(-1);
    EXPECT_EQ(wb.vars.startingDisplay, 12);
    ProjectVariables loaded;
    projectVars(wb.pdb.db(), loaded, VarDirection::Read);
    EXPECT_EQ(loaded.startingDisplay, 12);
}
