#include "util/Ansi.h"
#include "util/Error.h"
#include "project/SessionLog.h"
#include "support/TestPlatform.h"
#include "support/WorkbenchProject.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;

TEST(SessionLog, EntryShapes)
{
    SessionLog log;
    log.logMsgStart(u"Scanning Apex DDC files"_qs);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].startsWith(u'['));
    EXPECT_TRUE(log.lines()[0].endsWith(u"]: Scanning Apex DDC files"_qs));

    log.logMsg(u"detail"_qs);
    log.logObjMsg(u"plain object line"_qs, false);
    log.logMsgStart(u"second"_qs);
    ASSERT_EQ(log.lines().size(), 5);
    EXPECT_EQ(log.lines()[1], u"\tdetail"_qs);
    EXPECT_EQ(log.lines()[2], u"\t\tplain object line"_qs);
    EXPECT_EQ(log.lines()[3], QString());
    EXPECT_TRUE(log.lines()[4].endsWith(u"]: second"_qs));
}

TEST(SessionLog, OnlyTheLastPendingHeadingIsWrittenAndOnlyOnce)
{
    SessionLog log;
    log.pendingMsg(u"Object# 1, Text"_qs);
    log.pendingMsg(u"Object# 2, Text"_qs);
    log.logObjMsg(u"first"_qs, true);
    log.logObjMsg(u"second"_qs, true);
    EXPECT_EQ(log.lines(), (QStringList{u"\tObject# 2, Text"_qs, u"\t\tfirst"_qs, u"\t\tsecond"_qs}));
    EXPECT_EQ(log.translationErrors, 2);
    log.logMsgStart(u"next"_qs);
    EXPECT_EQ(log.translationErrors, 0);
}

TEST(SessionLog, MissingFilesAreListedAndKept)
{
    SessionLog log;
    log.missingFiles << u"/job/APEX05.adc"_qs << u"/job/PNTS05.DAT"_qs;
    log.msgMissingFiles();
    EXPECT_EQ(log.lines(), (QStringList{u"\tPossible missing file: /job/APEX05.adc"_qs,
                                        u"\tPossible missing file: /job/PNTS05.DAT"_qs}));
    EXPECT_EQ(log.missingFiles.size(), 2);
}

TEST(SessionLog, SavesCrLfWindows1252AndLoadsBack)
{
    QTemporaryDir dir;
    SessionLog log;
    log.logMsg(QString::fromUtf8("Zürich €"));
    log.logMsg(u"two"_qs);
    log.saveSessionLog(dir.path());
    EXPECT_TRUE(log.lines().isEmpty());
    const QByteArray bytes = test::readFile(dir.path() + u"/vorlix.log"_qs);
    EXPECT_EQ(bytes, QByteArray("\tZ\xfcrich \x80\r\n\ttwo\r\n"));
    log.loadSessionLog(dir.path());
    EXPECT_EQ(log.lines(), (QStringList{QString::fromUtf8("\tZürich €"), u"\ttwo"_qs}));
}

TEST(SessionLog, ClearedLogSavesAnEmptyFile)
{
    QTemporaryDir dir;
    SessionLog log;
    log.logMsg(u"x"_qs);
    log.clear();
    log.saveSessionLog(dir.path());
    QFile f(dir.path() + u"/vorlix.log"_qs);
    ASSERT_TRUE(f.exists());
    EXPECT_EQ(f.size(), 0);
    log.loadSessionLog(dir.path());
    EXPECT_TRUE(log.lines().isEmpty());
}

TEST(SessionLog, MissingLogFileLoadsEmpty)
{
    QTemporaryDir dir;
    SessionLog log;
    log.logMsg(u"old"_qs);
    log.loadSessionLog(dir.path());
    EXPECT_TRUE(log.lines().isEmpty());
}


TEST(SessionLog, SavingAppendsOnlyTheNewLinesToWhatIsOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.log"_qs;
    test::writeFile(path, "first\r\n");
    SessionLog mine, theirs;
    mine.loadSessionLog(dir.path());
    theirs.loadSessionLog(dir.path());
    mine.logMsg(u"mine"_qs);
    theirs.logMsg(u"theirs"_qs);
    mine.saveSessionLog(dir.path());
    theirs.saveSessionLog(dir.path());
    // Both sessions' lines, each once, after what the file had.
    EXPECT_EQ(test::readFile(path), QByteArray("first\r\n\tmine\r\n\ttheirs\r\n"));
}

TEST(SessionLog, AFileWithoutALastLineEndGetsOneBeforeTheNewLines)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.log"_qs;
    test::writeFile(path, "edited by hand");
    SessionLog log;
    log.loadSessionLog(dir.path());
    log.logMsg(u"next"_qs);
    log.saveSessionLog(dir.path());
    EXPECT_EQ(test::readFile(path), QByteArray("edited by hand\r\n\tnext\r\n"));
}

TEST(SessionLog, ALongLogLoadsItsEndAndAnEditKeepsTheUnloadedStart)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.log"_qs;
    QByteArray head;
    while (head.size() < SessionLog::kViewBytes + 100)
        head += "old line of the log\r\n";
    test::writeFile(path, head + "last\r\n");
    SessionLog log;
    log.loadSessionLog(dir.path());
    ASSERT_FALSE(log.lines().isEmpty());
    EXPECT_EQ(log.lines().last(), u"last"_qs);
    EXPECT_EQ(log.lines().first(), u"old line of the log"_qs) << "the cut first line is left out";
    EXPECT_LT(log.lines().size(), head.count('\n'));
    // The user edits the memo: the loaded part is replaced, the rest stays.
    QStringList edited = log.lines();
    edited.last() = u"LAST"_qs;
    log.setLines(edited);
    log.saveSessionLog(dir.path());
    EXPECT_EQ(test::readFile(path), head + "LAST\r\n");
}

TEST(SessionLog, AFailedSaveKeepsTheFileAndTheLines)
{
    QTemporaryDir dir;
    const QString path = dir.path() + u"/vorlix.log"_qs;
    test::writeFile(dir.path() + u"/elsewhere"_qs, "precious\r\n");
    if (!test::makeSymLink(dir.path() + u"/elsewhere"_qs, path))
        GTEST_SKIP() << "this system makes no symbolic links (Wine)";
    SessionLog log;
    log.logMsg(u"line"_qs);
    EXPECT_THROW(log.saveSessionLog(dir.path()), Error);
    EXPECT_EQ(log.lines(), QStringList{u"\tline"_qs});
    EXPECT_EQ(test::readFile(dir.path() + u"/elsewhere"_qs), QByteArray("precious\r\n"));
}
