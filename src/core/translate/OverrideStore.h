#pragma once
// The user's overrides in the project database: per-display overrides of an
// object's text or point (table Overrides, "$SKIP" leaves the object out)
// and project-wide point overrides (table GlobalOVR). Keys compare without
// regard to letter case. When a table is missing (an older project
// database) every operation does nothing and every lookup finds nothing.
#include "project/QueryCache.h"
#include "project/LookupCache.h"

#include <QHash>

#include <QString>
#include <optional>

namespace vorlix {

// The mark stored as a point override for an object that is left out.
inline const QString SkipMark = QStringLiteral("$SKIP");

class OverrideStore {
public:
    explicit OverrideStore(ProjectDatabase &pdb) : m_q(pdb), m_watch(pdb) {}

    // The display the per-display operations work on: the loaded display's
    // file name and local-job flag.
    void setDisplay(const QString &displayName, bool localJob)
    {
        m_display = displayName;
        m_localJob = localJob;
        m_preloaded = false;
        m_displayRows.clear();
    }

    // Before a display is listed: reads all of its overrides at once (later
    // DisplayOvrGet calls answer from them) and from now on remembers
    // project-wide answers until the database changes.
    void beginListing();
    // Drops remembered project-wide answers when the database changed.
    void revalidate();
    const QString &display() const { return m_display; }
    bool localJob() const { return m_localJob; }

    ProjectDatabase &database() const { return m_q.database(); }
    // The flags are set only while a database with the tables is open.
    bool available() const { return m_q.database().extendedTablesAvailable(); }
    bool globalAvailable() const { return m_q.database().globalOverridesAvailable(); }

    std::optional<QString> displayOvrGet(int object, bool isPoint);
    // Edits the row or adds it; false when the database refuses the write.
    bool displayOvrPut(int object, bool isPoint, const QString &ibexData, const QString &override);
    bool displayOvrDelete(int object, bool isPoint);

    // apexText must be a whole decimal number; anything else finds nothing.
    std::optional<QString> globalOvrGet(const QString &apexText, const QString &ibexPoint);
    bool globalOvrPut(int apex, const QString &ibexPoint, const QString &btPoint);

private:
    std::optional<qlonglong> findDisplayRow(int object, bool isPoint, QString *override);
    static int rowKey(int object, bool isPoint) { return object * 2 + (isPoint ? 1 : 0); }
    QueryCache m_q;
    QString m_display;
    bool m_localJob = false;
    bool m_preloaded = false;
    QHash<int, QString> m_displayRows;
    DatabaseChangeWatch m_watch;
    bool m_rememberGlobal = false;
    QHash<QString, std::optional<QString>> m_globalAnswers;
};

} // namespace vorlix
