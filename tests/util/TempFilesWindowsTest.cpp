// The temporary files of the atomic writes, as Windows keeps them: held open
// without sharing while a writer is at work on them, removed by the next
// write into their folder once nobody holds them.
#include "util/FileUtil.h"
#include "util/TempFiles.h"
#include "util/WindowsApi.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

// A run killed while writing leaves its temporary file beside the target;
// the next write into that folder removes it. A temporary file a writer is
// at work on (held open without sharing) and files of other names stay.
TEST(FileUtil, TheNextWriteRemovesTheTemporaryFilesOfAKilledRun)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"out"_qs);
    QDir().mkpath(folder);
    for (const char *name : {".00000001.dsp.k3x9qz.tmp", ".report.html.1.tmp", ".notes.tmp", "keep.tmp",
                             ".a.b.toolongnumber.tmp", "00000002.dsp"})
        test::writeFile(folder + u'/' + QLatin1String(name), "left");
    // A writer at work, holding its file as the atomic write does.
    const QString busy = u".00000003.dsp.z1.tmp"_qs;
    HANDLE held = CreateFileW(systemPath(folder + u'/' + busy).toStdWString().c_str(), GENERIC_WRITE | DELETE, 0,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(isTemporaryName(busy.toLatin1().constData()));

    writeFileAtomically(folder + u"/00000004.dsp"_qs, "new");
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QStringList kept{u".a.b.toolongnumber.tmp"_qs, busy, u".notes.tmp"_qs, u"00000002.dsp"_qs, u"00000004.dsp"_qs,
                     u"keep.tmp"_qs};
    left.sort();
    kept.sort();
    EXPECT_EQ(left, kept);
    EXPECT_EQ(test::readFile(folder + u"/00000004.dsp"_qs), QByteArray("new"));
    CloseHandle(held);
}
