#pragma once
// The user's overrides in the project database: per-display overrides of an
// object's text or point (table Overrides, "$SKIP" leaves the object out)
// and project-wide point overrides (table GlobalOVR). Keys compare without
// regard to letter case. When a table is missing (an older project
// database) every operation does nothing and every lookup finds nothing.
#include "app/QueryCache.h"

#include <QString>
#include <optional>

namespace vorlix {

// The mark stored as a point override for an object that is left out.
inline const QString SkipMark = QStringLiteral("$SKIP");

class OverrideStore {
public:
    explicit OverrideStore(ProjectDatabase &pdb) : m_q(pdb) {}

    // The display the per-display operations work on: the loaded display's
    // file name and local-job flag.
    void setDisplay(const QString &displayName, bool localJob)
    {
        m_display = displayName;
        m_localJob = localJob;
    }
    const QString &display() const { return m_display; }
    bool localJob() const { return m_localJob; }

    bool available() const { return m_q.database().isOpen() && m_q.database().extendedTablesAvailable(); }
    bool globalAvailable() const { return m_q.database().isOpen() && m_q.database().globalOverridesAvailable(); }

    std::optional<QString> DisplayOvrGet(int object, bool isPoint);
    // Edits the row or adds it; false when the database refuses the write.
    bool DisplayOvrPut(int object, bool isPoint, const QString &ibexData, const QString &override);
    bool DisplayOvrDelete(int object, bool isPoint);

    // apexText must be a whole decimal number; anything else finds nothing.
    std::optional<QString> GlobalOvrGet(const QString &apexText, const QString &ibexPoint);
    bool GlobalOvrPut(int apex, const QString &ibexPoint, const QString &btPoint);

private:
    std::optional<qlonglong> findDisplayRow(int object, bool isPoint, QString *override);
    QueryCache m_q;
    QString m_display;
    bool m_localJob = false;
};

} // namespace vorlix
