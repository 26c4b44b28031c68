#pragma once
// The commands of steps 2, 3 and 4: read the Apex DDC files into CpanelMap,
// the point files into IbexPtMap, the control-panel files into CpanelNames,
// and empty those tables. The window and the CLI call these; questions go
// through the workbench's prompter, headings and missing files to its log.
#include "commands/CommandFrame.h"
#include "ibex/ApexReader.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace vorlix {

class Workbench;

struct ReadOutcome {
    bool declined = false;   // the confirmation was answered No: nothing done
    int filesRead = 0;       // files of mapped Apexes that were read
    QStringList missingFiles; // bare names, as logged
    int refusedRows = 0;     // rows the database refused (logged with their key)
};

// Texts the commands log as their headings.
inline constexpr auto kHeadingReadDdc = "Scanning Apex DDC files";
inline constexpr auto kHeadingReadPoints = "Scanning Ibex point DAT files";
inline constexpr auto kHeadingReadCpanels = "Scanning Control Panel DAT files";

// Confirmation texts of the table helpers.
QString confirmClearTableText();
QString confirmEmptyTableText();

// Step 2 "Read data from APEXnn.adc files.": rows of CpanelMap are created
// or updated by (Apex, Sequence); `lostTux` adds rows for Tux controllers
// that no call names ("Add Tux with no Cpanel Reference"). A file that cannot
// be read ends the command with an Error naming it; rows written before stay.
ReadOutcome readDdcCommand(Workbench &wb, bool lostTux, const CommandFrame &frame = {});

// Step 3 "Read data PNTSnn.DAT files.": PNTS, then PDAT, into IbexPtMap.
ReadOutcome readPointsCommand(Workbench &wb, const CommandFrame &frame = {});

// Step 4 "Read data CNTPnn.DAT files.": CNTP into CpanelNames.
ReadOutcome readCpanelsCommand(Workbench &wb, const CommandFrame &frame = {});

// The empty-table buttons of steps 2, 3 and 4 (CpanelMap, IbexPtMap,
// CpanelNames). False when the user answered No.
bool emptyReaderTableCommand(Workbench &wb, const QString &table, const CommandFrame &frame = {});

// Listing mode for the project point overrides: the statements that transfer
// between an Ibex point and a Tux point, each once, of one Apex (or of 0 to
// 31 for -1). Missing files of mapped Apexes go to `missing`.
std::vector<PointTransfer> scanPointTransfers(Workbench &wb, int apex, QStringList *missing = nullptr);

} // namespace vorlix
