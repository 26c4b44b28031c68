// The application folder: the executable's folder when the program may keep
// its files there, otherwise the per-user folder, seeded with the templates.
#include "project/Workbench.h"
#include "util/FileUtil.h"

#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

TEST(AppFolder, AWritableExecutableFolderIsTheApplicationFolder)
{
    QTemporaryDir dir;
    EXPECT_TRUE(isWritableFolder(dir.path()));
    EXPECT_EQ(resolveAppFolder(dir.path()), QDir::cleanPath(dir.path()));
    EXPECT_FALSE(isWritableFolder(dir.filePath(u"missing"_qs)));
}

// An installed program: on Windows a folder under Program Files (never the
// program's to write in, whatever the rights of the user), elsewhere a
// folder the user cannot write.
TEST(AppFolder, AnInstalledProgramKeepsItsFilesInTheSeededPerUserFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    const bool windows = QSysInfo::kernelType() == u"winnt";
    QTemporaryDir scratch;
    QString installed;
    if (windows) {
        installed = QDir::fromNativeSeparators(qEnvironmentVariable("ProgramFiles"))
                    + QStringLiteral("/VorlixTest-%1").arg(QRandomGenerator::global()->generate(), 0, 36);
        ASSERT_TRUE(QDir().mkpath(installed));
    } else {
        installed = scratch.filePath(u"bin"_qs);
        ASSERT_TRUE(QDir().mkpath(installed));
    }
    for (const char *name : {"vorlix.mdb", "pointdata.mdb"})
        ASSERT_TRUE(QFile::copy(test::binDir() + u'/' + QLatin1String(name), installed + u'/' + QLatin1String(name)));
    if (!windows) {
        QFile::setPermissions(installed, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(installed).isWritable()) {
            QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "permissions do not bind this user (root): no folder here is read-only to it";
        }
    }
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir(perUser).removeRecursively();
    EXPECT_FALSE(isWritableFolder(installed));
    EXPECT_EQ(resolveAppFolder(installed), QDir::cleanPath(perUser));
    EXPECT_EQ(test::readFile(perUser + u"/vorlix.mdb"_qs), test::readFile(installed + u"/vorlix.mdb"_qs));
    EXPECT_EQ(test::readFile(perUser + u"/pointdata.mdb"_qs), test::readFile(installed + u"/pointdata.mdb"_qs));
    // A second start keeps what the user has there.
    test::writeFile(perUser + u"/vorlix.mdb"_qs, "the user's own");
    EXPECT_EQ(resolveAppFolder(installed), QDir::cleanPath(perUser));
    EXPECT_EQ(test::readFile(perUser + u"/vorlix.mdb"_qs), QByteArray("the user's own"));
    QDir(perUser).removeRecursively();
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(installed).removeRecursively();
}
