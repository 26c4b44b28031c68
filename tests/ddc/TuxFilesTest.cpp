// The Tux DDC file list and its copy into the BACtalk job.
#include "commands/DdcCommands.h"
#include "commands/ProjectCommands.h"
#include "ddc/TuxFiles.h"

#include "support/TestPlatform.h"
#include "support/TestProject.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

struct TdcRow {
    int apex;
    QString ibex, bt;
    bool operator==(const TdcRow &o) const = default;
};
void PrintTo(const TdcRow &r, std::ostream *os)
{
    *os << r.apex << ' ' << r.ibex.toStdString() << ' ' << r.bt.toStdString();
}

QList<TdcRow> tdcRows(TestProject &tp)
{
    QSqlQuery q(tp.pdb.db());
    EXPECT_TRUE(q.exec(u"SELECT Apex, IbexFilename, BACtalkFilename FROM TdcFiles ORDER BY Apex, IbexFilename"_qs));
    QList<TdcRow> rows;
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
    return rows;
}

class TuxFilesTest : public ::testing::Test {
protected:
    TuxFilesTest()
    {
        tp.vars.bactalkJobPath = tp.root() + u"/bactalk/acme/plaza"_qs;
        tp.wb.saveProjectVariables();
        QDir().mkpath(ddc());
    }
    QString ddc() const { return tp.vars.bactalkJobPath + u"/ddc"_qs; }
    QString tux(const QString &folder, const QString &name, const QByteArray &bytes = "DDC")
    {
        const QString path = tp.jobFolder() + u'/' + folder + u'/' + name;
        writeFile(path, bytes);
        return path;
    }
    QStringList logLines() const { return tp.wb.log.lines(); }
    TestProject tp;
};

} // namespace

TEST_F(TuxFilesTest, ListsTheTdcFilesOfMappedApexesWithTheirBacTalkNames)
{
    tp.mapApex(0, u"1"_qs, 0, 500);
    tp.mapApex(4, u"3"_qs, 0, 0, 0, 40000);
    tp.mapApex(7, u"1"_qs, 0, 7000);
    tux(u"tddc00"_qs, u"tux101.tdc"_qs);
    tux(u"tddc04"_qs, u"TUX312.TDC"_qs);
    tux(u"tddc04"_qs, u"tux31.tdc"_qs);
    tux(u"tddc04"_qs, u"tux3ab.tdc"_qs);
    tux(u"tddc04"_qs, u"tux112.tdc"_qs); // trunk 1 is not used by Apex 4
    tux(u"tddc04"_qs, u"X.TDC"_qs);
    tux(u"tddc04"_qs, u"X.TDC1"_qs);
    tux(u"tddc04"_qs, u"notes.txt"_qs);
    QDir().mkpath(tp.jobFolder() + u"/tddc04/folder.tdc"_qs);
    tux(u"TDDC07"_qs, u"Tux105.Tdc"_qs); // folder and file in other letter cases
    tux(u"tddc06"_qs, u"tux101.tdc"_qs); // Apex 6 is not mapped
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (9, 'old.tdc', 'old.tdc')"_qs);

    EXPECT_EQ(createDdcFileListCommand(tp.wb), 7);
    const QList<TdcRow> expected = {
        {0, u"tux101.tdc"_qs, u"dev501.tdc"_qs},
        {4, u"tux112.tdc"_qs, u"dev12.tdc"_qs}, // com 1's base is 0: the ComList does not decide names
        {4, u"tux31.tdc"_qs, u"A4-tux31.tdc"_qs},
        {4, u"TUX312.TDC"_qs, u"dev40012.tdc"_qs},
        {4, u"tux3ab.tdc"_qs, u"A4-tux3ab.tdc"_qs},
        {4, u"X.TDC"_qs, u"A4-X.TDC"_qs},
        {7, u"Tux105.Tdc"_qs, u"dev7005.tdc"_qs},
    };
    QList<TdcRow> rows = tdcRows(tp);
    std::sort(rows.begin(), rows.end(), [](const TdcRow &a, const TdcRow &b) {
        return a.apex != b.apex ? a.apex < b.apex : a.ibex.compare(b.ibex, Qt::CaseInsensitive) < 0;
    });
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows, expected);
}

