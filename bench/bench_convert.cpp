// The whole-job conversion (every stage of convert) on the sample job grown
// to many displays and Tux DDC files: each job display copied under new
// numbers (listed, not linked by pushbuttons) and extra Tux DDC files in
// the Apexes' tddc folders. Prints each stage's time and share, the total
// and the peak memory, for 1x, 4x and 16x.
#include "commands/ConvertCommand.h"
#include "project/Workbench.h"
#include "sample/SampleJob.h"
#include "util/FileUtil.h"
#include "util/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace vorlix;

namespace {

constexpr int kDisplays = 200; // at 1x
constexpr int kTuxFiles = 100; // at 1x, per Apex folder

// Copies of the sample's job displays as disp1000.ibw onwards.
int addDisplays(const QString &job, int count)
{
    const QDir displays(QDir(job).filePath(u"ldisplay"_qs));
    QList<QByteArray> sources;
    for (const QString &f : displays.entryList({u"disp*.ibw"_qs}, QDir::Files)) {
        QByteArray bytes;
        if (readWholeFile(displays.filePath(f), bytes, nullptr))
            sources << bytes;
    }
    for (int i = 0; i < count; ++i)
        writeFileAtomically(displays.filePath(QStringLiteral("disp%1.ibw").arg(1000 + i, 4, 10, QLatin1Char('0'))),
                            sources[i % sources.size()]);
    return int(sources.size());
}

void addTuxFiles(const QString &job, int perApex)
{
    for (const QString &folder : {u"tddc01"_qs, u"TDDC02"_qs}) {
        const QDir dir(QDir(job).filePath(folder));
        for (int i = 0; i < perApex; ++i)
            writeFileAtomically(dir.filePath(QStringLiteral("prog%1.tdc").arg(i)), QByteArray(2048, 'x'));
    }
}

long peakKb()
{
    QFile f(u"/proc/self/status"_qs);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Converts the job grown `factor` times in `dir`.
void run(int factor, const QTemporaryDir &dir)
{
    const QString app = dir.filePath(u"app"_qs);
    seedAppFolder(app, QCoreApplication::applicationDirPath());
    const sample::SampleJobPaths paths = sample::writeSampleJob(dir.filePath(u"site"_qs));
    addDisplays(paths.job, kDisplays * factor);
    addTuxFiles(paths.job, kTuxFiles * factor);
    ::sync(); // the job is on the disk before its conversion, as a real one is
    ScriptedPrompter prompter(true);
    Workbench wb(app, prompter);
    wb.startUp();
    wb.connectDefaultProject();
    wb.openProject(paths.job);
    sample::configureSampleProject(wb, paths);

    ConvertOptions options;
    options.bactalk = dir.filePath(u"out/acme/plaza"_qs);
    options.workstation = u"25"_qs;
    QElapsedTimer t;
    t.start();
    const ConversionReport r = convertJobCommand(wb, options);
    const double total = double(t.nsecsElapsed()) / 1e9;
    int written = 0;
    for (const DisplayResult &d : r.displays)
        written += d.status == DisplayResult::Status::Written ? 1 : 0;
    std::printf("\n%2dx: %d displays listed (%d written), %d Tux DDC files copied, %d Tux devices: total %.3f s, "
                "peak memory %ld MB%s\n",
                factor, int(r.displays.size()), written, int(r.tdcCopied.size()), r.tux, total, peakKb() / 1024,
                r.failed() ? " (A STAGE FAILED)" : "");
    for (const StageResult &s : r.stages)
        std::printf("    %-26s %8.3f s  %5.1f %%  %s\n", qPrintable(s.name), s.seconds, 100 * s.seconds / total,
                    qPrintable(stageStatusText(s.status)));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("Whole-job conversion: the sample job with %d more displays and %d more Tux DDC files per 1x\n",
                kDisplays, 2 * kTuxFiles);
    // Every run's folder stays until the end: deleting thousands of files
    // makes the next run's new files slow to create on ext4.
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    for (int factor : {1, 4, 16}) {
        folders.push_back(std::make_unique<QTemporaryDir>());
        run(factor, *folders.back());
    }
    return 0;
}
