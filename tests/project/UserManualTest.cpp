// Finding the user manual: a PDF in the application folder before the
// Markdown manual beside the program, folders in order, and a message that
// names every file looked for when there is none.
#include "project/Messages.h"
#include "project/UserManual.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

} // namespace

TEST(UserManual, PdfFirstThenShippedManualFolderByFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString app = tmp.filePath(u"app"_qs), exe = tmp.filePath(u"bin"_qs);
    QDir().mkpath(app);
    QDir().mkpath(exe);
    touch(QDir(exe).filePath(msg::manualTextFile()));

    UserManual m = findUserManual({app, exe});
    EXPECT_EQ(m.path, QDir(exe).filePath(msg::manualTextFile()));
    EXPECT_FALSE(m.pdf);

    // A folder named like the manual is not the manual.
    QDir().mkpath(QDir(app).filePath(msg::manualTextFile()));
    EXPECT_EQ(findUserManual({app, exe}).path, QDir(exe).filePath(msg::manualTextFile()));

    touch(QDir(exe).filePath(msg::manualFallbackFile()));
    m = findUserManual({app, exe});
    EXPECT_EQ(m.path, QDir(exe).filePath(msg::manualFallbackFile()));
    EXPECT_TRUE(m.pdf);

    touch(QDir(app).filePath(msg::manualFile()));
    m = findUserManual({app, exe});
    EXPECT_EQ(m.path, QDir(app).filePath(msg::manualFile()));
    EXPECT_TRUE(m.pdf);
}

TEST(UserManual, NoneFoundNamesEveryFileLookedForOnce)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const UserManual m = findUserManual({tmp.path(), tmp.path() + u"/."_qs, QString()});
    EXPECT_TRUE(m.path.isEmpty());
    ASSERT_EQ(m.searched.size(), 3); // the same folder twice is searched once
    const QString text = manualNotFoundMessage(m);
    EXPECT_TRUE(text.startsWith(u"The user manual could not be found."_qs));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(QDir(tmp.path()).filePath(msg::manualTextFile()))));
    EXPECT_TRUE(text.contains(msg::manualFile()));
}
