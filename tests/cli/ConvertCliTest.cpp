// convert on the sample job through the real vorlix-cli: the stage outputs,
// the report, a second run without --yes, --scanned-only and failing stages.
#include "support/SampleCliFixture.h"
#include "support/WorkbenchProject.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

using vorlix::test::CliResult;
using vorlix::test::readFile;
using vorlix::test::writeFile;

namespace {

class ConvertCli : public vorlix::test::SampleCliFixture {
protected:
    QString bt() const { return root() + u"/out/acme/plaza"_qs; }

    QJsonObject report() const
    {
        return QJsonDocument::fromJson(readFile(bt() + u"/conversion-report.json"_qs)).object();
    }

    static std::map<QString, QString> stages(const QJsonObject &r)
    {
        std::map<QString, QString> out;
        for (const QJsonValue &s : r[u"stages"_qs].toArray())
            out[s[u"name"_qs].toString()] = s[u"status"_qs].toString();
        return out;
    }

    // Every file below the BACtalk job with its bytes.
    std::map<QString, QByteArray> outputs() const
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(bt(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            if (!f.contains(u"conversion-report"_qs))
                files[f] = readFile(f);
        }
        return files;
    }

    // The size a picture of `full` gets as a thumbnail: at most 240 pixels
    // on either side, never larger than the display.
    static QSize thumbnailSize(const QSize &full, const QSize &other)
    {
        const int side = qMax(qMax(full.width(), other.width()), qMax(full.height(), other.height()));
        const double scale = qMin(1.0, 240.0 / side);
        return {qMax(1, qRound(full.width() * scale)), qMax(1, qRound(full.height() * scale))};
    }

