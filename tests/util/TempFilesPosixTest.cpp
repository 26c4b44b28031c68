// The temporary files of the atomic writes, as a POSIX system keeps them:
// locked while a writer is at work on them, removed by the next write into
// their folder once nobody holds them.
#include "util/FileUtil.h"
#include "util/TempFiles.h"
#include "util/TempFilesPosix.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace vorlix;

// A run killed while writing leaves its temporary file beside the target;
// the next write into that folder removes it. A temporary file a writer is
// at work on (it holds its lock) and files of other names stay.
TEST(FileUtil, TheNextWriteRemovesTheTemporaryFilesOfAKilledRun)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"out"_qs);
    QDir().mkpath(folder);
    const QByteArray encoded = QFile::encodeName(folder);
    for (const char *name : {".00000001.dsp.k3x9qz.tmp", ".report.html.1.tmp", ".notes.tmp", "keep.tmp",
                             ".a.b.toolongnumber.tmp", "00000002.dsp"})
        test::writeFile(folder + u'/' + QLatin1String(name), "left");
    // A writer at work: it holds the lock on its file.
    QByteArray busy;
    const int held = createLockedTemporary(encoded, "00000003.dsp", busy);
    ASSERT_GE(held, 0);
    EXPECT_TRUE(isTemporaryName(QFileInfo(QFile::decodeName(busy)).fileName().toLatin1().constData()));

    writeFileAtomically(folder + u"/00000004.dsp"_qs, "new");
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QStringList kept{u".a.b.toolongnumber.tmp"_qs, QFileInfo(QFile::decodeName(busy)).fileName(), u".notes.tmp"_qs,
                     u"00000002.dsp"_qs, u"00000004.dsp"_qs, u"keep.tmp"_qs};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
    ::close(held);
    ::unlink(busy.constData());
}
