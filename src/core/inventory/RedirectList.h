#pragma once
// The redirected and skipped displays of one folder (the job's, or the
// local job's), as step 6 lists them: one entry per display of the master
// list that DisplayMap has a decision for. A list holds at most 249 entries;
// a further display does not fit ("Redirect grid is full!").
#include "inventory/RedirectTarget.h"

#include <QString>
#include <optional>
#include <vector>

namespace vorlix {

class Workbench;

struct RedirectEntry {
    int index = -1;      // the display's master-list entry
    QString ibexName;    // its plain file name
    bool localJob = false;
    QString target;      // EFBFilename as stored: rep-job-file; empty for a skip
    // Whether the target file exists: known after a look at the BACtalk
    // folders (a rebuild only tells "yes"; OK also tells "no"); nothing for
    // a skip or a missing file found by a rebuild.
    std::optional<bool> fileExists;

    bool isSkip() const { return target.isEmpty(); }
    // The stored target split into rep, job and file.
    RedirectTarget parts() const { return RedirectTarget::fromValue(target); }
};

class RedirectList {
public:
    static constexpr int MaxEntries = 249;

    explicit RedirectList(bool localJob = false) : m_localJob(localJob) {}
    bool localJob() const { return m_localJob; }

    const std::vector<RedirectEntry> &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }
    bool contains(int row) const { return row >= 0 && row < size(); }
    const RedirectEntry &at(int row) const { return m_entries[size_t(row)]; }

    // The row of the display named exactly `ibexName`; -1.
    int find(const QString &ibexName) const;
    // Whether the display has a row, or a new row would still fit.
    bool hasRoomFor(const QString &ibexName) const;

    // Anew from the master list and DisplayMap: every entry of this folder
    // with a decision, in master-list order.
    void rebuild(Workbench &wb);
    // The display's row after OK or Skip: replaced, or appended when the
    // display has none. False (nothing changed) when it does not fit.
    bool put(const RedirectEntry &entry);

private:
    bool m_localJob;
    std::vector<RedirectEntry> m_entries;
};

// The entry of master-list entry `index` as a rebuild makes it: its stored
// decision, and "yes" for a target file that exists.
RedirectEntry redirectEntryOf(Workbench &wb, int index);

} // namespace vorlix
