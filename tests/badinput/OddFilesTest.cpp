// Links, FIFOs, folders, devices, oversized and damaged files where the job
// has files: nothing is written through a link, nothing waits on a FIFO or
// reads a stream without end, and each is named for what it is.
#include "BadInputSite.h"
#include "support/WorkbenchProject.h"

#include "ibex/IbexDisplayLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

struct Row {
    const char *name;
    std::function<void(const BadInputSite &)> setUp;
    QStringList args;
    int exitCode;
    const char *message; // in what it printed
    // Checks after the run; `before` is the snapshot taken after setUp.
    std::function<void(const BadInputSite &, const QMap<QString, QByteArray> &before)> check;
};

void runRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BadInputSite site;
        ASSERT_TRUE(site.ok()) << site.failure().toStdString();
        row.setUp(site);
        const auto before = site.snapshot({u"job/vorlix.log"_qs});
        CliOptions options;
        options.timeoutMs = 30000; // a FIFO must never make it wait
        const CliResult r = site.run(row.args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE((r.out + r.err).contains(QLatin1String(row.message))) << r.err.toStdString();
        EXPECT_EQ(BadInputSite::integrity(site.job + u"/vorlix.mdb"_qs), u"ok"_qs);
        if (row.check)
            row.check(site, before);
    }
}

QString outside(const BadInputSite &s) { return QFileInfo(s.root).path() + u"/victim"_qs; }

void replaceByFifo(const QString &path)
{
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
}

void victimUnchanged(const BadInputSite &s, const QMap<QString, QByteArray> &)
{
    EXPECT_EQ(readFile(outside(s)), QByteArray("precious\n"));
}

void storedUnchanged(const BadInputSite &s, const QMap<QString, QByteArray> &before)
{
    EXPECT_EQ(BadInputSite::changed(s.snapshot({u"job/vorlix.log"_qs}), before).join(u' ').toStdString(), "");
}

} // namespace

TEST(Links, NothingIsWrittenThroughALink)
{
    const auto linkLog = [](const BadInputSite &s) {
        writeFile(outside(s), "precious\n");
        QFile::remove(s.job + u"/vorlix.log"_qs);
        ASSERT_TRUE(QFile::link(outside(s), s.job + u"/vorlix.log"_qs));
    };
    runRows({
        {"log linked to a file outside", linkLog, {"dump", "JOB", "ApexMap"}, 1, "symbolic link", victimUnchanged},
        {"log linked to nowhere",
         [](const BadInputSite &s) {
             QFile::remove(s.job + u"/vorlix.log"_qs);
             ASSERT_TRUE(QFile::link(outside(s) + u"-new"_qs, s.job + u"/vorlix.log"_qs));
         },
         {"dump", "JOB", "ApexMap"}, 1, "symbolic link",
         [](const BadInputSite &s, const QMap<QString, QByteArray> &) {
             EXPECT_FALSE(QFileInfo::exists(outside(s) + u"-new"_qs)) << "the link's target was made";
         }},
        {"output display linked to a file outside",
         [](const BadInputSite &s) {
             writeFile(outside(s), "precious\n");
             QFile::remove(s.displays + u"/00000001.dsp"_qs);
             ASSERT_TRUE(QFile::link(outside(s), s.displays + u"/00000001.dsp"_qs));
         },
         {"--yes", "create-display", "JOB", "disp0001.ibw"}, 1, "symbolic link",
         [](const BadInputSite &s, const QMap<QString, QByteArray> &) {
             EXPECT_EQ(readFile(outside(s)), QByteArray("precious\n"));
             EXPECT_TRUE(QFileInfo(s.displays + u"/00000001.dsp"_qs).isSymLink());
         }},
        {"a Tux DDC file linked to a file outside the job",
         [](const BadInputSite &s) {
             writeFile(outside(s), "precious\n");
             ASSERT_EQ(s.run({"tdc-list", "JOB"}).exitCode, 0);
             QFile::remove(s.job + u"/tddc01/tux103.tdc"_qs);
             ASSERT_TRUE(QFile::link(outside(s), s.job + u"/tddc01/tux103.tdc"_qs));
         },
         {"tdc-copy", "JOB"}, 1, "1 Tux DDC file(s) could not be copied",
         [](const BadInputSite &s, const QMap<QString, QByteArray> &) {
             EXPECT_TRUE(readFile(s.job + u"/vorlix.log"_qs)
                             .contains("tux103.tdc is a link; links are never copied into the BACtalk job."));
             EXPECT_FALSE(QFileInfo::exists(s.bactalk + u"/ddc/dev1203.tdc"_qs));
             EXPECT_TRUE(QFileInfo::exists(s.bactalk + u"/ddc/dev1204.tdc"_qs)); // the others are copied
             EXPECT_EQ(readFile(outside(s)), QByteArray("precious\n"));
         }},
        {"a link where a Tux DDC file is to go",
         [](const BadInputSite &s) {
             writeFile(outside(s), "precious\n");
             ASSERT_EQ(s.run({"tdc-list", "JOB"}).exitCode, 0);
             QDir().mkpath(s.bactalk + u"/ddc"_qs);
             ASSERT_TRUE(QFile::link(outside(s), s.bactalk + u"/ddc/dev1203.tdc"_qs));
         },
         {"tdc-copy", "JOB"}, 1, "1 Tux DDC file(s) could not be copied",
         [](const BadInputSite &s, const QMap<QString, QByteArray> &before) {
             EXPECT_TRUE(readFile(s.job + u"/vorlix.log"_qs)
                             .contains("dev1203.tdc\" is a symbolic link; files are never written through links."));
             EXPECT_FALSE(readFile(s.job + u"/vorlix.log"_qs).contains("File exists: "));
             victimUnchanged(s, before);
         }},
    });
}

