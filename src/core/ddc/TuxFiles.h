#pragma once
// The Tux DDC file list (TdcFiles): the `.tdc` files of every mapped Apex's
// tddc folder with the name each gets in the BACtalk job, and their copy
// into the BACtalk job's ddc folder.
#include "util/Progress.h"

#include <QString>
#include <QStringList>

namespace vorlix {

class ControllerMap;
class ProjectDatabase;
class SessionLog;

// Empties TdcFiles and lists the `.tdc` files of the tddc folder of every
// mapped Apex (0 to 31), each with its BACtalk name. Returns the number of
// rows stored (a row the database refuses is logged and left out, as is a
// file whose name is not valid text in this system's encoding: it could
// not be found again by its name).
int createDdcFileList(ProjectDatabase &pdb, ControllerMap &map, const QString &projectFolder,
                      const Progress &progress = {});

struct TdcCopyOutcome {
    int copied = 0;
    int existing = 0; // left untouched: the destination was there already
    int missing = 0;  // no source file
    int failed = 0;   // logged as failures
    // The names behind the counts: the BACtalk names of copied and existing
    // files, the source paths of missing ones, the log line of failures.
    QStringList copiedFiles, existingFiles, missingFiles, failedFiles;
    bool cancelled = false; // the progress asked to stop before the end
};

// Copies every TdcFiles row (in Apex, IbexFilename order) from its tddc
// folder to the BACtalk job's ddc folder, never replacing a file there. Only
// regular files are copied: a link (or a tddc folder that is one) is never
// followed, and is a failure "Not copied: ... is a link". Each file gets one
// log line: "Copied: ", "File exists: " (a regular file is there),
// "File missing: " or a failure saying why (also a link, a folder or a FIFO
// at the destination's name, named as what it is).
TdcCopyOutcome copyTdcFiles(ProjectDatabase &pdb, SessionLog &log, const QString &projectFolder,
                            const QString &bactalkJobPath, const Progress &progress = {});

// The "File Exists" text of a row: "yes" when the BACtalk job's ddc folder
// holds `bactalkName` as a regular file (not a link), else empty.
QString tdcFileExistsText(const QString &bactalkJobPath, const QString &bactalkName);

} // namespace vorlix
