// Times display creation on a large job: 2,000 Ibex displays of 100 objects
// each (texts, values with Ibex points, checkboxes, graphics with bitmaps,
// pushbuttons), each listed in the translation grid and written as a BACtalk
// display into an empty BACtalk job, once display by display as the step 7
// command does it, once as a batch ("create-display --all", which writes
// each file in the background while the next display is made). Then the
// same for 1/16 and 1/4 of the displays (1x, 4x, 16x), to show how the cost
// grows. Prints seconds, CPU time, files and bytes written per second, and,
// for comparison, the speed of writing the same bytes atomically without
// any conversion (the floor: every display is written to a temporary file,
// synced and renamed).
#include "commands/CreateDisplayCommands.h"
#include "commands/TranslateCommands.h"
#include "support/LargeJob.h"
#include "support/TestProject.h"
#include "util/FileUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <utility>

using namespace vorlix;

namespace {

int kDisplays = 2000; // the whole large job; an argument sets another count
constexpr int kObjects = 100;

struct Figures {
    double seconds = 0;
    qint64 bytes = 0;
    int files = 0;
    double loadSeconds = 0;
    double userSeconds = 0;   // CPU time in the program itself
    double systemSeconds = 0; // CPU time in the kernel (files, folders)
};

// The process's CPU time so far: user and system.
std::pair<double, double> cpuTimes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {seconds(u.ru_utime), seconds(u.ru_stime)};
}

QString displayName(int n) { return QStringLiteral("disp%1.ibw").arg(n, 4, 10, QLatin1Char('0')); }

// Lists each display in the grid and creates it into an empty BACtalk job:
// one by one, or as one batch.
Figures createAll(test::TestProject &project, int displays, bool batch)
{
    const QString bactalk = project.root() + QStringLiteral("/bactalk%1%2/rep/job").arg(displays).arg(batch ? "b" : "");
    QDir().mkpath(bactalk);
    project.vars.bactalkJobPath = bactalk;
    Workbench &wb = project.wb;

    Figures f;
    QElapsedTimer t;
    t.start();
    const auto cpu = cpuTimes();
    const auto stopClocks = [&] {
        f.seconds = t.nsecsElapsed() / 1e9;
        const auto cpuEnd = cpuTimes();
        f.userSeconds = cpuEnd.first - cpu.first;
        f.systemSeconds = cpuEnd.second - cpu.second;
    };
    if (batch) {
        std::vector<BatchDisplay> list;
        for (int n = 1; n <= displays; ++n)
            list.push_back({project.jobFolder() + u"/ldisplay/"_qs + displayName(n), false});
        const BatchOutcome r = createAllDisplaysCommand(wb, list);
        for (const QString &problem : r.problems)
            std::fprintf(stderr, "%s\n", qPrintable(problem));
        stopClocks();
        f.files = r.written;
        for (const QFileInfo &file : QDir(bactalk + u"/displays"_qs).entryInfoList(QDir::Files))
            f.bytes += file.size();
        return f;
    }
    for (int n = 1; n <= displays; ++n) {
        const QString name = displayName(n);
        QElapsedTimer lt;
        lt.start();
        loadDisplayCommand(wb, findDisplayFile(wb, name, false));
        f.loadSeconds += lt.nsecsElapsed() / 1e9;
        const CreationOutcome r = createBtDisplayCommand(wb);
        if (!r.written) {
            std::fprintf(stderr, "not written: %s\n", qPrintable(name));
            continue;
        }
        f.bytes += QFileInfo(r.path).size();
        ++f.files;
        wb.log.clear(); // the log of 2,000 runs is not what is measured
    }
    stopClocks();
    return f;
}

// The same bytes written atomically, without conversion.
double rawWriteSeconds(const QString &sourceFolder, const QString &targetFolder, int displays)
{
    QDir().mkpath(targetFolder);
    std::vector<QByteArray> files;
    for (int n = 1; n <= displays; ++n) {
        QFile f(sourceFolder + QStringLiteral("/%1.dsp").arg(n, 8, 10, QLatin1Char('0')));
        if (f.open(QIODevice::ReadOnly))
            files.push_back(f.readAll());
    }
    QElapsedTimer t;
    t.start();
    int n = 0;
    for (const QByteArray &b : files)
        writeFileAtomically(targetFolder + QStringLiteral("/%1.dsp").arg(++n, 8, 10, QLatin1Char('0')), b);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::atoi(argv[1]) >= 16)
        kDisplays = std::atoi(argv[1]);
    test::TestProject project(true); // Yes to every confirmation
    project.mapApex(1, u"1"_qs, 1100, 1200);
    for (int p = 1; p <= 50; ++p)
        project.addIbexPoint(1, p, 1 + p % 4);
    bench::writeFanBitmaps(project.jobFolder());
    for (int n = 1; n <= kDisplays; ++n)
        writeFileAtomically(project.jobFolder() + QStringLiteral("/ldisplay/disp%1.ibw").arg(n, 4, 10, QLatin1Char('0')),
                            bench::objectDisplay(n, kDisplays));

    std::printf("Display creation: %d displays of %d objects (grid listing + creation + file write)\n", kDisplays,
                kObjects);
    std::printf("%-6s %-8s %9s %10s %10s %10s %12s %12s %14s %16s\n", "scale", "mode", "displays", "seconds",
                "user s", "system s", "of it grid", "bytes", "MB/s written", "raw write MB/s");
    for (const int scale : {1, 4, 16}) {
        const int displays = kDisplays * scale / 16;
        for (const bool batch : {false, true}) {
            const Figures f = createAll(project, displays, batch);
            const QString written =
                project.root() + QStringLiteral("/bactalk%1%2/rep/job/displays").arg(displays).arg(batch ? "b" : "");
            const double raw = rawWriteSeconds(
                written, project.root() + QStringLiteral("/raw%1%2").arg(displays).arg(batch ? "b" : ""), displays);
            const QString grid = batch ? u"-"_qs : QString::number(f.loadSeconds, 'f', 3);
            std::printf("%-6s %-8s %9d %10.3f %10.3f %10.3f %12s %12lld %14.1f %16.1f\n",
                        qPrintable(QStringLiteral("%1x").arg(scale)), batch ? "batch" : "single", f.files, f.seconds,
                        f.userSeconds, f.systemSeconds, qPrintable(grid), static_cast<long long>(f.bytes),
                        f.bytes / f.seconds / 1e6, f.bytes / raw / 1e6);
            std::fflush(stdout);
        }
    }
    return 0;
}
