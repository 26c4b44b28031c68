// create-display and dump-display through the real vorlix-cli on the
// sample job.
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

class DisplayCreationCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(cli({u"sample-job"_qs, dir.filePath(u"s"_qs)}).code, 0);
    }

    CliRun cli(const QStringList &args)
    {
        QProcess p;
        p.setProgram(QStringLiteral(VORLIX_BIN_DIR) + u"/vorlix-cli"_qs);
        p.setArguments(QStringList{u"--app-dir"_qs, dir.filePath(u"app"_qs)} + args);
        p.start();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    QString job() const { return dir.filePath(u"s/job"_qs); }
    QString displays() const { return dir.filePath(u"s/bactalk/acme/plaza/displays"_qs); }
    QByteArray read(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DisplayCreationCli, EverySampleDisplayIsWrittenAndReadsBack)
{
    const struct {
        const char *file;
        bool local;
        const char *target;
    } cases[] = {{"disp0001.ibw", false, "00000001.dsp"}, {"disp0002.ibw", false, "00000002.dsp"},
                 {"disp0003.ibw", false, "00000003.dsp"}, {"disp0004.ibw", false, "00000004.dsp"},
                 {"ccpd0001.ibw", false, "00000001.dvt"}, {"disp0010.ibw", true, "00000010.dsp"}};
    for (const auto &c : cases) {
        QStringList args{u"create-display"_qs, job(), QString::fromLatin1(c.file)};
        if (c.local)
            args << u"--local"_qs;
        const CliRun r = cli(args);
        EXPECT_EQ(r.code, 0) << c.file << r.err.toStdString();
        const QString path = displays() + u'/' + QLatin1String(c.target);
        EXPECT_TRUE(r.out.contains(u"Display written: "_qs + QDir::toNativeSeparators(path))) << r.out.toStdString();
        const CliRun dump = cli({u"dump-display"_qs, path});
        EXPECT_EQ(dump.code, 0) << c.file << dump.err.toStdString();
        EXPECT_TRUE(dump.out.startsWith(u"Header (394 bytes)"_qs));
        EXPECT_TRUE(dump.out.contains(u"End marker at offset"_qs));
    }
    // The local display's background lies in the sample's bitmap library;
    // the plant display's background was copied into the job.
    const CliRun local = cli({u"dump-display"_qs, displays() + u"/00000010.dsp"_qs});
    EXPECT_TRUE(local.out.contains(u"  BitmapSource: 2\n"_qs));
    EXPECT_TRUE(local.out.contains(u"  BitmapRep: \"alerton\"\n"_qs));
    EXPECT_TRUE(QFile::exists(dir.filePath(u"s/bactalk/acme/plaza/bitmaps/plant.bmp"_qs)));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"s/bactalk/acme/plaza/bitmaps/lobby.bmp"_qs)));
    const QString log = QString::fromLatin1(read(job() + u"/vorlix.log"_qs));
    EXPECT_TRUE(log.contains(u"\tTranslated 13 objects.\r\n"_qs)) << log.toStdString();
    EXPECT_TRUE(log.contains(u"\t\tCheckbox: Reversed DO state!\r\n"_qs));
}

TEST_F(DisplayCreationCli, ExistingFileIsKeptWithoutYes)
{
    ASSERT_EQ(cli({u"create-display"_qs, job(), u"disp0004.ibw"_qs}).code, 0);
    const QString path = displays() + u"/00000004.dsp"_qs;
    const QByteArray first = read(path);

    // An override, then a second run without --yes: the file stays.
    ASSERT_EQ(cli({u"override"_qs, job(), u"disp0004.ibw"_qs, u"2"_qs, u"--point"_qs, u"1203:BO-6-P87[8]"_qs}).code, 0);
    const CliRun kept = cli({u"create-display"_qs, job(), u"disp0004.ibw"_qs});
    EXPECT_EQ(kept.code, 0);
    EXPECT_TRUE(kept.out.contains(u"Nothing written: the existing file was kept"_qs)) << kept.out.toStdString();
    EXPECT_EQ(read(path), first);

    // With --yes the override is written: object 2 follows the 247-byte label.
    const CliRun written = cli({u"--yes"_qs, u"create-display"_qs, job(), u"disp0004.ibw"_qs});
    EXPECT_EQ(written.code, 0) << written.err.toStdString();
    const CliRun dump = cli({u"dump-display"_qs, path});
    const qsizetype at = dump.out.indexOf(u"Record 2 at offset 641: read-only value (301 bytes)"_qs);
    ASSERT_GE(at, 0) << dump.out.toStdString();
    const QString rec2 = dump.out.mid(at, dump.out.indexOf(u"Record 3"_qs) - at);
    EXPECT_TRUE(rec2.contains(u"  DevID: 0x0004B300\n  CurrDev: 0\n  PtType: 4\n  ObjInst: 6\n  ObjProp: 87\n"
                              "  UsePrio: 1\n  Prio: 8\n"_qs))
        << rec2.toStdString();

    // Single-row mode on grid row 3 (object 2).
    const CliRun single = cli({u"--yes"_qs, u"create-display"_qs, job(), u"disp0004.ibw"_qs, u"--row"_qs, u"3"_qs});
    EXPECT_EQ(single.code, 0);
    EXPECT_EQ(read(path).size(), 394 + 301 + 2);
}

