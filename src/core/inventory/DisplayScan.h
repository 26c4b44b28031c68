#pragma once
// The step 5 scan: lists the job's display files into the master list, then
// follows the pushbuttons from the starting display down to the scan depth,
// appending the displays they reach (local-job ones too), marking every
// display reached as scanned, logging each referenced file that does not
// exist, and recording the control-panel buttons (Buttons and
// ButtonReport.txt). A display is parsed at most once per scan.
#include "inventory/ButtonRecorder.h"
#include "inventory/DisplayFolder.h"
#include "util/Progress.h"

#include <QString>
#include <QStringList>

namespace vorlix {

class Workbench;

struct ScanOutcome {
    bool started = false;    // the starting display was in the job folder
    bool cancelled = false;  // "Cancel Scan" (or the progress) stopped it
    int missingFiles = 0;    // referenced files not found, each counted once
    int unreadableFiles = 0; // displays that exist but could not be read (logged)
    int parsedDisplays = 0;
    QStringList report;      // the lines written to ButtonReport.txt
};

class DisplayScan {
public:
    // `progress.cancelled` is polled before every record, together with the
    // workbench's scanAborted flag.
    DisplayScan(Workbench &wb, ButtonRecorder &buttons, const Progress &progress = {});

    // AddJobFilesToMstrList: rebuilds the master list and scans from display
    // number `startDisplay` down to `depth` levels. Writes ButtonReport.txt
    // into the project folder when the scan started (also when cancelled) and
    // sets the redirect flags from DisplayMap. Throws Error when the report
    // cannot be written.
    ScanOutcome run(int startDisplay, int depth);

    static QString reportFileName() { return QStringLiteral("ButtonReport.txt"); }

private:
    bool stopped();
    void recurse(const QString &path, const QString &fileName, int level);
    const DisplayFolder &folderOf(bool localJob);

    Workbench &m_wb;
    ButtonRecorder &m_buttons;
    const Progress &m_progress;
    DisplayFolder m_job;
    DisplayFolder m_local;
    bool m_localListed = false;
    int m_depth = 5;
    ScanOutcome m_out;
};

} // namespace vorlix