TEST_F(TuxFilesTest, CopiesOnceNeverOverwritesAndLogsEveryFile)
{
    tp.mapApex(1, u"1"_qs, 0, 1200);
    tp.mapApex(2, u"1"_qs, 0, 1200); // the same device names as Apex 1
    tux(u"tddc01"_qs, u"tux105.tdc"_qs, "APEX ONE");
    tux(u"tddc02"_qs, u"TUX105.TDC"_qs, "APEX TWO");
    tux(u"tddc02"_qs, u"tux106.tdc"_qs, "SIX");
    createDdcFileListCommand(tp.wb);
    const QString sep = QDir::separator();

    TdcCopyOutcome first = copyTdcFilesCommand(tp.wb);
    EXPECT_EQ(first.copied, 2);
    EXPECT_EQ(first.existing, 1);
    // The lower Apex wins the shared name.
    EXPECT_EQ(readFile(ddc() + u"/dev1205.tdc"_qs), QByteArray("APEX ONE"));
    EXPECT_EQ(readFile(ddc() + u"/dev1206.tdc"_qs), QByteArray("SIX"));
    const QString dst5 = QDir::toNativeSeparators(ddc() + u"/dev1205.tdc"_qs);
    const QString dst6 = QDir::toNativeSeparators(ddc() + u"/dev1206.tdc"_qs);
    const QStringList expected = {
        u"Copying TDC files"_qs,
        u"Copied: tddc01"_qs + sep + u"tux105.tdc to "_qs + dst5,
        u"File exists: "_qs + dst5,
        u"Copied: tddc02"_qs + sep + u"tux106.tdc to "_qs + dst6,
    };
    QStringList lines = logLines();
    for (QString &l : lines)
        l = l.mid(l.indexOf(u"]: "_qs) >= 0 ? l.indexOf(u"]: "_qs) + 3 : 0).trimmed();
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(tdcFileExistsText(tp.vars.bactalkJobPath, u"dev1206.tdc"_qs), u"yes"_qs);
    EXPECT_EQ(tdcFileExistsText(tp.vars.bactalkJobPath, u"dev1207.tdc"_qs), QString());

    // A second copy: every file exists already and stays as it is.
    tp.wb.log.clear();
    const TdcCopyOutcome second = copyTdcFilesCommand(tp.wb);
    EXPECT_EQ(second.copied, 0);
    EXPECT_EQ(second.existing, 3);
    EXPECT_EQ(readFile(ddc() + u"/dev1205.tdc"_qs), QByteArray("APEX ONE"));
    EXPECT_EQ(logLines().filter(u"File exists: "_qs).size(), 3);
}

TEST_F(TuxFilesTest, MissingSourcesAndFailedCopiesAreNeverReportedAsCopied)
{
    tp.mapApex(1, u"1"_qs, 0, 1200);
    const QString gone = tux(u"tddc01"_qs, u"tux101.tdc"_qs);
    tux(u"tddc01"_qs, u"tux102.tdc"_qs);
    QDir().mkpath(tp.jobFolder() + u"/tddc01/tux103.tdc"_qs);
    createDdcFileListCommand(tp.wb);
    // The listed folder row is not a file; add it by hand as a user could.
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (1, 'tux103.tdc', 'dev1203.tdc')"_qs);
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (1, 'tux102.tdc', '../escape.tdc')"_qs);
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (1, '', 'dev1.tdc')"_qs);
    QFile::remove(gone);
    // The ddc folder is missing: no copy can succeed.
    QDir(ddc()).removeRecursively();

    const TdcCopyOutcome r = copyTdcFilesCommand(tp.wb);
    EXPECT_EQ(r.copied, 0);
    EXPECT_EQ(r.missing, 1);
    EXPECT_EQ(r.failed, 3);
    const QStringList lines = logLines();
    EXPECT_TRUE(lines.filter(u"Copied: "_qs).isEmpty());
    EXPECT_EQ(lines.filter(u"File missing: "_qs).size(), 1);
    EXPECT_EQ(lines.filter(u"Copy failed: "_qs).size(), 3);
    EXPECT_EQ(lines.filter(u"does not exist"_qs).size(), 1);
    EXPECT_EQ(lines.filter(u"not a file"_qs).size(), 1);
    EXPECT_EQ(lines.filter(u"not a plain file name"_qs).size(), 1);
    EXPECT_FALSE(QFile::exists(tp.root() + u"/bactalk/acme/plaza/escape.tdc"_qs));
    EXPECT_FALSE(QFileInfo::exists(ddc()));
}

