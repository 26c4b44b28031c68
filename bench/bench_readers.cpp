// Times steps 2, 3 and 4 on a large job: 32 mapped Apexes, each with a DDC
// program of 10,000 statements (2,000 of them calls), 1,000 point setups
// with their values and 256 control-panel names; against an empty project
// database and again against the full one. Then the same for jobs of 1, 4
// and 16 such Apexes, to show how the cost grows with the records.
#include "util/Prompter.h"
#include "project/Workbench.h"
#include "commands/ReaderCommands.h"
#include "support/LargeJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace vorlix;

namespace {

// A job folder with `apexes` mapped Apexes (0 .. apexes-1).
QString writeJob(const QString &root, int apexes)
{
    const QString job = root + QStringLiteral("/job%1").arg(apexes);
    bench::ApexFiles files;
    files.apexes = apexes;
    bench::writeApexFiles(job, files);
    return job;
}

struct Timings {
    double ddc = 0, points = 0, panels = 0;
    double cpu = 0; // processor time of the three steps (the machine may be shared)
    double total() const { return ddc + points + panels; }
};

double cpuMs() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

Timings runSteps(Workbench &wb)
{
    Timings t;
    const double cpuStart = cpuMs();
    QElapsedTimer clock;
    clock.start();
    readDdcCommand(wb, true);
    t.ddc = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    readPointsCommand(wb);
    t.points = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    readCpanelsCommand(wb);
    t.panels = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    t.cpu = cpuMs() - cpuStart;
    return t;
}

void openJob(Workbench &wb, const QString &job, int apexes)
{
    wb.startUp();
    wb.connectDefaultProject();
    wb.openProject(job);
    QSqlQuery q(wb.pdb.db());
    q.prepare(u"UPDATE ApexMap SET ComList = '1234', BaseAddr1 = 1000, BaseAddr2 = 2000, BaseAddr3 = 3000, "
               "BaseAddr4 = 4000 WHERE Apex < ?"_qs);
    q.addBindValue(apexes);
    q.exec();
}

QString rowCounts(Workbench &wb)
{
    QStringList parts;
    for (const char *table : {"CpanelMap", "IbexPtMap", "CpanelNames"}) {
        QSqlQuery q(wb.pdb.db());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
        q.next();
        parts << QStringLiteral("%1 %2").arg(QLatin1String(table)).arg(q.value(0).toLongLong());
    }
    return parts.join(u", "_qs);
}

void print(const char *label, const Timings &t)
{
    std::printf("%-24s step 2 %7.1f ms  step 3 %6.1f ms  step 4 %6.1f ms  total %7.1f ms (cpu %7.1f ms)\n",
                label, t.ddc, t.points, t.panels, t.total(), t.cpu);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString appFolder = dir.filePath(u"app"_qs);
    QDir().mkpath(appFolder);
    seedAppFolder(appFolder, QCoreApplication::applicationDirPath());
    ScriptedPrompter yes(true);

    std::printf("Large job: 32 Apexes x (%d statements, %d calls; %d points; %d panels)\n", bench::kStatements,
                bench::kCalls, bench::kPoints, bench::kPanels);
    {
        const QString job = writeJob(dir.path(), 32);
        Workbench wb(appFolder, yes);
        openJob(wb, job, 32);
        print("empty project database", runSteps(wb));
        print("full project database", runSteps(wb));
        std::printf("rows: %s\n", qPrintable(rowCounts(wb)));
        wb.closeProject();
    }

    std::printf("\nGrowth with the records (empty database, then full):\n");
    for (int n : {1, 4, 16}) {
        const QString job = writeJob(dir.path(), n);
        Workbench wb(appFolder, yes);
        openJob(wb, job, n);
        const Timings empty = runSteps(wb);
        const Timings full = runSteps(wb);
        std::printf("%2dx one Apex: empty %7.1f ms (%5.1f ms per Apex, cpu %5.1f)   full %7.1f ms (%5.1f ms per "
                    "Apex, cpu %5.1f)\n",
                    n, empty.total(), empty.total() / n, empty.cpu / n, full.total(), full.total() / n, full.cpu / n);
        wb.closeProject();
    }
    return 0;
}
