#pragma once
// "Convert whole job": the steps from reading the Ibex files to merging the
// devices in one run, each stage one of the commands the step pages call,
// ending with the conversion report in the BACtalk job folder.
#include "commands/CommandFrame.h"
#include "commands/ConversionReport.h"

#include <QString>
#include <functional>
#include <optional>

namespace vorlix {

class Workbench;

struct ConvertOptions {
    QString bactalk;                    // the BACtalk job folder (created when missing)
    std::optional<QString> workstation; // the Device-ID text of the workstation to add
    QString points;                     // the point database every Apex is exported into
    QString merge;                      // the device database the devices are merged into
    bool scannedOnly = false;           // only the displays the scan reached
    // Told when a stage starts and when it ended (the CLI prints a line each).
    std::function<void(const QString &stage)> stageStarted;
    std::function<void(const StageResult &stage)> stageEnded;
};

// Runs every stage on the open project of `wb` (see ConvertOptions). The
// questions of the stages about clearing the tables they fill, the
// workstation's Device-ID and the point database are answered from the
// options; whether existing output files are replaced is asked of the
// front end's prompter, once per file (scripts: once for all). A stage that
// fails is recorded and the stages that need it are skipped; the others
// still run. `frame.progress.cancelled` is polled between stages, displays
// and copied files: the stages not begun are skipped, what was written
// stays. The report is written into the BACtalk job folder at the end (a
// failure to write it is a failed stage "report"). Throws Error only when
// the BACtalk job folder cannot be made.
ConversionReport convertJobCommand(Workbench &wb, const ConvertOptions &options, const CommandFrame &frame = {});

} // namespace vorlix
