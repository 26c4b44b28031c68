#include "sample/SampleJob.h"
#include "sample/SampleDisplays.h"
#include "sample/SampleBitmapLibrary.h"
#include "sample/SampleIbexFiles.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/Workbench.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace vorlix::sample {

namespace {

void makeDir(const QString &path)
{
    if (!QDir().mkpath(path))
        throw Error(QStringLiteral("Cannot create the folder \"%1\".").arg(QDir::toNativeSeparators(path)));
}

struct ApexMapping {
    int apex;
    const char *comList;
    int globalPts;
    int devId[4];
    int net[4];
    int baseAddr[4];
};

// Apex 1 has two Tux trunks, Apex 2 one; Apex 5 is mapped but its files were
// never copied from the site.
constexpr ApexMapping kMappings[] = {
    {1, "12", 1100, {1101, 1102, 0, 0}, {11, 12, 0, 0}, {1200, 1300, 0, 0}},
    {2, "1", 2100, {2101, 0, 0, 0}, {21, 0, 0, 0}, {2200, 0, 0, 0}},
    {5, "1", 5100, {5101, 0, 0, 0}, {51, 0, 0, 0}, {5200, 0, 0, 0}},
};

} // namespace

SampleJobPaths pathsUnder(const QString &root)
{
    SampleJobPaths p;
    p.root = QDir::cleanPath(QDir(root).absolutePath());
    p.job = p.root + u"/job"_qs;
    p.localJob = p.root + u"/localjob"_qs;
    p.bactalkRoot = p.root + u"/bactalk"_qs;
    p.bactalkJob = p.bactalkRoot + u'/' + QLatin1String(kBactalkRep) + u'/' + QLatin1String(kBactalkJob);
    return p;
}

SampleJobPaths writeSampleJob(const QString &root)
{
    const SampleJobPaths p = pathsUnder(root);
    makeDir(p.job + u"/ldisplay"_qs);
    makeDir(p.localJob + u"/ldisplay"_qs);
    makeDir(p.bactalkJob + u"/ddc"_qs);
    // MASETUP.DAT only marks the job folder.
    writeFileAtomically(p.job + u"/MASETUP.DAT"_qs, QByteArray("VORLIX SAMPLE JOB\r\n"));
    writeSampleApexFiles(p.job);
    writeSamplePointFiles(p.job);
    writeSamplePanelFiles(p.job);
    writeSampleTuxFiles(p.job);
    writeSampleDisplays(p);
    writeSampleBitmapLibrary(p);
    return p;
}

void configureSampleProject(Workbench &wb, const SampleJobPaths &paths)
{
    wb.requireDatabase();
    QSqlQuery q(wb.pdb.db());
    q.prepare(u"UPDATE ApexMap SET ComList = ?, GlobalPts = ?, DevID1 = ?, Net1 = ?, BaseAddr1 = ?, "
               "DevID2 = ?, Net2 = ?, BaseAddr2 = ?, DevID3 = ?, Net3 = ?, BaseAddr3 = ?, "
               "DevID4 = ?, Net4 = ?, BaseAddr4 = ? WHERE Apex = ?"_qs);
    for (const ApexMapping &m : kMappings) {
        q.addBindValue(QString::fromLatin1(m.comList));
        q.addBindValue(m.globalPts);
        for (int i = 0; i < 4; ++i) {
            q.addBindValue(m.devId[i]);
            q.addBindValue(m.net[i]);
            q.addBindValue(m.baseAddr[i]);
        }
        q.addBindValue(m.apex);
        if (!q.exec())
            throw Error(QStringLiteral("Cannot map Apex %1: %2").arg(m.apex).arg(q.lastError().text()));
    }
    wb.vars.bactalkJobPath = QDir::toNativeSeparators(paths.bactalkJob);
    // Control-panel and Tux templates share the .dvt numbers: the Tux
    // templates of the job and the local job get ranges of their own.
    wb.vars.jobCTXDNum = 1;
    wb.vars.localJobCTXDNum = 2;
    // The display scan starts at the plant overview.
    wb.vars.startingDisplay = 1;
    wb.saveProjectVariables();
    useSampleBitmapLibrary(wb.settings);
}

} // namespace vorlix::sample
