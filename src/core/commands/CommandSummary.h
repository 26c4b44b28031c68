#pragma once
// What a command did, in one line: the counts the command returns, the file
// or folder it wrote, and where to look when something needs a look. The
// CLI prints these lines after the command's name; the window shows them in
// its status bar.
#include "commands/CreateDisplayCommands.h"
#include "commands/DeviceCommands.h"
#include "commands/ExportCommands.h"
#include "commands/InventoryCommands.h"
#include "commands/ReaderCommands.h"
#include "ddc/TuxFiles.h"

#include <QString>

namespace vorlix {

class MasterList;

// Where the details are: the CLI names the session log, the window its
// "Project Log" tab.
enum class LogPlace { SessionLog, ProjectLog };
QString seeLog(LogPlace place);

// "N row(s) were not written; see ..." (empty for none).
QString refusedRowsText(int refused, LogPlace place);
// "Folder: " and the folder written into (empty for none).
QString folderText(const QString &folder);
// Joins the non-empty parts with a blank.
QString summaryLine(const QStringList &parts);

// Steps 2 to 4.
QString filesReadText(int files, const QString &table);
QString readSummary(const QString &table, const ReadOutcome &r, LogPlace place);
// Step 5.
QString scanCountsText(const MasterList &list, const ScanOutcome &scan);
QString unreadableDisplaysText(int unreadable, LogPlace place);
QString scanSummary(const MasterList &list, const BuildOutcome &r, int refused, LogPlace place);
// Step 3's export.
QString exportSummary(const ExportOutcome &r, LogPlace place);
// Step 7.
QString displayWrittenText(const CreationOutcome &r);
QString createSummary(const CreationOutcome &r, LogPlace place);
// Steps 8 and 9.
QString scriptWrittenText(const QString &path);
QString scriptsWrittenText(int files);
QString tdcListText(int rows);
QString tdcCopyText(const TdcCopyOutcome &r);
// Step 10.
QString gatewaysText(int gateways);
QString tuxText(const TuxBuild &build);
QString mergeSummary(const MergeResult &r, const QString &destination, LogPlace place);
QString multiEditSummary(int rows, int refused, LogPlace place);

} // namespace vorlix