    // The full-size picture the CLI draws of a display, as an image.
    QImage drawn(const QStringList &args, const QString &png) const
    {
        const CliResult r = cli(args + QStringList{u"--png"_qs, png});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(png);
    }
};

TEST_F(ConvertCli, ConvertsTheSampleJobAndReportsEveryDisplayScriptTuxFileAndDevice)
{
    const CliResult r = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt(), u"--workstation"_qs, u"25"_qs,
                          u"--points"_qs, root() + u"/points.mdb"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QDir::toNativeSeparators(bt() + u"/conversion-report.html"_qs))) << r.out.toStdString();
    // One line per stage on stderr.
    EXPECT_TRUE(r.err.contains(u"convert: read DDC files: ok"_qs)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"convert: merge devices"_qs) == false);

    const QJsonObject rep = report();
    EXPECT_EQ(QDir(rep[u"bactalk"_qs].toString()), QDir(bt()));
    for (const auto &[name, status] : stages(rep))
        EXPECT_EQ(status, u"ok"_qs) << name.toStdString();
    EXPECT_EQ(stages(rep).count(u"build workstation"_qs), 1u);
    EXPECT_EQ(stages(rep).count(u"export points"_qs), 1u);

    // Every listed display is written or accounted for with a reason.
    const QJsonArray displays = rep[u"displays"_qs].toArray();
    ASSERT_GT(displays.size(), 3);
    int written = 0, redirectedOrSkipped = 0;
    for (const QJsonValue &d : displays) {
        const QString status = d[u"status"_qs].toString();
        const QString file = bt() + u"/displays/"_qs + d[u"bactalk"_qs].toString();
        if (status == u"written"_qs) {
            ++written;
            EXPECT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
            EXPECT_GE(d[u"objects"_qs].toInt(), 0);
        } else {
            ++redirectedOrSkipped;
            EXPECT_FALSE(d[u"reason"_qs].toString().isEmpty() && status != u"redirected"_qs)
                << d[u"ibex"_qs].toString().toStdString();
        }
        for (const QJsonValue &p : d[u"problems"_qs].toArray()) {
            EXPECT_GT(p[u"object"_qs].toInt(), 0);
            EXPECT_FALSE(p[u"text"_qs].toString().isEmpty());
        }
    }
    EXPECT_GT(written, 0);
    // The sample links to a display that is not there.
    EXPECT_FALSE(rep[u"missingFiles"_qs].toArray().isEmpty());

    const QJsonArray scripts = rep[u"scripts"_qs].toArray();
    ASSERT_FALSE(scripts.isEmpty());
    for (const QJsonValue &s : scripts)
        EXPECT_TRUE(QFileInfo(bt() + u"/ddc/"_qs + s.toString()).isFile()) << s.toString().toStdString();
    const QJsonArray copied = rep[u"tdc"_qs][u"copied"_qs].toArray();
    ASSERT_FALSE(copied.isEmpty());
    for (const QJsonValue &s : copied)
        EXPECT_TRUE(QFileInfo(bt() + u"/ddc/"_qs + s.toString()).isFile()) << s.toString().toStdString();
    const QJsonObject devices = rep[u"devices"_qs].toObject();
    EXPECT_GT(devices[u"gateways"_qs].toInt(), 0);
    EXPECT_GT(devices[u"tux"_qs].toInt(), 0);
    EXPECT_EQ(devices[u"workstations"_qs].toInt(), 1);
    EXPECT_TRUE(QFileInfo(root() + u"/points.mdb"_qs).isFile());

    // The same facts in the page.
    const QByteArray html = readFile(bt() + u"/conversion-report.html"_qs);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>\r\n"));
    EXPECT_TRUE(html.contains("Needs a hand"));
    EXPECT_TRUE(html.contains(scripts.first().toString().toLatin1()));

    // Each written display has its Ibex and BACtalk thumbnails in report/,
    // valid PNG files, shown side by side in the page by relative paths.
    EXPECT_EQ(rep[u"thumbnailFolder"_qs].toString(), u"report"_qs);
    int pairs = 0;
    for (const QJsonValue &d : displays) {
        const QJsonObject t = d[u"thumbnails"_qs].toObject();
        if (d[u"status"_qs].toString() != u"written"_qs) {
            EXPECT_TRUE(t.isEmpty()) << d[u"bactalk"_qs].toString().toStdString();
            continue;
        }
        const QString name = d[u"bactalk"_qs].toString();
        ASSERT_EQ(t[u"ibex"_qs].toString(), name + u".ibex.png"_qs) << d[u"thumbnailNote"_qs].toString().toStdString();
        ASSERT_EQ(t[u"bactalk"_qs].toString(), name + u".bactalk.png"_qs);
        const QImage ibex(bt() + u"/report/"_qs + t[u"ibex"_qs].toString());
        const QImage btImage(bt() + u"/report/"_qs + t[u"bactalk"_qs].toString());
        ASSERT_FALSE(ibex.isNull()) << name.toStdString();
        ASSERT_FALSE(btImage.isNull()) << name.toStdString();
        EXPECT_LE(qMax(ibex.width(), btImage.width()), 240);
        const QByteArray pair = "<img src=\"report/" + t[u"ibex"_qs].toString().toLatin1()
                                + "\" alt=\"Ibex\"><figcaption>Ibex</figcaption></figure><figure><img src=\"report/"
                                + t[u"bactalk"_qs].toString().toLatin1() + "\" alt=\"BACtalk\">";
        EXPECT_TRUE(html.contains(pair)) << name.toStdString();
        ++pairs;
    }
    EXPECT_EQ(pairs, written);

    // Project rows: the devices are in tblRepJob.
    const CliResult dump = cli({u"dump"_qs, job(), u"tblRepJob"_qs});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_GE(dump.out.count(u'\n'), 1 + devices[u"gateways"_qs].toInt() + devices[u"tux"_qs].toInt() + 1);

    // A second run without --yes keeps every file and says so.
    const auto before = outputs();
    const CliResult again = cli({u"convert"_qs, job(), u"--bactalk"_qs, bt()});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(u"existing display file(s) kept"_qs)) << again.out.toStdString();
    EXPECT_EQ(outputs(), before);
    const QJsonObject second = report();
    for (const QJsonValue &d : second[u"displays"_qs].toArray())
        EXPECT_NE(d[u"status"_qs].toString(), u"written"_qs);
    EXPECT_TRUE(second[u"scripts"_qs].toArray().isEmpty());
    EXPECT_EQ(second[u"tdc"_qs][u"exists"_qs].toArray().size(), copied.size());

    // The thumbnails are the full pictures the CLI draws, scaled alike to
    // 240 pixels at most.
    for (const QJsonValue &d : displays) {
        if (d[u"status"_qs].toString() != u"written"_qs)
            continue;
        const QString name = d[u"bactalk"_qs].toString();
        QStringList ibexArgs{u"render"_qs, job(), d[u"ibex"_qs].toString()};
        if (d[u"local"_qs].toBool())
            ibexArgs << u"--local"_qs;
        const QImage ibexFull = drawn(ibexArgs, m_dir.filePath(u"full-ibex.png"_qs));
        const QImage btFull = drawn({u"render-display"_qs, bt() + u"/displays/"_qs + name},
                                    m_dir.filePath(u"full-bt.png"_qs));
        ASSERT_FALSE(ibexFull.isNull() || btFull.isNull()) << name.toStdString();
        EXPECT_EQ(QImage(bt() + u"/report/"_qs + name + u".ibex.png"_qs).size(),
                  thumbnailSize(ibexFull.size(), btFull.size())) << name.toStdString();
        EXPECT_EQ(QImage(bt() + u"/report/"_qs + name + u".bactalk.png"_qs).size(),
                  thumbnailSize(btFull.size(), ibexFull.size())) << name.toStdString();
    }
}

TEST_F(ConvertCli, ScannedOnlyLeavesUnreachedDisplaysOut)
{
    const CliResult r = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt(), u"--scanned-only"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    int unreached = 0;
    for (const QJsonValue &d : report()[u"displays"_qs].toArray()) {
        const QString file = bt() + u"/displays/"_qs + d[u"bactalk"_qs].toString();
        if (!d[u"scanned"_qs].toBool() && d[u"status"_qs].toString() != u"redirected"_qs) {
            ++unreached;
            EXPECT_EQ(d[u"status"_qs].toString(), u"skipped"_qs);
            EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
        }
    }
    EXPECT_GT(unreached, 0) << "the sample has displays no pushbutton reaches";
}

