// Times the DDC steps and the point export on large jobs: scripts for 32
// Apexes x 4 coms with 2,000 calls each; the listing of 3,000 Tux DDC files;
// the export of 32,000 points into a point database of 32,000 rows through
// QSQLITE and through QODBC (the SQLite ODBC driver). Each also at smaller
// sizes, to show how the cost grows.
#include "commands/DdcCommands.h"
#include "ddc/DdcScript.h"
#include "project/OutsideDatabase.h"
#include "project/Workbench.h"
#include "support/LargeJob.h"
#include "translate/PointExport.h"
#include "util/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace vorlix;

namespace {

constexpr int kApexes = 32;
constexpr int kComs = 4;
constexpr int kCallsPerDevice = 2000;

double msSince(const QElapsedTimer &t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

void exec(QSqlQuery &q, const QString &sql)
{
    if (!q.exec(sql))
        std::fprintf(stderr, "failed: %s\n", qPrintable(sql));
}

// `devices` devices of 2,000 calls each (Apex-major, com 1 to 4).
void fillCpanelMap(Workbench &wb, int devices)
{
    QSqlQuery q(wb.pdb.db());
    exec(q, u"DELETE FROM CpanelMap"_qs);
    exec(q, u"BEGIN"_qs);
    q.prepare(u"INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk, Address) VALUES (?,?,?,?,?,?)"_qs);
    for (int d = 0; d < devices; ++d) {
        const int apex = d / kComs;
        const int com = 1 + d % kComs;
        for (int i = 0; i < kCallsPerDevice; ++i) {
            q.addBindValue(apex);
            q.addBindValue(com * kCallsPerDevice + i);
            q.addBindValue(9000 + (i % 500) * 4);
            q.addBindValue(com * 1000 + i % 997);
            q.addBindValue(com);
            q.addBindValue(i % 3 ? QVariant(i % 64) : QVariant());
            q.exec();
        }
    }
    exec(q, u"COMMIT"_qs);
}

void benchScripts(Workbench &wb)
{
    std::printf("DDC framework scripts (%d calls per device):\n", kCallsPerDevice);
    for (int devices : {32, 64, kApexes * kComs}) {
        fillCpanelMap(wb, devices);
        QElapsedTimer t;
        t.start();
        qint64 bytes = 0;
        double reading = 0;
        const QLocale locale = QLocale::system();
        for (int d = 0; d < devices; ++d) {
            QElapsedTimer r;
            r.start();
            const QList<ScriptCall> calls = scriptCalls(wb.pdb, wb.map, d / kComs, 1 + d % kComs);
            reading += msSince(r);
            bytes += buildDdcScript(calls, u"1/1/24 12:00:00"_qs, locale).size();
        }
        const double made = msSince(t);
        std::printf("  %3d devices: made in %7.1f ms (reading the calls %6.1f ms; %.1f MB of script)\n", devices,
                    made, reading, double(bytes) / 1e6);
    }
    // The whole command, files included.
    wb.refreshDeviceLists();
    QElapsedTimer t;
    t.start();
    const QStringList written = autoGenerateScriptsCommand(wb);
    std::printf("  \"Auto create all\" for %lld devices, written to the ddc folder: %7.1f ms\n",
                static_cast<long long>(written.size()), msSince(t));
}

void benchTuxList(Workbench &wb, const QString &job)
{
    std::printf("Tux DDC file list:\n");
    int made = 0;
    for (int files : {750, 1500, 3000}) {
        bench::writeTuxFiles(job, made, files);
        made = files;
        QElapsedTimer t;
        t.start();
        const int rows = createDdcFileListCommand(wb);
        std::printf("  %4d files: %6.1f ms (%d rows)\n", files, msSince(t), rows);
    }
}

// A point database with `rows` rows (half analog, half binary) and as many
// Ibex points of Apex 0.
QString pointDatabase(Workbench &wb, const QString &dir, int rows)
{
    const QString file = dir + QStringLiteral("/points%1.mdb").arg(rows);
    QFile::remove(file);
    QFile::copy(QDir(wb.appFolder).filePath(u"pointdata.mdb"_qs), file);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    bench::addPointRows(file, 0, rows / 2);

    QSqlQuery q(wb.pdb.db());
    exec(q, u"DELETE FROM IbexPtMap"_qs);
    exec(q, u"BEGIN"_qs);
    q.prepare(u"INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description, Value) VALUES (0, ?, ?, ?, ?)"_qs);
    for (int i = 0; i < rows; ++i) {
        q.addBindValue(i / 2);
        q.addBindValue(i % 2 ? 3 : 4);
        q.addBindValue(QStringLiteral("Point %1").arg(i));
        q.addBindValue(i * 0.5);
        q.exec();
    }
    exec(q, u"COMMIT"_qs);
    return file;
}

void benchExport(Workbench &wb, const QString &dir)
{
    std::printf("Point export (rows = Ibex points = point database rows):\n");
    for (int rows : {8000, 16000, 32000}) {
        const QString file = pointDatabase(wb, dir, rows);
        for (auto route : {OutsideDatabase::Route::ByContent, OutsideDatabase::Route::Odbc}) {
            QElapsedTimer t;
            t.start();
            OutsideDatabase target(file, route);
            const PointExportCounts c = exportIbexPoints(wb.pdb, target, 0);
            std::printf("  %5d rows through %-7s: %7.1f ms (%d updated, %d without a row)\n", rows,
                        route == OutsideDatabase::Route::Odbc ? "QODBC" : "QSQLITE", msSince(t), c.updated,
                        c.unmatched);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString appFolder = dir.filePath(u"app"_qs);
    const QString job = dir.filePath(u"job"_qs);
    QDir().mkpath(appFolder);
    QDir().mkpath(job);
    QFile marker(job + u"/MASETUP.DAT"_qs);
    if (marker.open(QIODevice::WriteOnly))
        marker.write("job");
    marker.close();
    seedAppFolder(appFolder, QCoreApplication::applicationDirPath());
    ScriptedPrompter yes(true);
    Workbench wb(appFolder, yes);
    wb.startUp();
    wb.connectDefaultProject();
    wb.openProject(job);
    {
        QSqlQuery q(wb.pdb.db());
        exec(q, u"UPDATE ApexMap SET ComList = '1234', GlobalPts = 100 + Apex, DevID1 = 1000 + Apex, "
                 "DevID2 = 2000 + Apex, DevID3 = 3000 + Apex, DevID4 = 4000 + Apex, BaseAddr1 = 10000, "
                 "BaseAddr2 = 20000, BaseAddr3 = 30000, BaseAddr4 = 40000"_qs);
    }
    wb.vars.bactalkJobPath = dir.filePath(u"bactalk"_qs);
    QDir().mkpath(wb.vars.bactalkJobPath + u"/ddc"_qs);

    benchScripts(wb);
    benchTuxList(wb, job);
    benchExport(wb, dir.path());
    wb.closeProject();
    return 0;
}
