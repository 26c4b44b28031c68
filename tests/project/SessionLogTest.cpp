#include "util/Ansi.h"
#include "project/SessionLog.h"
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
