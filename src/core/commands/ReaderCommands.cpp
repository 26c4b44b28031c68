#include "commands/ReaderCommands.h"

#include "util/Error.h"
#include "project/Messages.h"
#include "project/Workbench.h"
#include "ibex/ApexReader.h"
#include "ibex/DatReaders.h"

namespace vorlix {

namespace {

// The frame of a reader command: confirmation, heading, busy, one
// transaction around the work, missing files. When the work fails, the rows
// written so far are kept (committed) and the error goes on to the caller.
template <typename Work>
ReadOutcome runReader(Workbench &wb, const char *heading, const CommandFrame &frame, Work &&work)
{
    ReadOutcome out;
    wb.requireDatabase();
    if (!wb.prompter.confirm(confirmClearTableText())) {
        out.declined = true;
        return out;
    }
    wb.log.logMsgStart(QLatin1String(heading));
    wb.log.missingFiles.clear();
    wb.pdb.resetRefusedPosts();
    {
        BusyScope busy(frame);
        ProjectDatabase::Transaction tx(wb.pdb);
        try {
            work(out);
        } catch (...) {
            tx.commit();
            throw;
        }
        tx.commit();
    }
    wb.log.msgMissingFiles();
    out.missingFiles = wb.log.missingFiles;
    out.refusedRows = wb.pdb.refusedPosts();
    return out;
}

std::function<void(int)> apexProgress(const CommandFrame &frame)
{
    return [&frame](int apex) { frame.progress.step(apex + 1, 32, QStringLiteral("Apex %1").arg(apex)); };
}

} // namespace

QString confirmClearTableText() { return msg::confirmClearTable(); }

QString confirmEmptyTableText() { return msg::confirmEmptyTable(); }

ReadOutcome readDdcCommand(Workbench &wb, bool lostTux, const CommandFrame &frame)
{
    ReadOutcome outcome = runReader(wb, kHeadingReadDdc, frame, [&](ReadOutcome &out) {
        ApexReader reader(wb.map);
        reader.lostTux = lostTux;
        reader.onApex = apexProgress(frame);
        reader.scanTable(wb.projectFolder, -1, wb.log.missingFiles);
        out.filesRead = reader.filesRead;
    });
    // The device lists of steps 3 and 8 follow the step 2 reader.
    if (!outcome.declined)
        wb.refreshDeviceLists();
    return outcome;
}

ReadOutcome readPointsCommand(Workbench &wb, const CommandFrame &frame)
{
    return runReader(wb, kHeadingReadPoints, frame, [&](ReadOutcome &out) {
        DatReaders reader(wb.map);
        reader.onApex = apexProgress(frame);
        reader.readPntsFiles(wb.projectFolder, wb.log.missingFiles);
        // The point values go onto the rows the setups made.
        reader.readPdatFiles(wb.projectFolder, wb.log.missingFiles);
        out.filesRead = reader.filesRead;
    });
}

ReadOutcome readCpanelsCommand(Workbench &wb, const CommandFrame &frame)
{
    return runReader(wb, kHeadingReadCpanels, frame, [&](ReadOutcome &out) {
        DatReaders reader(wb.map);
        reader.onApex = apexProgress(frame);
        reader.readCntpFiles(wb.projectFolder, wb.log.missingFiles);
        out.filesRead = reader.filesRead;
    });
}

bool emptyReaderTableCommand(Workbench &wb, const QString &table, const CommandFrame &frame)
{
    static const char *tables[] = {"CpanelMap", "IbexPtMap", "CpanelNames"};
    bool known = false;
    for (const char *t : tables)
        known = known || table.compare(QLatin1String(t), Qt::CaseInsensitive) == 0;
    if (!known)
        throw Error(QStringLiteral("The table %1 is not one of the Ibex reader tables.").arg(table));
    wb.requireDatabase();
    if (!wb.prompter.confirm(confirmEmptyTableText()))
        return false;
    BusyScope busy(frame);
    ProjectDatabase::Transaction tx(wb.pdb);
    wb.pdb.emptyTable(table);
    tx.commit();
    return true;
}

std::vector<PointTransfer> scanPointTransfers(Workbench &wb, int apex, QStringList *missing)
{
    wb.requireDatabase();
    wb.log.missingFiles.clear();
    ApexReader reader(wb.map);
    std::vector<PointTransfer> transfers = reader.scanListing(wb.projectFolder, apex, wb.log.missingFiles);
    if (missing)
        *missing = wb.log.missingFiles;
    return transfers;
}

} // namespace vorlix
