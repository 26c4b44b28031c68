// Times steps 2, 3 and 4 on a large job: 32 mapped Apexes, each with a DDC
// program of 10,000 statements (2,000 of them calls), 1,000 point setups
// with their values and 256 control-panel names; against an empty project
// database and again against the full one. Then the same for jobs of 1, 4
// and 16 such Apexes, to show how the cost grows with the records.
#include "util/Prompter.h"
#include "project/Workbench.h"
#include "commands/ReaderCommands.h"
#include "sample/ApexFileBuilder.h"
#include "sample/DatFileBuilders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace vorlix;
using namespace vorlix::sample;
using B = ApexFileBuilder;

namespace {

constexpr int kStatements = 10000;
constexpr int kCalls = 2000;
constexpr int kSubroutines = 500;
constexpr int kPoints = 1000;
constexpr int kPanels = 256;

QByteArray largeProgram()
{
    B b;
    // Main program: 2,000 calls, each followed by three statements working
    // on Ibex and Tux points (one of them a transfer).
    for (int i = 0; i < kCalls; ++i) {
        const int seq = 1 + 4 * i;
        const int trunk = 1 + i % 4;
        const int address = 1 + (i / 4) % 60;
        b.call(static_cast<uint16_t>(seq), static_cast<uint16_t>(9000 + (i % kSubroutines) * 4),
               {B::constant(10 * (1 + i % kPanels)), B::tuxPoint(trunk, address, 2, 1)});
        b.statement(static_cast<uint16_t>(seq + 1), '+', {B::ibexPoint(1 + i % kPoints), B::constant(5)});
        b.transfer(static_cast<uint16_t>(seq + 2), B::ibexPoint(1 + i % kPoints), B::tuxPoint(trunk, address, 2, 3));
        b.statement(static_cast<uint16_t>(seq + 3), '#',
                    {B::tuxPoint(1 + (i + 1) % 8, (i * 7) % 64, 1, 2), B::constant(725), B::ibexPoint(3)});
    }
    // Subroutines of four statements: panel, Tux mark (every other one),
    // work, end.
    for (int s = 0; s < kSubroutines; ++s) {
        const int seq = 9000 + 4 * s;
        b.panel(static_cast<uint16_t>(seq), B::param(1), B::param(2));
        if (s % 2)
            b.tuxMark(static_cast<uint16_t>(seq + 1));
        else
            b.statement(static_cast<uint16_t>(seq + 1), '+', {B::param(2), B::constant(1)});
        b.statement(static_cast<uint16_t>(seq + 2), '<', {B::param(1), B::param(2), B::ibexPoint(4)});
        b.subroutineEnd(static_cast<uint16_t>(seq + 3));
    }
    if (b.statements() != kStatements)
        std::fprintf(stderr, "warning: %d statements instead of %d\n", b.statements(), kStatements);
    return b.bytes();
}

QByteArray pointSetups()
{
    PntsFileBuilder b;
    for (int p = 1; p <= kPoints; ++p)
        b.point(static_cast<uint16_t>(p), static_cast<uint16_t>(1 + p % 4), QStringLiteral("Point %1 of the plant").arg(p));
    return b.bytes();
}

QByteArray pointValues()
{
    PdatFileBuilder b;
    for (int base = 0; base < kPoints; base += 100) {
        std::vector<int16_t> v;
        for (int j = 1; j <= 100; ++j)
            v.push_back(static_cast<int16_t>((base + j) * 3 - 500));
        b.block(2, static_cast<uint16_t>(base), v);
        b.otherBlock(1, QByteArray(10, '\0'));
    }
    return b.bytes();
}

QByteArray panelNames()
{
    CntpFileBuilder b;
    for (int p = 1; p <= kPanels; ++p)
        b.panel(static_cast<uint16_t>(p), QStringLiteral("Control panel %1").arg(p));
    return b.bytes();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A job folder with `apexes` mapped Apexes (0 .. apexes-1).
QString writeJob(const QString &root, int apexes)
{
    static const QByteArray program = largeProgram();
    static const QByteArray pnts = pointSetups();
    static const QByteArray pdat = pointValues();
    static const QByteArray cntp = panelNames();
    const QString job = root + QStringLiteral("/job%1").arg(apexes);
    QDir().mkpath(job);
    writeFile(job + u"/MASETUP.DAT"_qs, "job");
    for (int a = 0; a < apexes; ++a) {
        writeFile(job + QString::asprintf("/apex%.2d.adc", a), program);
        writeFile(job + QString::asprintf("/PNTS%.2d.DAT", a), pnts);
        writeFile(job + QString::asprintf("/pdat%.2d.dat", a), pdat);
        writeFile(job + QString::asprintf("/Cntp%.2d.dat", a), cntp);
    }
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

    std::printf("Large job: 32 Apexes x (%d statements, %d calls; %d points; %d panels)\n", kStatements, kCalls,
                kPoints, kPanels);
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
