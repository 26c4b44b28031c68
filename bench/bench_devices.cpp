// Times step 10 on a large job: 32 mapped Apexes with 4 trunks each and
// 2,000 Tux controllers. Building the device records (gateways and Tux),
// then merging every device with its capabilities and the subnets into an
// existing RepJob.mdb of 2,000 rows (half of them the project's devices),
// through QSQLITE and through ODBC (the SQLite ODBC driver). Then the same
// for 500, 1,000 and 4,000 Tux to show how the cost grows.
#include "commands/DeviceCommands.h"
#include "devices/DeviceMerge.h"
#include "devices/DeviceRecords.h"

#include "support/DeviceDestination.h"
#include "support/LargeJob.h"
#include "support/TestProject.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// 32 Apexes x 4 trunks; `tux` Tux spread over the 128 trunks, each with one
// named control panel.
void fillJob(TestProject &tp, int tux)
{
    ProjectDatabase::Transaction t(tp.pdb);
    bench::mapApexes(tp.pdb, 32);
    for (int i = 0; i < tux; ++i) {
        const int trunkIndex = i % 128;
        const int apex = trunkIndex / 4;
        const int trunk = 1 + trunkIndex % 4;
        const int address = 1 + i / 128;
        const int cp = 1 + i / 128 * 4 + (trunk - 1);
        tp.exec(QStringLiteral("INSERT INTO CpanelMap (Apex, Sequence, CallTo, Trunk, Address, CPanelNumber, "
                               "ExpandedMode) VALUES (%1, %2, 0, %3, %4, %5, %6)")
                    .arg(apex).arg(i).arg(trunk).arg(address).arg(cp).arg(i % 2));
        tp.exec(QStringLiteral("INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (%1, %2, 'AHU-%3')")
                    .arg(apex).arg(cp).arg(i));
    }
    t.commit();
}

double msSince(const QElapsedTimer &t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

struct Figures {
    int devices = 0;
    double buildMs = 0;
    double sqliteMs = 0;
    double odbcMs = 0;
};

Figures run(int tux)
{
    TestProject tp;
    fillJob(tp, tux);
    Figures f;
    QElapsedTimer timer;
    timer.start();
    addGatewaysCommand(tp.wb);
    addTuxCommand(tp.wb);
    f.buildMs = msSince(timer);
    f.devices = tp.rowCount(u"tblRepJob"_qs);

    // An existing destination of 2,000 rows: every other one a project device.
    QList<int> projectDevinsts;
    QSqlQuery q(tp.pdb.db());
    q.exec(u"SELECT devinst FROM tblRepJob ORDER BY devinst"_qs);
    while (q.next())
        projectDevinsts << q.value(0).toInt();
    for (const auto route : {OutsideDatabase::Route::ByContent, OutsideDatabase::Route::Odbc}) {
        const QString dest = tp.root() + (route == OutsideDatabase::Route::Odbc ? u"/odbc"_qs : u"/sqlite"_qs);
        QDir().mkpath(dest);
        createDeviceDestination(dest + u"/RepJob.mdb"_qs);
        QStringList fill{u"BEGIN"_qs};
        for (int i = 0; i < 2000; ++i) {
            const int devinst = i % 2 == 0 && i / 2 < projectDevinsts.size() ? projectDevinsts[i / 2] : 5000000 + i;
            fill << QStringLiteral("INSERT INTO tblRepJob (devinst, objname, network) VALUES (%1, 'old', 1)").arg(devinst)
                 << QStringLiteral("INSERT INTO tblDevCapabilities (devinst) VALUES (%1)").arg(devinst);
        }
        fill << u"COMMIT"_qs;
        execOn(dest + u"/RepJob.mdb"_qs, fill);
        timer.restart();
        const MergeResult r = mergeDevices(tp.pdb, dest + u"/RepJob.mdb"_qs, std::nullopt, {}, route);
        (route == OutsideDatabase::Route::Odbc ? f.odbcMs : f.sqliteMs) = msSince(timer);
        if (r.devices != f.devices || r.refused != 0)
            std::printf("  unexpected merge result: %d devices, %d refused\n", r.devices, r.refused);
    }
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("Step 10 on a job of 32 Apexes x 4 trunks (gateways + Tux), merged into a RepJob.mdb of 2,000 rows\n");
    std::printf("%8s %8s %12s %16s %14s\n", "Tux", "devices", "build (ms)", "merge SQLite(ms)", "merge ODBC(ms)");
    for (int tux : {500, 1000, 2000, 4000}) {
        const Figures f = run(tux);
        std::printf("%8d %8d %12.1f %16.1f %14.1f\n", tux, f.devices, f.buildMs, f.sqliteMs, f.odbcMs);
    }
    std::printf("Targets at 2,000 Tux: build < 300 ms, merge < 500 ms (QSQLITE), < 3000 ms (QODBC).\n");
    return 0;
}
