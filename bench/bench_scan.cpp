// The step 5 display inventory on a large job: 2,000 displays linked in a
// tree of depth 20 (each with 10 buttons: 5 to displays of the next level,
// one back to the plant overview, 4 to control-panel templates) and 200
// templates. Prints the time of a full scan with Buttons, ButtonReport.txt
// and FileList, of reloading the list from FileList as a project opens, and
// of building both explorer trees, for 1x, 2x and 4x as many displays (the
// four-digit display numbers allow at most 9,999 displays of a kind).
#include "commands/InventoryCommands.h"
#include "inventory/InventoryTree.h"
#include "project/Workbench.h"
#include "support/LargeJob.h"
#include "util/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace vorlix;
using vorlix::bench::kLevels;
using vorlix::bench::kTemplates;

namespace {

void fillControlPanels(ProjectDatabase &pdb)
{
    pdb.db().transaction();
    bench::fillPanelCalls(pdb);
    pdb.db().commit();
}

double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

void run(int displays)
{
    QTemporaryDir dir;
    const QString app = dir.path() + u"/app"_qs;
    const QString job = dir.path() + u"/job"_qs;
    seedAppFolder(app, QCoreApplication::applicationDirPath());
    bench::writeLinkedDisplays(job, displays);
    bench::writeBytes(job + u"/MASETUP.DAT"_qs, {});
    ScriptedPrompter prompter(true);
    Workbench wb(app, prompter);
    wb.startUp();
    wb.connectDefaultProject();
    wb.openProject(job); // no builder attached: nothing is scanned yet
    fillControlPanels(wb.pdb);
    wb.vars.startingDisplay = 1;

    QElapsedTimer t;
    t.start();
    const BuildOutcome r = buildDisplayListCommand(wb, true, {}, 1, kLevels);
    const double scan = ms(t);

    int scanned = 0;
    for (int i = 0; i < wb.masterList.size(); ++i)
        scanned += wb.masterList.isScanned(i) ? 1 : 0;
    QSqlQuery q(wb.pdb.db());
    q.exec(u"SELECT COUNT(*) FROM Buttons"_qs);
    q.next();
    const int buttons = q.value(0).toInt();

    t.restart();
    wb.masterList.load(wb.pdb);
    const double reload = ms(t);

    t.restart();
    const InventoryTree rd = InventoryTree::build(InventoryTree::Kind::Redirection, wb);
    const InventoryTree jt = InventoryTree::build(InventoryTree::Kind::Display, wb);
    const double trees = ms(t);

    std::printf("%6d displays + %d templates: scan %7.1f ms (%d parsed, %d scanned, %d Buttons rows, %lld report "
                "lines) | reload %6.1f ms (%d entries) | trees %7.1f ms (%d + %d nodes)\n",
                displays, kTemplates, scan, r.scan.parsedDisplays, scanned, buttons,
                static_cast<long long>(r.scan.report.size()), reload, wb.masterList.size(), trees, rd.nodeCount(),
                jt.nodeCount());
    wb.closeProject();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("Display inventory: full scan (Buttons, ButtonReport.txt, FileList), reload from FileList, both "
                "explorer trees\n");
    for (int factor : {1, 2, 4})
        run(2000 * factor);
    return 0;
}