TEST(Fifos, NoCommandWaitsOnAFifo)
{
    runRows({
        {"a FIFO named like a display",
         [](const BadInputSite &s) { replaceByFifo(s.job + u"/ldisplay/disp0099.ibw"_qs); },
         {"--yes", "create-display", "JOB", "--all"}, 1, "is not a file",
         [](const BadInputSite &, const QMap<QString, QByteArray> &) {}},
        {"a FIFO named vorlix.log", [](const BadInputSite &s) { replaceByFifo(s.job + u"/vorlix.log"_qs); },
         {"dump", "JOB", "ApexMap"}, 1, "not a file", storedUnchanged},
        {"a FIFO in place of a DDC file", [](const BadInputSite &s) { replaceByFifo(s.job + u"/apex01.adc"_qs); },
         {"--yes", "read-ddc", "JOB"}, 0, "apex01.adc (is not a file)", nullptr},
        {"a folder in place of a DDC file",
         [](const BadInputSite &s) {
             QFile::remove(s.job + u"/apex01.adc"_qs);
             QDir().mkdir(s.job + u"/apex01.adc"_qs);
         },
         {"--yes", "read-ddc", "JOB"}, 0, "apex01.adc (is a folder, not a file)", nullptr},
        {"a folder in place of a display",
         [](const BadInputSite &s) {
             QFile::remove(s.job + u"/ldisplay/disp0001.ibw"_qs);
             QDir().mkdir(s.job + u"/ldisplay/disp0001.ibw"_qs);
         },
         {"--yes", "create-display", "JOB", "disp0001.ibw"}, 1, "is a folder, not a file", storedUnchanged},
    });
}

TEST(Oversized, EndlessAndHugeFilesAreNotReadWhole)
{
    runRows({
        {"log linked to /dev/zero",
         [](const BadInputSite &s) {
             QFile::remove(s.job + u"/vorlix.log"_qs);
             ASSERT_TRUE(QFile::link(u"/dev/zero"_qs, s.job + u"/vorlix.log"_qs));
         },
         {"dump", "JOB", "ApexMap"}, 1, "", storedUnchanged},
        {"dump-display of /dev/zero", [](const BadInputSite &) {}, {"dump-display", "/dev/zero"}, 1, "is not a file",
         nullptr},
        {"a 50 MB log is appended to, not rewritten",
         [](const BadInputSite &s) {
             QByteArray big;
             const QByteArray line = "[1 Jan 2020 10:00:00]: an old entry with some words in it\r\n";
             while (big.size() < 50 * 1024 * 1024)
                 big += line;
             writeFile(s.job + u"/vorlix.log"_qs, big);
         },
         {"dump", "JOB", "ApexMap"}, 0, "",
         [](const BadInputSite &s, const QMap<QString, QByteArray> &) {
             const QByteArray now = readFile(s.job + u"/vorlix.log"_qs);
             ASSERT_GT(now.size(), 50 * 1024 * 1024);
             const QByteArray line = "[1 Jan 2020 10:00:00]: an old entry with some words in it\r\n";
             const qsizetype old = ((50 * 1024 * 1024 + line.size() - 1) / line.size()) * line.size();
             EXPECT_TRUE(now.first(old).endsWith(line));
             EXPECT_EQ(now.first(old).count(line), old / line.size());
             EXPECT_TRUE(now.mid(old).contains("Opened project"));
         }},
    });
}

TEST(DamagedDisplays, AreNamedAndNeverReplaceAGoodOutput)
{
    const auto cut = [](qsizetype size) {
        return [size](const BadInputSite &s) {
            const QString path = s.job + u"/ldisplay/disp0001.ibw"_qs;
            writeFile(path, readFile(path).first(size));
        };
    };
    runRows({
        {"an empty display", cut(0), {"--yes", "create-display", "JOB", "disp0001.ibw"}, 1, "at offset 188",
         storedUnchanged},
        {"a display cut inside its first record", cut(200), {"--yes", "create-display", "JOB", "--all"}, 1,
         "damaged or missing object record", storedUnchanged},
    });
}

