#include "commands/ExportCommands.h"

#include "devices/DeviceMessages.h"
#include "project/OutsideDatabase.h"
#include "project/Workbench.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix {

namespace {

// A point database is a few megabytes; the template far less.
constexpr qint64 kMaxTemplateBytes = 256 * 1024 * 1024;

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// Makes `target` from the template when it does not exist.
void makeFromTemplate(const QString &appFolder, const QString &target)
{
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink())
        return;
    const QString templ = QDir(appFolder).filePath(pointDatabaseInitialName());
    if (!QFileInfo(templ).isFile())
        throw Error(QStringLiteral("The point database \"%1\" does not exist, and there is no template \"%2\" to "
                                   "make it from. Nothing was changed.").arg(shown(target), shown(templ)));
    QByteArray bytes;
    QString why;
    if (!readWholeFile(templ, bytes, &why, kMaxTemplateBytes))
        throw Error(why);
    writeFileAtomically(target, bytes);
}

} // namespace

QString pointDatabaseFilter() { return QStringLiteral("Point database (*.mdb)|*.mdb|All files (*.*)|*.*"); }
QString pointDatabaseInitialName() { return QStringLiteral("pointdata.mdb"); }
QString pointDatabaseDialogTitle() { return QStringLiteral("Export points to a point database"); }

QString noMatchReason(const PointExportCounts &counts, int apex)
{
    if (counts.updated > 0)
        return {};
    if (counts.points == 0)
        return QStringLiteral("No row was updated: IbexPtMap holds no point of Apex %1 (step 3 reads them from the "
                              "PNTSnn.DAT files).").arg(apex);
    if (counts.targetRows == 0)
        return u"No row was updated: the point database has no rows in \"Analog Values\" and \"Binary Values\". "
               "The export fills in the rows that are there and adds none: make the point objects in the BACtalk "
               "job first."_qs;
    return QStringLiteral("No row was updated: none of the point database's %1 row(s) has the instance number of an "
                          "Ibex point of Apex %2.").arg(counts.targetRows).arg(apex);
}

ExportOutcome exportPointsCommand(Workbench &wb, const ExportDevice &device, const CommandFrame &frame,
                                  bool explainNoMatch)
{
    ExportOutcome out;
    wb.requireDatabase();
    const auto chosen = wb.prompter.chooseFileToUpdate(
        pointDatabaseDialogTitle(), pointDatabaseFilter(),
        wb.dialogStart(DialogFolders::Kind::PointDatabase, pointDatabaseInitialName()));
    if (!chosen)
        return out;
    wb.rememberDialogFolder(DialogFolders::Kind::PointDatabase, *chosen);
    out.file = QFileInfo(QDir::fromNativeSeparators(*chosen)).absoluteFilePath();
    const int apex = device.apex;
    wb.log.logMsgStart(u"Exporting Points: "_qs + shown(out.file));
    try {
        makeFromTemplate(wb.appFolder, out.file);
        BusyScope busy(frame);
        OutsideDatabase target(out.file);
        out.counts = exportIbexPoints(wb.pdb, target, apex, frame.progress,
                                      [&wb](const QString &line) { wb.log.logMsg(line); });
    } catch (const Error &e) {
        wb.log.logMsg(e.message());
        throw;
    }
    out.done = true;
    QString closing = QStringLiteral("Points of Apex %1 exported: %2 row(s) updated, %3 Ibex point(s) had no "
                                     "matching row in the point database.")
                          .arg(apex).arg(out.counts.updated).arg(out.counts.unmatched);
    if (out.counts.refused > 0)
        closing += u' ' + msg::rowsNotWritten(out.counts.refused);
    if (explainNoMatch && out.counts.updated == 0)
        closing += u"\n"_qs + noMatchReason(out.counts, apex);
    wb.log.logMsg(closing);
    wb.prompter.inform(closing);
    return out;
}

} // namespace vorlix