TEST_F(DisplayCreationCli, AllDisplaysAtOnceWriteWhatEachCommandWrites)
{
    const CliRun all = cli({u"create-display"_qs, job(), u"--all"_qs});
    EXPECT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_TRUE(all.out.contains(u"Displays written: 15 of 15\n"_qs)) << all.out.toStdString();
    // Translation errors are told once for the batch.
    EXPECT_EQ(all.out.count(u"Translation errors may need correcting."_qs), 1) << all.out.toStdString();
    QDir folder(displays());
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 15);
    std::vector<QByteArray> batch;
    for (const QString &f : files)
        batch.push_back(read(folder.filePath(f)));

    // Without --yes every existing file is kept, and the command says so.
    const CliRun again = cli({u"create-display"_qs, job(), u"--all"_qs});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(again.out.contains(u"Displays written: 0 of 15 (15 existing files kept"_qs)) << again.out.toStdString();

    // Display by display, the same bytes.
    const struct {
        const char *file;
        bool local;
        const char *target;
    } some[] = {{"disp0002.ibw", false, "00000002.dsp"}, {"ccpd0001.ibw", false, "00000001.dvt"},
                {"disp0010.ibw", true, "00000010.dsp"}};
    for (const auto &c : some) {
        QStringList args{u"--yes"_qs, u"create-display"_qs, job(), QString::fromLatin1(c.file)};
        if (c.local)
            args << u"--local"_qs;
        ASSERT_EQ(cli(args).code, 0) << c.file;
        const qsizetype i = files.indexOf(QLatin1String(c.target));
        ASSERT_GE(i, 0) << c.target;
        EXPECT_EQ(read(folder.filePath(files[i])), batch[static_cast<size_t>(i)]) << c.target;
    }
    EXPECT_EQ(cli({u"create-display"_qs, job(), u"disp0001.ibw"_qs, u"--all"_qs}).code, 2);
    EXPECT_EQ(cli({u"create-display"_qs, job(), u"--all"_qs, u"--row"_qs, u"2"_qs}).code, 2);
    EXPECT_EQ(cli({u"create-display"_qs, job()}).code, 2);
}

TEST_F(DisplayCreationCli, BadInput)
{
    EXPECT_EQ(cli({u"create-display"_qs, job(), u"disp0099.ibw"_qs}).code, 1);
    EXPECT_EQ(cli({u"create-display"_qs, job(), u"../x.ibw"_qs}).code, 2);
    EXPECT_EQ(cli({u"create-display"_qs, job(), u"disp0001.ibw"_qs, u"--row"_qs, u"0"_qs}).code, 2);
    // A damaged display file: a message naming it, exit 1.
    const QString bad = dir.filePath(u"bad.dsp"_qs);
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(400, '\x01'));
    f.close();
    const CliRun dump = cli({u"dump-display"_qs, bad});
    EXPECT_EQ(dump.code, 1);
    EXPECT_TRUE(dump.err.contains(u"bad.dsp"_qs)) << dump.err.toStdString();
    // No BACtalk job folder: nothing written.
    ASSERT_EQ(cli({u"set"_qs, job(), u"BactalkJobPath"_qs, dir.filePath(u"none"_qs)}).code, 0);
    const CliRun none = cli({u"create-display"_qs, job(), u"disp0001.ibw"_qs});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.out.contains(u"BACtalk job path is not set or does not exist!"_qs));
}

TEST_F(DisplayCreationCli, AFileHeldOpenByAnotherProgramIsNamedAndKept)
{
    ASSERT_EQ(cli({u"create-display"_qs, job(), u"disp0004.ibw"_qs}).code, 0);
    const QString path = displays() + u"/00000004.dsp"_qs;
    const QByteArray old = read(path);
    const vorlix::test::HeldOpenFile holder(path);
    if (!holder.held())
        GTEST_SKIP() << "an open file does not stop its replacement on this system";
    const CliRun r = cli({u"--yes"_qs, u"create-display"_qs, job(), u"disp0004.ibw"_qs});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(path))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"in use by another program"_qs)) << r.err.toStdString();
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(QDir(displays()).entryList(QDir::Files | QDir::Hidden).filter(u".tmp"_qs), QStringList());
}