// A display cut inside a record, with no BACtalk file yet: what the file
// holds is written, the command fails, and the offset it names is that of
// the record the cut damaged (not one past the end of the file).
TEST(DamagedDisplays, APartlyWrittenDisplayFailsAndNamesWhereTheDamageStarts)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    const QString path = site.job + u"/ldisplay/disp0001.ibw"_qs;
    const QByteArray bytes = readFile(path);
    const auto lengthAt = [&bytes](int offset) { return int(uchar(bytes[offset])) | int(uchar(bytes[offset + 1])) << 8; };
    const int second = ibw::FirstRecordPosition - 1 + lengthAt(ibw::FirstRecordPosition - 1);
    ASSERT_LT(second + lengthAt(second), bytes.size()) << "the sample display has a second record";
    writeFile(path, bytes.first(second + 5));
    QFile::remove(site.displays + u"/00000001.dsp"_qs);
    const CliResult r = site.run({"--yes", "create-display", "JOB", "disp0001.ibw"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.startsWith(u"Display written: "_qs)) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("has a damaged or missing object record at offset %1:").arg(second)))
        << r.err.toStdString();
}

TEST(HostileNames, NamesFromFilesStayInsideTheJob)
{
    const auto background = [](const char *name) {
        return [name](const BadInputSite &s) {
            writeFile(s.root + u"/secret.bmp"_qs, "secret");
            const QString path = s.job + u"/ldisplay/disp0001.ibw"_qs;
            QByteArray bytes = readFile(path);
            ASSERT_GT(bytes.size(), ibw::HeaderSize);
            QByteArray field(ibw::hdr::BackgroundKind - ibw::hdr::BitmapName, '\0');
            field.replace(0, qsizetype(strlen(name)), name);
            bytes.replace(ibw::hdr::BitmapName, field.size(), field);
            bytes[ibw::hdr::BackgroundKind] = char(ibw::BackgroundBitmap);
            writeFile(path, bytes);
        };
    };
    const auto nothingCopied = [](const BadInputSite &s, const QMap<QString, QByteArray> &) {
        const QStringList bitmaps = QDir(s.bactalk + u"/bitmaps"_qs).entryList(QDir::Files);
        EXPECT_FALSE(bitmaps.contains(u"hostname"_qs, Qt::CaseInsensitive));
        EXPECT_FALSE(bitmaps.contains(u"secret.bmp"_qs, Qt::CaseInsensitive));
        const QByteArray out = readFile(s.displays + u"/00000001.dsp"_qs);
        EXPECT_FALSE(out.contains("..")) << "a path was written into the display header";
        EXPECT_FALSE(out.contains("/etc"));
        EXPECT_FALSE(out.contains("\\etc"));
    };
    std::vector<Row> rows;
    for (const char *name : {"\\etc\\hostname", "..\\..\\secret.bmp", "../../secret.bmp", "/etc/hostname"})
        rows.push_back({name, background(name), {"--yes", "create-display", "JOB", "disp0001.ibw"}, 0, "", nothingCopied});
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BadInputSite site;
        ASSERT_TRUE(site.ok()) << site.failure().toStdString();
        row.setUp(site);
        CliOptions options;
        options.workingDir = site.job + u"/ldisplay"_qs; // where a relative path would lead
        const CliResult r = site.run(row.args, options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        row.check(site, {});
    }
}

TEST(HostileNames, PathsThatAreNotTextAreRefused)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    // The bytes go through a shell: a QString cannot hold them.
    QProcess p;
    p.start(u"/bin/sh"_qs, {u"-c"_qs, u"exec \"$0\" --app-dir \"$1\" sample-job \"$2/new$(printf '\\377')\""_qs,
                            cliProgram(), site.app, site.root});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"not text"_qs));
    const QStringList made = QDir(site.root).entryList({u"new*"_qs}, QDir::AllEntries);
    EXPECT_TRUE(made.isEmpty()) << made.join(u' ').toStdString();
}

// A run killed while it wrote leaves its temporary files beside the
// outputs; the next run that writes into the folder removes them.
TEST(KilledRuns, TheirTemporaryFilesGoWithTheNextWrite)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    const QStringList left = {u".00000001.dsp.1x2y3z.tmp"_qs, u".00000002.dsp.9.tmp"_qs};
    for (const QString &name : left)
        writeFile(site.displays + u'/' + name, "half a display");
    writeFile(site.bactalk + u"/ddc/.dev1203.tdc.abc.tmp"_qs, "half a file");
    ASSERT_EQ(site.run({"--yes", "create-display", "JOB", "disp0001.ibw"}).exitCode, 0);
    for (const QString &name : left)
        EXPECT_FALSE(QFileInfo::exists(site.displays + u'/' + name)) << name.toStdString();
    // Another folder keeps its own until something is written there.
    EXPECT_TRUE(QFileInfo::exists(site.bactalk + u"/ddc/.dev1203.tdc.abc.tmp"_qs));
    ASSERT_EQ(site.run({"tdc-list", "JOB"}).exitCode, 0);
    ASSERT_EQ(site.run({"tdc-copy", "JOB"}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(site.bactalk + u"/ddc/.dev1203.tdc.abc.tmp"_qs));
}
