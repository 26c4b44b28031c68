#pragma once
// The redirect dialog's logic: which display it edits, the rep, job and file
// of its target, and what OK, Skip and Remove store. The dialog (a form in
// the window) and the redirect command of the command line share it, so both
// follow the same rules on the master list: OK and Skip set the entry's
// redirect flag, Remove clears it, and no entry is ever added.
#include <QString>

namespace vorlix {

class RedirectGrid;
class Workbench;

// The results the dialog closes with.
enum RedirectResult { rrFull = -1, rrOk = 1, rrCancel = 2, rrRemove = 3, rrSkip = 5 };

// A target typed or chosen: rep, job and file of <root>/<rep>/<job>/displays/<file>.
struct RedirectTarget {
    QString rep;
    QString job;
    QString file;
    // The stored value: lower-cased rep-job-file.
    QString value() const;
    // Splits a stored value at its first two "-"; a value without "-" (a
    // skip) leaves all three empty.
    static RedirectTarget fromValue(const QString &value);
    // The last components of a chosen file's path: file, the displays folder
    // (dropped), job, rep.
    static RedirectTarget fromPath(const QString &path);
};

class RedirectEditor {
public:
    explicit RedirectEditor(Workbench &wb) : m_wb(wb) {}

    // Setup for the dialog: `index` -1 edits the grid's selected row, else
    // the master-list entry `index` (a display picked in the tree) is edited
    // in its row or, when new, takes the first free row. rrFull when the grid
    // has no free row (the dialog does not open), else 0.
    int setup(RedirectGrid &grid, int index);
    // Setup for the command line: entry `name` of the local job or the job,
    // with no grid. The name need not be in the master list.
    void setupForName(const QString &name, bool localJob);

    bool newDisplay() const { return m_newDisplay; }
    bool localJob() const { return m_localJob; }
    int index() const { return m_index; }
    const QString &ibexName() const { return m_ibexName; }
    const RedirectTarget &target() const { return m_target; }

    // <root>/<rep>/<job>, and that with /displays/<file>.
    QString repJobPath(const RedirectTarget &t) const;
    QString filePath(const RedirectTarget &t) const;
    // Where the file dialog of Browse starts: the current target file when it
    // exists, else the BACtalk job folder.
    QString browseStart(const RedirectTarget &t) const;

    // OK: checks the target, stores it and sets the flag. False, with the
    // reason shown and nothing stored, when a check fails or the database
    // refuses; the dialog then stays open. A target file that does not exist
    // yet is stored after an information box.
    bool okay(const RedirectTarget &t);
    // Skip: stores an empty target and sets the flag; false (reason shown)
    // when the database refuses.
    bool skip();
    // Remove: deletes the decision and clears the flag. rrRemove, or
    // rrCancel when there was no decision to delete (the user is told; the
    // flag is cleared all the same).
    int remove();

private:
    void setFlag();
    Workbench &m_wb;
    RedirectGrid *m_grid = nullptr;
    bool m_newDisplay = false;
    bool m_localJob = false;
    int m_index = -1;
    QString m_ibexName;
    RedirectTarget m_target;
};

} // namespace vorlix
