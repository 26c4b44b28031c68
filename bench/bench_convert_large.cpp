// "Convert whole job" on the large job: 32 Apexes x 10,000 DDC statements
// (2,000 calls to Tux controllers on 4 trunks x 16 addresses), 32 x 1,000
// points, 2,000 displays of 100 objects linked in a tree for the scan (plus
// 200 control-panel templates), 3,000 Tux DDC files (2,048 of them those of
// the Tux), and so 2,177 devices (128 gateways, 2,048 Tux, the
// workstation), converted into an empty BACtalk job with the points
// exported and the devices merged into an empty device database. Prints the
// total, each stage's time and share and the peak memory for 1x, 4x and 16x
// (arguments choose other factors), and for each stage how its time grew
// against how its work grew.
//
// The formats bound some parts of the job, which then stop growing: the DDC
// reader takes at most 10,000 statements of an Apex file and there are at
// most 32 Apexes (so the DDC stays at 1x), display numbers have four digits
// (at most 9,980 displays in the 20-level tree, about 5x) and Tux addresses
// go to 63 (at most 8,064 Tux, about 4x). Points and Tux DDC files grow
// with the factor.
//
// Then, at 1x, the same stages run one by one as the step pages run them
// ("--no-stages" leaves this out), for the sum the whole run is compared
// with. "--pictures" draws the report's display pictures as the CLI does
// (offscreen). The job is written into TMPDIR: how fast new files can be
// made there depends on that file system (a file system busy deleting many
// files makes new ones slow to create for a few minutes).
#include "commands/ConvertCommand.h"
#include "commands/CreateDisplayCommands.h"
#include "commands/DdcCommands.h"
#include "commands/DeviceCommands.h"
#include "commands/ExportCommands.h"
#include "commands/InventoryCommands.h"
#include "commands/ProjectCommands.h"
#include "commands/ReaderCommands.h"
#include "commands/TranslateCommands.h"
#include "project/Workbench.h"
#include "sample/SampleBitmapLibrary.h"
#include "support/DeviceDestination.h"
#include "support/LargeJob.h"
#include "util/Prompter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace vorlix;

