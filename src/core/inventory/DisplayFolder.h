#pragma once
// One "ldisplay" folder of the job or of the local job, listed once: the
// display files it holds, found whatever the letter case of the folder's and
// the files' names (Ibex jobs come from Windows).
#include <QHash>
#include <QString>
#include <QStringList>

namespace vorlix {

class DisplayFolder {
public:
    DisplayFolder() = default;
    // Lists <jobFolder>/ldisplay ("ldisplay" in any letter case). A folder
    // that does not exist lists nothing.
    explicit DisplayFolder(const QString &jobFolder);

    // The ldisplay folder as found (or <jobFolder>/ldisplay).
    const QString &folder() const { return m_folder; }
    // The listing of the step 5 scan: the lower-case names of the entries
    // whose extension is ".ibw" and whose part before the first "." has at
    // most 8 characters, in name order.
    const QStringList &displayNames() const { return m_displays; }

    // The path of the entry `name` (letter case ignored), or folder/name
    // when the folder has no such entry.
    QString pathOf(const QString &name) const;
    // Whether `name` is a regular file of the folder. A folder, a FIFO or a
    // device named like a display is not, and is never opened. Each entry
    // is looked at once, like the listing (the trees ask for every
    // pushbutton's target).
    bool isDisplayFile(const QString &name) const;

private:
    QString m_folder;
    QStringList m_displays;
    QHash<QString, QString> m_entries; // lower-case name -> name on disk
    mutable QHash<QString, bool> m_regular; // lower-case name -> a regular file, once asked
};

// Whether a path names a regular file (following links), checked without
// opening it.
bool isRegularFile(const QString &path);

} // namespace vorlix
