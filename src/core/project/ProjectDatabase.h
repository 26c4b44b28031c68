#pragma once
// The project database connection: finding, creating and opening a project's
// vorlix.mdb, the table generations, and the generic table operations.
#include "project/ProjectVariables.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <functional>

namespace vorlix {

class ProjectDatabase {
public:
    explicit ProjectDatabase(QString connectionName = u"vorlix_project"_qs);
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase &) = delete;
    ProjectDatabase &operator=(const ProjectDatabase &) = delete;

    // Closes the open database, makes sure `projectFolder`/vorlix.mdb exists
    // (copying `appFolder`/vorlix.mdb when it does not), opens it and loads
    // the project variables into `vars`. Returns whether the file existed
    // before the call. Throws Error when the file is not a usable database.
    bool linkDatabase(const QString &projectFolder, const QString &appFolder, ProjectVariables &vars);
    void close();

    bool isOpen() const;
    QSqlDatabase db() const;
    QString path() const { return m_path; }
    // Changes every time a database is opened: cached prepared queries
    // compare it to know when to prepare again.
    int generation() const { return m_generation; }

    bool extendedTablesAvailable() const { return m_extended; }
    bool globalOverridesAvailable() const { return m_globalOverrides; }
    // CpanelMap carries ExpandedMode (DatabaseVersion 14 or more).
    bool expandedModeAvailable() const { return m_expandedMode; }

    // Deletes every row of a project table (ApexMap rows stay).
    void emptyTable(const QString &table);
    // Empties tblDevCapabilities, then tblRepJob.
    void emptyDeviceTables();

    // Runs a prepared insert/update. A statement the database refuses is
    // cancelled, reported to the refusal sink with its table and key, and
    // false is returned; the caller goes on.
    bool post(QSqlQuery &query, const QString &table, const QString &key);
    // Where refused posts are reported (the session log).
    std::function<void(const QString &line)> refusalSink;
    int refusedPosts() const { return m_refused; }
    void resetRefusedPosts() { m_refused = 0; }

    // One transaction around a batch command; rolls back when not committed.
    // One transaction at a time: one begun inside another is part of it
    // (it neither begins nor ends anything).
    class Transaction {
    public:
        explicit Transaction(ProjectDatabase &pdb);
        ~Transaction();
        void commit();
    private:
        ProjectDatabase &m_pdb;
        bool m_active = false;
    };

private:
    QString m_connection;
    QString m_path;
    int m_generation = 0;
    bool m_extended = false;
    bool m_globalOverrides = false;
    bool m_expandedMode = false;
    int m_refused = 0;
    bool m_inTransaction = false;
};

// Opens a database that belongs to the BACtalk job (RepJob.mdb, a point
// database) by its content: SQLite through QSQLITE, an Access file through
// QODBC where an Access ODBC driver exists. Throws Error naming the file and
// what is missing; changes nothing then.
QSqlDatabase openOutsideDatabase(const QString &path, const QString &connectionName);
void closeOutsideDatabase(const QString &connectionName);

} // namespace vorlix
