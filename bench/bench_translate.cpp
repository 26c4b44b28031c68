// Loads and lists Ibex displays (their translations) against a full
// project database: every Apex mapped, control panels, Ibex points, overrides
// and redirects in the thousands. Prints the time for 2,000 displays of 100
// objects (1x) and for 4x and 16x as many displays, to show linear growth.
#include "project/ProjectDatabase.h"
#include "project/Schema.h"
#include "project/ControllerMap.h"
#include "translate/DisplayTranslator.h"
#include "sample/IbexDisplayBuilder.h"
#include "support/LargeJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace vorlix;
using namespace vorlix::sample;

#ifndef BENCH_DISPLAYS
#define BENCH_DISPLAYS 2000
#endif

namespace {

constexpr int kDisplays = BENCH_DISPLAYS;
constexpr int kObjects = 100;

void fill(ProjectDatabase &pdb)
{
    QSqlQuery q(pdb.db());
    pdb.db().transaction();
    bench::fillPanelCalls(pdb);
    q.prepare(QStringLiteral("INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description, Value) VALUES (?, ?, ?, ?, ?)"));
    for (int apex = 0; apex < 32; ++apex)
        for (int pt = 1; pt <= 2000; ++pt) {
            q.addBindValue(apex);
            q.addBindValue(pt);
            q.addBindValue(pt % 4 + 1);
            q.addBindValue(QStringLiteral("Point %1").arg(pt));
            q.addBindValue(pt * 0.5);
            q.exec();
        }
    q.prepare(QStringLiteral("INSERT INTO GlobalOVR (Apex, IbexPoint, BTPoint) VALUES (?, ?, ?)"));
    for (int apex = 0; apex < 32; ++apex)
        for (int pt = 1; pt <= 2000; pt += 10) {
            q.addBindValue(apex);
            q.addBindValue(QStringLiteral("IB-%1").arg(pt));
            q.addBindValue(QStringLiteral("%1:AV-%2").arg(apex * 1000 + 100).arg(pt + 5000));
            q.exec();
        }
    q.prepare(QStringLiteral("INSERT INTO Overrides (Display, LocalJob, Object, IsPoint, \"Ibex Data\", Override) "
                             "VALUES (?, 0, ?, ?, '', ?)"));
    for (int d = 1; d <= kDisplays; d += 2)
        for (int o = 1; o <= kObjects; o += 7) {
            q.addBindValue(ibexFileName(ftDisplay, d));
            q.addBindValue(o);
            q.addBindValue(o % 2);
            q.addBindValue(o % 2 ? QStringLiteral("AV-1") : QStringLiteral("Text %1").arg(o));
            q.exec();
        }
    q.prepare(QStringLiteral("INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, ?, ?)"));
    for (int d = 1; d <= kDisplays; d += 5) {
        q.addBindValue(ibexFileName(ftDisplay, d));
        q.addBindValue(QStringLiteral("acme-plaza-%1.dsp").arg(d + 5000, 8, 10, QLatin1Char('0')));
        q.exec();
    }
    pdb.db().commit();
}

QByteArray display(int n)
{
    IbexDisplayBuilder b;
    b.description(QStringLiteral("Display %1").arg(n)).bitmapBackground(QStringLiteral("back.bmp"));
    for (int i = 0; i < kObjects; ++i) {
        const int apex = (n + i) % 32;
        switch (i % 10) {
        case 0: b.add(ioText).caption(QStringLiteral("Label %1").arg(i)); break;
        case 1: b.add(ioRoAnalog).point(apex, ref::ibex(1 + (n * 7 + i) % 2100)).length(120); break;
        case 2: b.add(ioDigital).point(apex, ref::tux(i % 4 + 1, i % 64, 1, i % 64 + 1)).length(128); break;
        case 3: b.add(ioAnalog).point(apex, ref::pulse(2, 5, 1, 3)).length(120); break;
        case 4: b.add(ioRoAnalog).point(apex, ref::zone(2, 5), 1 + (n + i) % 260).length(120); break;
        case 5: b.add(ioCheckbox).caption(QStringLiteral("Box")).point(apex, ref::genericZone(3), 7); break;
        case 6: b.add(ioBtnDisp).caption(QStringLiteral("Go")).point(0, (n + i) % kDisplays + 1); break;
        case 7: b.add(ioBtnCP).caption(QStringLiteral("Panel")).point(apex, 1 + i % 250).u16(22, 3); break;
        case 8: b.add(ioRoAirflow).airflowPoint(apex, ref::ibex(i + 1)).length(120); break;
        case 9: b.add(ioGrPilot).point(apex, ref::tux(1, 3, 0, 1)).bitmap(1, QStringLiteral("a.bmp")); break;
        }
    }
    return b.bytes();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString appFolder = dir.filePath(QStringLiteral("app"));
    const QString job = dir.filePath(QStringLiteral("job"));
    QDir().mkpath(appFolder);
    QDir().mkpath(job + QStringLiteral("/ldisplay"));
    schema::createProjectTemplate(appFolder + QStringLiteral("/vorlix.mdb"));
    ProjectDatabase pdb(QStringLiteral("bench"));
    ProjectVariables vars;
    pdb.linkDatabase(job, appFolder, vars);
    vars.cpanelPlaceHolder = QStringLiteral("AV-9999");
    vars.addRelDefToBO = true;
    vars.mapMSetGraphicToBtn = true;
    fill(pdb);
    ControllerMap map(pdb);

    QStringList paths;
    for (int d = 1; d <= kDisplays; ++d) {
        const QString name = ibexFileName(ftDisplay, d);
        QFile f(job + QStringLiteral("/ldisplay/") + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(display(d)) < 0)
            return 1;
        paths << f.fileName();
    }

    DisplayTranslator translator(vars, map);
    std::printf("translation grid: %d displays x %d objects per 1x, full project database\n", kDisplays, kObjects);
    double base = 0;
    for (int scale : {1, 4, 16}) {
        QElapsedTimer t;
        t.start();
        qint64 rows = 0;
        for (int i = 0; i < kDisplays * scale; ++i) {
            const QString &path = paths[i % kDisplays];
            const Translation listed = translator.load(path, DisplayRef{QFileInfo(path).fileName(), false});
            rows += listed.totalObjects();
        }
        const double s = t.nsecsElapsed() / 1e9;
        if (scale == 1)
            base = s;
        std::printf("%3dx: %6d displays, %8lld objects: %7.3f s  (%.2f us/object, %.2f x the 1x time)\n", scale,
                    kDisplays * scale, static_cast<long long>(rows), s, s * 1e6 / double(rows), s / base);
        std::fflush(stdout);
    }
    return 0;
}