TEST_F(TuxFilesTest, NeverWritesThroughALinkInTheDdcFolder)
{
    tp.mapApex(1, u"1"_qs, 0, 1200);
    tux(u"tddc01"_qs, u"tux101.tdc"_qs, "NEW");
    const QString victim = tp.root() + u"/victim.txt"_qs;
    writeFile(victim, "KEEP");
    if (!test::makeSymLink(victim, ddc() + u"/dev1201.tdc"_qs))
        GTEST_SKIP() << "this system makes no symbolic links (Wine)";
    ASSERT_TRUE(test::makeSymLink(tp.root() + u"/nowhere"_qs, ddc() + u"/dangling.tdc"_qs));
    createDdcFileListCommand(tp.wb);
    tp.exec(u"INSERT INTO TdcFiles (Apex, IbexFilename, BACtalkFilename) VALUES (1, 'tux101.tdc', 'dangling.tdc')"_qs);
    const TdcCopyOutcome r = copyTdcFilesCommand(tp.wb);
    // A link is no file that exists: each is a failure that says what it is.
    EXPECT_EQ(r.existing, 0);
    EXPECT_EQ(r.failed, 2);
    EXPECT_EQ(logLines().filter(u"is a symbolic link; files are never written through links."_qs).size(), 2);
    EXPECT_EQ(readFile(victim), QByteArray("KEEP"));
    EXPECT_FALSE(QFileInfo::exists(tp.root() + u"/nowhere"_qs));
}

