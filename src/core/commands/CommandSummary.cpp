#include "commands/CommandSummary.h"

#include "project/MasterList.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {
QString shown(const QString &path) { return QDir::toNativeSeparators(path); }
} // namespace

QString seeLog(LogPlace place)
{
    return place == LogPlace::SessionLog ? u"see the session log"_qs : u"see Project Log"_qs;
}

QString refusedRowsText(int refused, LogPlace place)
{
    if (refused <= 0)
        return {};
    return QStringLiteral("%1 row(s) were not written; %2.").arg(refused).arg(seeLog(place));
}

QString folderText(const QString &folder)
{
    return folder.isEmpty() ? QString() : u"Folder: "_qs + shown(QDir::cleanPath(folder)) + u'.';
}

QString summaryLine(const QStringList &parts)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!p.isEmpty())
            kept << p;
    return kept.join(u' ');
}

QString filesReadText(int files, const QString &table)
{
    return QStringLiteral("%1 file(s) read into %2.").arg(files).arg(table);
}

QString readSummary(const QString &table, const ReadOutcome &r, LogPlace place)
{
    if (r.declined)
        return QStringLiteral("Nothing was read; %1 is unchanged.").arg(table);
    QString missing;
    if (!r.missingFiles.isEmpty())
        missing = QStringLiteral("%1 possible missing file(s); %2.").arg(r.missingFiles.size()).arg(seeLog(place));
    return summaryLine({filesReadText(r.filesRead, table), missing, refusedRowsText(r.refusedRows, place)});
}

QString scanCountsText(const MasterList &list, const ScanOutcome &scan)
{
    int scanned = 0;
    for (int i = 0; i < list.size(); ++i)
        scanned += list.isScanned(i) ? 1 : 0;
    return QStringLiteral("%1 display(s) in the list, %2 scanned, %3 missing.")
        .arg(list.size())
        .arg(scanned)
        .arg(scan.missingFiles);
}

QString unreadableDisplaysText(int unreadable, LogPlace place)
{
    if (unreadable <= 0)
        return {};
    return QStringLiteral("%1 display(s) could not be read; %2.").arg(unreadable).arg(seeLog(place));
}

QString scanSummary(const MasterList &list, const BuildOutcome &r, int refused, LogPlace place)
{
    QString head;
    if (r.scan.cancelled)
        head = u"The scan was cancelled."_qs;
    else if (!r.scan.started)
        head = u"The starting display is not in the job folder; nothing was scanned."_qs;
    return summaryLine({head, scanCountsText(list, r.scan), unreadableDisplaysText(r.scan.unreadableFiles, place),
                        refusedRowsText(refused, place)});
}

QString exportSummary(const ExportOutcome &r, LogPlace place)
{
    if (!r.done)
        return {};
    QString unmatched;
    if (r.counts.unmatched > 0)
        unmatched = QStringLiteral("%1 Ibex point(s) had no matching row; %2.")
                        .arg(r.counts.unmatched)
                        .arg(seeLog(place));
    const QString updated = QStringLiteral("%1 row(s) updated in %2.").arg(r.counts.updated).arg(shown(r.file));
    return summaryLine({updated, unmatched});
}

QString displayWrittenText(const CreationOutcome &r)
{
    return QStringLiteral("%1 (%2 objects, %3 bytes)")
        .arg(shown(r.path))
        .arg(r.records)
        .arg(QFileInfo(r.path).size());
}

QString createSummary(const CreationOutcome &r, LogPlace place)
{
    QString problems;
    if (!r.problems.empty())
        problems = QStringLiteral("%1 object problem(s); %2.").arg(r.problems.size()).arg(seeLog(place));
    if (r.written)
        return summaryLine({u"Display written: "_qs + displayWrittenText(r), problems});
    if (r.kept)
        return summaryLine({u"Nothing written: the existing file was kept: "_qs + shown(r.path), problems});
    return {};
}

QString scriptWrittenText(const QString &path) { return shown(path) + u" written."_qs; }

QString scriptsWrittenText(int files) { return QStringLiteral("%1 script file(s) written.").arg(files); }

QString tdcListText(int rows) { return QStringLiteral("%1 Tux DDC file(s) listed in TdcFiles.").arg(rows); }

QString tdcCopyText(const TdcCopyOutcome &r)
{
    return QStringLiteral("%1 copied, %2 already there, %3 missing, %4 failed.")
        .arg(r.copied)
        .arg(r.existing)
        .arg(r.missing)
        .arg(r.failed);
}

QString gatewaysText(int gateways) { return QStringLiteral("%1 gateway(s) written to tblRepJob.").arg(gateways); }

QString tuxText(const TuxBuild &build)
{
    return QStringLiteral("%1 control panel(s) written as Tux devices to tblRepJob.").arg(build.panels);
}

QString mergeSummary(const MergeResult &r, const QString &destination, LogPlace place)
{
    return summaryLine({QStringLiteral("Merged into %1: %2 device(s), %3 capability row(s), %4 subnet(s).")
                            .arg(shown(destination))
                            .arg(r.devices)
                            .arg(r.capabilities)
                            .arg(r.subnets),
                        refusedRowsText(r.refused, place)});
}

QString multiEditSummary(int rows, int refused, LogPlace place)
{
    return summaryLine({QStringLiteral("%1 row(s) edited.").arg(rows - refused), refusedRowsText(refused, place)});
}

} // namespace vorlix
