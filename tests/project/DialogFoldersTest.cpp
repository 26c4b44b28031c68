// Where the file dialogs start: the kind's folder in the BACtalk job, the
// Ibex job folder when there is none on disk (never the working folder),
// and the folder last chosen for that kind in that project.
#include "project/DialogFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vorlix {
namespace {

using Kind = DialogFolders::Kind;

class DialogFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        job = path(u"job"_qs);
        bactalk = path(u"bactalk/acme/plaza"_qs);
        QDir().mkpath(job);
        QDir().mkpath(bactalk);
    }
    QString path(const QString &relative) const { return QDir::cleanPath(m_tmp.filePath(relative)); }
    static QString native(const QString &p) { return QDir::toNativeSeparators(p); }

    DialogFolders folders;
    QString job, bactalk;

private:
    QTemporaryDir m_tmp;
};

TEST_F(DialogFoldersTest, EachKindStartsInItsFolderOfTheBactalkJob)
{
    // Without a ddc folder, scripts start in the BACtalk job folder.
    EXPECT_EQ(folders.folder(Kind::Script, bactalk, job), bactalk);
    QDir().mkpath(bactalk + u"/ddc"_qs);
    EXPECT_EQ(folders.start(Kind::Script, native(bactalk), job, u"Framework-Script-Dev-7.dsr"_qs),
              native(bactalk + u"/ddc/Framework-Script-Dev-7.dsr"_qs));
    EXPECT_EQ(folders.folder(Kind::DdcProgram, bactalk, job), bactalk + u"/ddc"_qs);
    EXPECT_EQ(folders.start(Kind::PointDatabase, bactalk, job, u"pointdata.mdb"_qs),
              native(bactalk + u"/pointdata.mdb"_qs));
    EXPECT_EQ(folders.start(Kind::DeviceDatabase, bactalk, job), native(bactalk));
}

TEST_F(DialogFoldersTest, WithoutABactalkJobOnDiskTheIbexJobFolder)
{
    for (const QString &none : {QString(), path(u"bactalk/acme/missing"_qs)})
        for (Kind kind : {Kind::Script, Kind::PointDatabase, Kind::DeviceDatabase, Kind::DdcProgram})
            EXPECT_EQ(folders.folder(kind, none, job), job) << none.toStdString() << int(kind);
}

TEST_F(DialogFoldersTest, TheLastFolderChosenHoldsPerKindAndProject)
{
    const QString elsewhere = path(u"scripts"_qs);
    QDir().mkpath(elsewhere);
    folders.remember(Kind::Script, job, native(elsewhere + u"/one.dsr"_qs));
    EXPECT_EQ(folders.folder(Kind::Script, bactalk, job), elsewhere);
    // Another kind, another project: their own folders.
    EXPECT_EQ(folders.folder(Kind::PointDatabase, bactalk, job), bactalk);
    EXPECT_EQ(folders.folder(Kind::Script, bactalk, path(u"otherjob"_qs)), bactalk);
    // A folder that is gone is forgotten; one that never existed is not kept.
    QDir(elsewhere).removeRecursively();
    EXPECT_EQ(folders.folder(Kind::Script, bactalk, job), bactalk);
    folders.remember(Kind::DeviceDatabase, job, path(u"nowhere/RepJob.mdb"_qs));
    EXPECT_EQ(folders.folder(Kind::DeviceDatabase, bactalk, job), bactalk);
}

} // namespace
} // namespace vorlix
