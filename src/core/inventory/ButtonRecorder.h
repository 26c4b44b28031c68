#pragma once
// What the scan records of each pushbutton that opens a control panel's
// display: one row of the table Buttons per distinct (Display, LocalJob,
// Apex) with the panel's subroutine line range (the "Template to Subcaller
// Map"), and one line of ButtonReport.txt per distinct button.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

class Workbench;

class ButtonRecorder {
public:
    // Records only when the project has the Buttons table and the project
    // variable LockSubcallerMap is off.
    explicit ButtonRecorder(Workbench &wb);

    // Empties Buttons (only when recording).
    void clearButtons();
    // AddButtonRecord: the Buttons row (when the table lacks one) and the
    // report line (when the report lacks it, letter case ignored), for a
    // control panel that CpanelMap calls.
    void add(int apex, int cpNumber, const QString &sourceName, bool localJob, const QString &targetName);

    // Writes the Buttons rows found, in the order of discovery. Held until
    // the scan ends, so the lookups it makes keep what they remember.
    void flush();

    // The report: the two header lines, then the button lines in the order
    // of discovery.
    QStringList reportLines() const;
    static QStringList reportHeader();

private:
    struct Row {
        QString display;
        bool localJob;
        int apex, subStart, subEnd;
    };
    Workbench &m_wb;
    bool m_enabled = false;
    QSet<QString> m_rows;    // Display (lower case), LocalJob, Apex
    QStringList m_lines;
    QSet<QString> m_seenLines; // lower case
    std::vector<Row> m_pending;
};

} // namespace vorlix
