#pragma once
// The master display list: every Ibex display of the job and the local job
// that the inventory knows, in the order the scan found them, each with its
// flag word. An entry's text is the lower-case file name, with ">" in front
// for a display of the local job. Entries are only appended, so an index
// stays valid until the list is rebuilt. Lookups by text ignore letter case
// and are hashed. The list is kept in the project table FileList.
#include <QHash>
#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix {

class ProjectDatabase;

// The flag word of an entry.
inline constexpr uint32_t flRedirected = 1; // DisplayMap has a row for it
inline constexpr uint32_t flLocalJob = 4;   // the file lies in the local job
inline constexpr uint32_t flScanned = 8;    // the scan reached it
// Clearing the redirect state keeps the low 16 bits ANDed with this.
inline constexpr uint32_t flClearMask = 252;

class MasterList {
public:
    struct Entry {
        QString text;
        uint32_t flags = 0;
        bool operator==(const Entry &) const = default;
    };

    // ">" + name for a local-job display, else the name.
    static QString entryText(const QString &name, bool localJob);

    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    bool contains(int index) const { return index >= 0 && index < size(); }
    void clear();

    // Appends an entry (the text lower-cased) and returns its index. An
    // entry whose text is already there is appended all the same; the first
    // one is what lookups find.
    int append(const QString &text, uint32_t flags = 0);
    // The index of the entry with that text (letter case ignored); -1.
    int indexOf(const QString &text) const;
    int indexOf(const QString &name, bool localJob) const { return indexOf(entryText(name, localJob)); }

    // The entry's text; empty outside the list.
    QString text(int index) const;
    // The plain name: the text without the leading ">"; empty outside the list.
    QString entryName(int index) const;

    // A flag asked for an index outside the list counts as not set.
    uint32_t flags(int index) const { return contains(index) ? m_entries[size_t(index)].flags : 0; }
    bool hasFlag(int index, uint32_t flag) const { return (flags(index) & flag) != 0; }
    bool isLocalJob(int index) const { return hasFlag(index, flLocalJob); }
    bool isScanned(int index) const { return hasFlag(index, flScanned); }
    bool isRedirected(int index) const { return hasFlag(index, flRedirected); }
    void setFlag(int index, uint32_t flag);
    // Clears the redirect state (values 1 and 2), keeping the local-job and
    // scanned flags.
    void clearRedirect(int index);

    const std::vector<Entry> &entries() const { return m_entries; }

    // --- FileList -------------------------------------------------------------
    // Replaces the rows of FileList with one row per entry in index order,
    // in one transaction: the table holds the old rows or the new ones. A
    // row the database refuses is logged and left out. Throws Error when the
    // database cannot be written. Does nothing without an open database, and
    // nothing when FileList of that database already holds this list (as
    // loaded, or saved and committed last): a command that changed no flag
    // writes nothing.
    void save(ProjectDatabase &pdb) const;
    // Rebuilds the list from FileList in table order. False (and the list
    // left empty) when the table has no rows.
    bool load(ProjectDatabase &pdb);

private:
    std::vector<Entry> m_entries;
    // What FileList of the database at m_storedIn holds, as far as known.
    mutable std::vector<Entry> m_stored;
    mutable QString m_storedIn;
    QHash<QString, int> m_index; // lower-case text -> first index
};

} // namespace vorlix