namespace {

constexpr int kApexes = 32;

struct JobSize {
    int displays = 0;
    int calls = 0;        // per Apex
    int tuxAddresses = 0; // per trunk
    int points = 0;       // per Apex
    int tuxFiles = 0;
};

JobSize sizeFor(int factor)
{
    JobSize s;
    s.displays = std::min(2000 * factor, 9980);
    s.calls = bench::kCalls; // the most the reader takes from one file
    s.tuxAddresses = std::min(16 * factor, 63);
    s.points = 1000 * factor;
    s.tuxFiles = 3000 * factor;
    return s;
}

// What each stage works through at size `s`, for the growth of its time.
std::map<QString, double> workOf(const JobSize &s)
{
    const double statements = kApexes * (4.0 * s.calls + 4.0 * bench::kSubroutines);
    const double displays = s.displays + bench::kTemplates;
    const double tux = kApexes * 4.0 * s.tuxAddresses;
    const double devices = tux + kApexes * 4 + 1;
    return {{u"read DDC files"_qs, statements},
            {u"read point files"_qs, double(kApexes) * s.points},
            {u"read control-panel files"_qs, double(kApexes) * bench::kPanels},
            {u"scan displays"_qs, displays},
            {u"create displays"_qs, displays},
            {u"write DDC scripts"_qs, kApexes * 4.0},
            {u"list Tux DDC files"_qs, double(s.tuxFiles)},
            {u"copy Tux DDC files"_qs, double(s.tuxFiles)},
            {u"build gateways"_qs, kApexes * 4.0},
            {u"build Tux devices"_qs, tux},
            {u"build workstation"_qs, 1},
            {u"update tdc names"_qs, double(s.tuxFiles)},
            {u"export points"_qs, double(kApexes) * s.points},
            {u"merge devices"_qs, devices},
            {u"write report"_qs, displays}};
}

double seconds(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e9; }

// The job folder `job`: every Ibex file of a job of size `s`.
void writeJob(const QString &job, const JobSize &s)
{
    bench::ApexFiles files;
    files.apexes = kApexes;
    files.calls = s.calls;
    files.tuxAddresses = s.tuxAddresses;
    files.points = s.points;
    bench::writeApexFiles(job, files);
    bench::writeLinkedDisplays(job, s.displays, 89); // 11 linking objects + 89: 100 a display
    bench::writeFanBitmaps(job);
    bench::writeTuxFiles(job, 0, s.tuxFiles, s.tuxAddresses);
}

void openJob(Workbench &wb, const QString &job)
{
    wb.startUp();
    wb.connectDefaultProject();
    wb.openProject(job);
    bench::mapApexes(wb.pdb, kApexes);
    wb.vars.jobCTXDNum = 1;
    wb.vars.localJobCTXDNum = 2;
    wb.vars.startingDisplay = 1;
    wb.saveProjectVariables();
    sample::useSampleBitmapLibrary(wb.settings);
}

// A point database with a row for each point of an Apex (the export
// updates them) and an empty device database to merge into, in `folder`.
void makeDestinations(const Workbench &wb, const QString &folder, const JobSize &s)
{
    QDir().mkpath(folder);
    QFile::copy(QDir(wb.appFolder).filePath(u"pointdata.mdb"_qs), folder + u"/points.mdb"_qs);
    QFile::setPermissions(folder + u"/points.mdb"_qs, QFile::ReadOwner | QFile::WriteOwner);
    bench::addPointRows(folder + u"/points.mdb"_qs, 1, s.points);
    test::createDeviceDestination(folder + u"/RepJob.mdb"_qs);
}

struct Figures {
    double total = 0;
    double peakMb = 0;
    std::map<QString, double> stageSeconds;
};

Figures convert(const QString &root, const QString &app, const QString &job, int factor, const JobSize &s)
{
    ScriptedPrompter prompter(true);
    Workbench wb(app, prompter);
    openJob(wb, job);
    makeDestinations(wb, root + u"/dest"_qs, s);
    ConvertOptions options;
    options.bactalk = root + u"/out/acme/plaza"_qs;
    options.workstation = u"25"_qs;
    options.points = root + u"/dest/points.mdb"_qs;
    options.merge = root + u"/dest/RepJob.mdb"_qs;

    QElapsedTimer t;
    t.start();
    const double cpuStart = bench::cpuSeconds();
    const ConversionReport r = convertJobCommand(wb, options);
    Figures f;
    f.total = seconds(t);
    const double cpu = bench::cpuSeconds() - cpuStart;
    f.peakMb = bench::peakMemoryMb();
    int written = 0;
    for (const DisplayResult &d : r.displays)
        written += d.status == DisplayResult::Status::Written ? 1 : 0;
    std::printf("%2dx: %d displays, %d calls + %d statements per Apex, %d points per Apex, %d Tux DDC files, "
                "Tux at addresses 1-%d\n",
                factor, s.displays, s.calls, 3 * s.calls + 4 * bench::kSubroutines, s.points, s.tuxFiles,
                s.tuxAddresses);
    std::printf("     %d of %d listed displays written, %lld scripts, %lld Tux DDC files copied, %d gateways, "
                "%d Tux, %d workstation, %lld Tux without a DDC file, %d devices merged%s\n",
                written, int(r.displays.size()), static_cast<long long>(r.scripts.size()),
                static_cast<long long>(r.tdcCopied.size()), r.gateways, r.tux, r.workstations,
                static_cast<long long>(r.devicesWithoutTdcNames.size()), r.merged,
                r.failed() ? " -- A STAGE FAILED" : "");
    std::printf("     total %.3f s (CPU %.3f s), peak memory %.0f MB (process maximum so far)\n", f.total, cpu,
                f.peakMb);
    for (const StageResult &st : r.stages)
        f.stageSeconds[st.name] = st.seconds;
    for (const StageResult &st : r.stages)
        std::printf("       %-24s %8.3f s %6.1f %%  %s: %s\n", qPrintable(st.name), st.seconds,
                    100 * st.seconds / f.total, qPrintable(stageStatusText(st.status)), qPrintable(st.message));
    std::fflush(stdout);
    wb.closeProject();
    return f;
}

// The stages one by one, as the step pages run them (the displays as one
// batch), into a second BACtalk job; returns their summed time.
double stagesAlone(const QString &root, const QString &app, const QString &job, const JobSize &s)
{
    ScriptedPrompter prompter(true);
    Workbench wb(app, prompter);
    openJob(wb, job);
    const QString dest = root + u"/dest-alone"_qs;
    makeDestinations(wb, dest, s);
    const QString bactalk = root + u"/out-alone/acme/plaza"_qs;
    QDir().mkpath(bactalk + u"/ddc"_qs);
    setVariableCommand(wb, u"BactalkJobPath"_qs, bactalk);

    std::vector<std::pair<const char *, std::function<void()>>> steps{
        {"read DDC", [&] { readDdcCommand(wb, true); }},
        {"read points", [&] { readPointsCommand(wb); }},
        {"read control panels", [&] { readCpanelsCommand(wb); }},
        {"scan displays", [&] { buildDisplayListCommand(wb, true); }},
        {"create displays (batch)",
         [&] {
             std::vector<BatchDisplay> all;
             for (int i = 0; i < wb.masterList.size(); ++i) {
                 const DisplayFile file = findDisplayFile(wb, wb.masterList.entryName(i), wb.masterList.isLocalJob(i));
                 if (file.exists && !wb.masterList.isRedirected(i))
                     all.push_back({file.path, wb.masterList.isLocalJob(i)});
             }
             createAllDisplaysCommand(wb, all);
         }},
        {"DDC scripts", [&] { autoGenerateScriptsCommand(wb); }},
        {"Tux DDC file list", [&] { createDdcFileListCommand(wb); }},
        {"copy Tux DDC files", [&] { copyTdcFilesCommand(wb); }},
        {"gateways", [&] { addGatewaysCommand(wb); }},
        {"Tux", [&] { addTuxCommand(wb); }},
        {"Tux DDC names", [&] { updateTdcCommand(wb); }},
        {"export points",
         [&] {
             for (const ExportDevice &device : wb.deviceLists.exports) {
                 prompter.pushFile(dest + u"/points.mdb"_qs);
                 exportPointsCommand(wb, device);
             }
         }},
        {"merge devices", [&] { mergeCommand(wb, dest + u"/RepJob.mdb"_qs, std::nullopt); }},
    };
    std::printf("\n 1x, the stages one by one (the workstation left out):\n");
    double sum = 0;
    for (auto &[name, work] : steps) {
        QElapsedTimer t;
        t.start();
        work();
        const double s = seconds(t);
        sum += s;
        std::printf("       %-24s %8.3f s\n", name, s);
    }
    std::printf("     sum %.3f s\n", sum);
    std::fflush(stdout);
    wb.closeProject();
    return sum;
}

// How each stage's time grew from the first factor, against how its work
// grew: a ratio near 1 is linear.
void printGrowth(const std::vector<std::pair<int, Figures>> &runs)
{
    if (runs.size() < 2)
        return;
    const auto &[firstFactor, first] = runs.front();
    const std::map<QString, double> firstWork = workOf(sizeFor(firstFactor));
    std::printf("\nGrowth against the %dx run: time grew / work grew (1.00 is linear; stages under 20 ms at "
                "%dx left out)\n",
                firstFactor, firstFactor);
    std::printf("       %-24s", "");
    for (size_t i = 1; i < runs.size(); ++i)
        std::printf("  %3dx: work  time  ratio", runs[i].first);
    std::printf("\n");
    for (const auto &[stage, seconds] : first.stageSeconds) {
        if (seconds < 0.02 || !firstWork.count(stage))
            continue;
        std::printf("       %-24s", qPrintable(stage));
        for (size_t i = 1; i < runs.size(); ++i) {
            const double work = workOf(sizeFor(runs[i].first)).at(stage) / firstWork.at(stage);
            const auto it = runs[i].second.stageSeconds.find(stage);
            const double time = it == runs[i].second.stageSeconds.end() ? 0 : it->second / seconds;
            std::printf("  %9.1fx %5.1fx %5.2f", work, time, time / work);
        }
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<int> factors;
    bool alone = true;
    bool pictures = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-stages") == 0)
            alone = false;
        else if (std::strcmp(argv[i], "--pictures") == 0)
            pictures = true;
        else if (std::atoi(argv[i]) > 0)
            factors.push_back(std::atoi(argv[i]));
    }
    if (factors.empty())
        factors = {1, 4, 16};
    // The pictures need fonts, so a GUI application (drawn offscreen).
    if (pictures && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application(pictures ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));

    std::printf("Whole-job conversion of the large job (per 1x: 32 Apexes x %d statements, 32,000 points, "
                "2,000 displays x 100 objects, 3,000 Tux DDC files, 2,048 Tux + 128 gateways)%s\n",
                bench::kStatements, pictures ? ", with the report's pictures" : "");
    std::vector<std::pair<int, Figures>> runs;
    // Every run's folder stays until the end: deleting tens of thousands of
    // files makes the next run's new files slow to create on ext4.
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    for (const int factor : factors) {
        folders.push_back(std::make_unique<QTemporaryDir>());
        const QTemporaryDir *dir = folders.back().get();
        const QString app = dir->filePath(u"app"_qs);
        const QString job = dir->filePath(u"job"_qs);
        seedAppFolder(app, QCoreApplication::applicationDirPath());
        const JobSize s = sizeFor(factor);
        QElapsedTimer t;
        t.start();
        writeJob(job, s);
        bench::syncDisks(); // the job is on the disk before its conversion, as a real one is
        std::printf("\n(job files written in %.1f s)\n", seconds(t));
        const Figures f = convert(dir->path(), app, job, factor, s);
        if (!runs.empty())
            std::printf("     %.2f x the %dx time\n", f.total / runs.front().second.total, runs.front().first);
        runs.emplace_back(factor, f);
        if (factor == 1 && alone) {
            const double sum = stagesAlone(dir->path(), app, job, s);
            std::printf("     whole run / sum of the stages alone: %.2f\n", f.total / sum);
        }
    }
    printGrowth(runs);
    for (const auto &[factor, f] : runs) {
        if (factor == 1)
            std::printf("\nTarget at 1x: < 3 s -- %.3f s, %s\n", f.total, f.total < 3 ? "met" : "NOT met");
        if (factor == 16)
            std::printf("Target at 16x: peak memory < 300 MB -- %.0f MB, %s\n", f.peakMb,
                        f.peakMb < 300 ? "met" : "NOT met");
    }
    return 0;
}