// Only regular files go into the BACtalk job: a Tux file, or a tddc
// folder, that is a link is named as not copied and fails the copy; a
// FIFO, a folder or a link at a destination's name is said to be what it
// is, never "File exists", and "File Exists" is empty for it.
TEST_F(TuxFilesTest, LinksAreNeverCopiedAndDestinationsAreNamedForWhatTheyAre)
{
    tp.mapApex(1, u"12"_qs, 0, 1200, 1300);
    tp.mapApex(2, u"1"_qs, 0, 2200);
    const QString secret = tp.root() + u"/passwd"_qs;
    writeFile(secret, "root:x:0:0");
    ASSERT_TRUE(QDir().mkpath(tp.jobFolder() + u"/tddc01"_qs));
    for (const char *name : {"tux102.tdc", "tux103.tdc", "tux104.tdc", "tux105.tdc"})
        tux(u"tddc01"_qs, QLatin1String(name), "DDC");
    writeFile(tp.root() + u"/elsewhere/tux101.tdc"_qs, "OTHER");
    QDir().mkpath(ddc() + u"/dev1203.tdc"_qs);
    if (!test::makeSymLink(secret, tp.jobFolder() + u"/tddc01/tux101.tdc"_qs)
        || !test::makeSymLink(tp.root() + u"/elsewhere"_qs, tp.jobFolder() + u"/tddc02"_qs)
        || !test::makeFifo(ddc() + u"/dev1202.tdc"_qs)
        || !test::makeSymLink(tp.root() + u"/target.tdc"_qs, ddc() + u"/dev1204.tdc"_qs))
        GTEST_SKIP() << "this system cannot make links and FIFOs in a folder";
    createDdcFileListCommand(tp.wb);

    const TdcCopyOutcome r = copyTdcFilesCommand(tp.wb);
    EXPECT_EQ(r.copiedFiles, QStringList{u"dev1205.tdc"_qs});
    EXPECT_EQ(r.existing, 0);
    EXPECT_EQ(r.failed, 5);
    const QStringList lines = logLines();
    const auto has = [&lines](const QString &text) {
        EXPECT_EQ(lines.filter(text).size(), 1) << text.toStdString() << "\n" << lines.join(u'\n').toStdString();
    };
    has(QStringLiteral("Not copied: %1 is a link; links are never copied into the BACtalk job.")
            .arg(QDir::toNativeSeparators(tp.jobFolder() + u"/tddc01/tux101.tdc"_qs)));
    has(QStringLiteral("Not copied: %1 is a link; links are never copied into the BACtalk job.")
            .arg(QDir::toNativeSeparators(tp.jobFolder() + u"/tddc02"_qs)));
    has(QStringLiteral("\"%1\" is not a file.").arg(QDir::toNativeSeparators(ddc() + u"/dev1202.tdc"_qs)));
    has(QStringLiteral("\"%1\" is a folder, not a file.").arg(QDir::toNativeSeparators(ddc() + u"/dev1203.tdc"_qs)));
    has(QStringLiteral("\"%1\" is a symbolic link; files are never written through links.")
            .arg(QDir::toNativeSeparators(ddc() + u"/dev1204.tdc"_qs)));
    EXPECT_TRUE(lines.filter(u"File exists: "_qs).isEmpty());
    EXPECT_FALSE(QFile::exists(ddc() + u"/dev1201.tdc"_qs));
    EXPECT_FALSE(QFile::exists(ddc() + u"/dev2201.tdc"_qs));
    EXPECT_EQ(readFile(ddc() + u"/dev1205.tdc"_qs), QByteArray("DDC"));
    EXPECT_EQ(dumpTableCommand(tp.wb, u"TdcFiles"_qs), u"Apex,IbexFilename,BACtalkFilename,FileExists\r\n"
                                                      "1,tux101.tdc,dev1201.tdc,\r\n"
                                                      "1,tux102.tdc,dev1202.tdc,\r\n"
                                                      "1,tux103.tdc,dev1203.tdc,\r\n"
                                                      "1,tux104.tdc,dev1204.tdc,\r\n"
                                                      "1,tux105.tdc,dev1205.tdc,yes\r\n"
                                                      "2,tux101.tdc,dev2201.tdc,\r\n"_qs);
}

// A Tux file whose name is not text in this system's encoding cannot be
// listed (nothing could open it again by its name): the log names it.
TEST_F(TuxFilesTest, AFileNameThatIsNotTextIsNamedInTheLog)
{
    tp.mapApex(1, u"1"_qs, 0, 1200);
    tux(u"tddc01"_qs, u"tux101.tdc"_qs);
    if (!test::makeFileNamedWithBytes(tp.jobFolder() + u"/tddc01"_qs, "tux1\xff" "2.tdc"))
        GTEST_SKIP() << "this system names files in text: every name can be listed";
    EXPECT_EQ(createDdcFileListCommand(tp.wb), 1);
    EXPECT_EQ(tp.pdb.refusedPosts(), 1);
    EXPECT_EQ(logLines().filter(u"Not written to TdcFiles (Apex 1, tux1?2.tdc): the name of this file in tddc01 is "
                                "not valid text in this system's encoding; rename it to list and copy it"_qs)
                  .size(),
              1)
        << logLines().join(u'\n').toStdString();
}

TEST_F(TuxFilesTest, DumpShowsWhetherEachFileIsInTheBacTalkJob)
{
    tp.mapApex(1, u"1"_qs, 0, 1200);
    tux(u"tddc01"_qs, u"tux101.tdc"_qs);
    tux(u"tddc01"_qs, u"tux102.tdc"_qs);
    createDdcFileListCommand(tp.wb);
    writeFile(ddc() + u"/dev1202.tdc"_qs, "THERE");
    EXPECT_EQ(dumpTableCommand(tp.wb, u"TdcFiles"_qs), u"Apex,IbexFilename,BACtalkFilename,FileExists\r\n"
                                                      "1,tux101.tdc,dev1201.tdc,\r\n"
                                                      "1,tux102.tdc,dev1202.tdc,yes\r\n"_qs);
}