TEST_F(ConvertCli, AFailingStageFailsOnlyItselfAndTheExitStatus)
{
    // No ddc folder can be made (a file has its name), and the merge has no
    // destination database.
    writeFile(bt() + u"/ddc"_qs, "not a folder");
    const QString dest = root() + u"/nowhere/RepJob.mdb"_qs;
    const CliResult r = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt(), u"--merge"_qs, dest});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"convert: write DDC scripts: failed"_qs)) << r.err.toStdString();
    const auto s = stages(report());
    EXPECT_EQ(s.at(u"write DDC scripts"_qs), u"failed"_qs);
    EXPECT_EQ(s.at(u"copy Tux DDC files"_qs), u"failed"_qs);
    EXPECT_EQ(s.at(u"merge devices"_qs), u"failed"_qs);
    for (const char *independent : {"read DDC files", "scan displays", "create displays", "list Tux DDC files",
                                    "build gateways", "build Tux devices", "update tdc names", "write report"})
        EXPECT_EQ(s.at(QLatin1String(independent)), u"ok"_qs) << independent;
    EXPECT_FALSE(QFileInfo::exists(dest));
    bool listed = false;
    for (const QJsonValue &h : report()[u"needsAHand"_qs].toArray())
        listed = listed || h.toString().startsWith(u"Stage \"merge devices\" failed"_qs);
    EXPECT_TRUE(listed);
}

TEST_F(ConvertCli, ADisplayWhosePicturesCannotBeWrittenGetsANoteNotAFailedStage)
{
    // A file where the pictures folder would be.
    writeFile(bt() + u"/report"_qs, "not a folder");
    const CliResult r = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(stages(report()).at(u"create displays"_qs), u"ok"_qs);
    int noted = 0;
    for (const QJsonValue &d : report()[u"displays"_qs].toArray()) {
        if (d[u"status"_qs].toString() != u"written"_qs)
            continue;
        EXPECT_FALSE(d.toObject().contains(u"thumbnails"_qs));
        const QString note = d[u"thumbnailNote"_qs].toString();
        EXPECT_TRUE(note.startsWith(u"No thumbnails: the folder"_qs)) << note.toStdString();
        noted += note.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(noted, 0);
    EXPECT_TRUE(readFile(bt() + u"/conversion-report.html"_qs).contains("No thumbnails: the folder"));
    EXPECT_EQ(readFile(bt() + u"/report"_qs), QByteArray("not a folder"));
}

// A report that cannot be written is not announced as written.
TEST_F(ConvertCli, AReportThatCannotBeWrittenIsNotAnnounced)
{
    QDir().mkpath(bt() + u"/conversion-report.html"_qs); // a folder in its place
    const CliResult r = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.out.contains(u"Conversion report:"_qs)) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(u"convert: write report: failed"_qs)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"conversion-report.html\" is a folder, not a file."_qs)) << r.err.toStdString();
    EXPECT_TRUE(log().contains(u"its report could not be written"_qs));
}

TEST_F(ConvertCli, UsageErrors)
{
    EXPECT_EQ(cli({u"convert"_qs, job()}).exitCode, 2);
    EXPECT_EQ(cli({u"convert"_qs, job(), u"--bactalk"_qs, bt(), u"--nosuch"_qs}).exitCode, 2);
}

} // namespace

// Folders deeper than 260 characters (the old Windows limit) hold a job and
// its BACtalk job like any other folder: the same files come out.
TEST_F(ConvertCli, AJobInAFolderDeeperThan260CharactersConvertsLikeAnyOther)
{
    QString deep = root();
    while (deep.size() < 300)
        deep += u"/a-folder-with-a-rather-long-name"_qs;
    ASSERT_EQ(cli({u"sample-job"_qs, deep}).exitCode, 0);
    const QString deepBt = deep + u"/out/acme/plaza"_qs;
    const CliResult deepRun = cli({u"--yes"_qs, u"convert"_qs, deep + u"/job"_qs, u"--bactalk"_qs, deepBt});
    EXPECT_EQ(deepRun.exitCode, 0) << deepRun.err.toStdString();
    const CliResult plainRun = cli({u"--yes"_qs, u"convert"_qs, job(), u"--bactalk"_qs, bt()});
    ASSERT_EQ(plainRun.exitCode, 0) << plainRun.err.toStdString();

    const auto written = [](const QString &folder) {
        std::map<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            // The report names its folders and the scripts their time.
            if (!f.contains(u"conversion-report"_qs) && !f.endsWith(u".dsr"_qs))
                files[f.mid(folder.size())] = readFile(f);
        }
        return files;
    };
    const std::map<QString, QByteArray> expected = written(bt());
    EXPECT_GT(expected.size(), 10u);
    EXPECT_EQ(written(deepBt), expected);
    EXPECT_GT((deepBt + u"/displays/00000001.dsp"_qs).size(), 300);
}
