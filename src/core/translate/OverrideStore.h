#pragma once
// The user's overrides in the project database: per-display overrides of an
// object's text or point (table Overrides; "$SKIP" leaves the object out)
// and project-wide point overrides (table GlobalOVR). Keys compare without
// regard to letter case. When a table is missing (an older project
// database) every operation does nothing and every lookup finds nothing.
// Answers are remembered until the database may have changed.
#include "project/ProjectDatabase.h"

#include <QHash>
#include <QString>
#include <optional>

namespace vorlix {

// The mark stored as a point override for an object that is left out.
inline const QString SkipMark = QStringLiteral("$SKIP");

// A display as its overrides are keyed: its file name and local-job flag.
struct DisplayRef {
    QString name;
    bool localJob = false;
};

class OverrideStore {
public:
    explicit OverrideStore(ProjectDatabase &pdb) : m_pdb(pdb) {}

    ProjectDatabase &database() const { return m_pdb; }
    // The flags are set only while a database with the tables is open.
    bool available() const { return m_pdb.extendedTablesAvailable(); }
    bool globalAvailable() const { return m_pdb.globalOverridesAvailable(); }

    // Object 0 is the display's title.
    std::optional<QString> displayOvrGet(const DisplayRef &display, int object, bool isPoint);
    // Edits the row or adds it; false when the database refuses the write.
    bool displayOvrPut(const DisplayRef &display, int object, bool isPoint, const QString &ibexData,
                       const QString &override);
    // Deletes the row. True when no such override is left (also when there
    // was none); false when the database refuses the delete.
    bool displayOvrDelete(const DisplayRef &display, int object, bool isPoint);

    // apexText must be a whole decimal number; anything else finds nothing.
    std::optional<QString> globalOvrGet(const QString &apexText, const QString &ibexPoint);
    bool globalOvrPut(int apex, const QString &ibexPoint, const QString &btPoint);

private:
    static QList<ProjectDatabase::Field> displayKey(const DisplayRef &display, int object, bool isPoint);
    // Forgets every answer when the database may have changed.
    void validate();
    // The overrides of one display are read at once, when it is first asked for.
    const QHash<int, QString> &rowsOf(const DisplayRef &display);

    ProjectDatabase &m_pdb;
    quint64 m_stamp = 0;
    DisplayRef m_rowsDisplay; // the display rowsOf() holds
    std::optional<QHash<int, QString>> m_rows;
    std::optional<QHash<QString, QString>> m_global; // "apex|point" in ASCII lower case
};

} // namespace vorlix
