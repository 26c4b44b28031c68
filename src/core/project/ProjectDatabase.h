#pragma once
// The project database connection: finding, creating and opening a project's
// vorlix.mdb, the table generations, and the generic table operations.
#include "project/ProjectVariables.h"

#include <QHash>
#include <QMultiHash>
#include <QStringList>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace vorlix {

class ProjectDatabase {
public:
    // Each project database has a connection of its own (a name made up
    // when none is given), so two workbenches never share one.
    explicit ProjectDatabase(QString connectionName = {});
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

    bool extendedTablesAvailable() const { return m_extended; }
    bool globalOverridesAvailable() const { return m_globalOverrides; }
    // CpanelMap carries ExpandedMode (DatabaseVersion 14 or more).
    bool expandedModeAvailable() const { return m_expandedMode; }

    // Deletes every row of a project table (ApexMap rows stay).
    void emptyTable(const QString &table);
    // Empties tblDevCapabilities, then tblRepJob.
    void emptyDeviceTables();

    // --- statements ---------------------------------------------------------
    // The statement `sql`, prepared once per open database. Throws Error
    // with the database's message when it cannot be prepared.
    QSqlQuery &prepared(const QString &sql);
    // Runs a prepared statement that reads; throws Error with the message.
    static void run(QSqlQuery &query);

    // A number that moves on whenever the data may have changed: another
    // database opened, a write through this object, or a change somebody
    // else made (another connection, a grid's model) that the database
    // reports when asked. Inside a transaction nobody else can write, so it
    // then costs nothing; outside one it asks the database. Caches compare
    // it to know whether what they remember still holds.
    quint64 dataStamp();

    // --- writes -------------------------------------------------------------
    // Runs a prepared insert/update/delete. A statement the database refuses
    // is cancelled, reported to the refusal sink with its table and key, and
    // false is returned; the caller goes on.
    bool post(QSqlQuery &query, const QString &table, const QString &key);
    // The same with the key's text put together only when it is needed.
    using LogKey = std::function<QString()>;
    bool post(QSqlQuery &query, const QString &table, const LogKey &key);
    // Reports a row that is not written for a reason of the caller's (a
    // device instance out of range), as post() reports a refused one.
    void refuse(const QString &table, const QString &key, const QString &why);
    // Where refused posts are reported (the session log).
    std::function<void(const QString &line)> refusalSink;
    int refusedPosts() const { return m_refused; }
    void resetRefusedPosts() { m_refused = 0; }

    // A field of a key or a row. Key texts with `noCase` match whatever
    // their letter case (as the database's NOCASE collation compares).
    struct Field {
        QString name;
        QVariant value;
        bool noCase = false;
    };
    enum class Missing { Append, Skip };
    // Edits `fields` of the first row (in table order) whose key fields equal
    // `key`; when there is none, appends a row holding the key and the
    // fields (unless `missing` is Skip). A refused write is handled as post()
    // handles it, with `logKey` naming the row (asked for only then). False
    // when nothing was written because the database refused it.
    bool upsert(const QString &table, const QList<Field> &key, const QList<Field> &fields, const LogKey &logKey,
                Missing missing = Missing::Append);
    // Deletes the first row (in table order) with that key: Removed, Missing
    // when there is none, Refused when the database refused the delete
    // (handled as post() handles it).
    enum class Removal { Removed, Missing, Refused };
    Removal removeFirst(const QString &table, const QList<Field> &key, const LogKey &logKey);

    // Runs `done` once what was written so far is committed: at once outside
    // a transaction, else when the transaction commits; never when it rolls
    // back. For state that must not count as stored before it is.
    void whenCommitted(std::function<void()> done);

    // The devinst values that more than one tblRepJob row holds (a project
    // made before devinst was unique there); empty when each is unique,
    // which the table then keeps to.
    const QList<qint64> &doubledDevinsts() const { return m_doubledDevinsts; }

    // One transaction around a batch command; rolls back when not committed.
    // A transaction that will write takes the write lock at its start
    // (BEGIN IMMEDIATE), waiting for another program up to the busy
    // timeout; one that only reads takes no lock until it reads. One
    // transaction at a time: one begun inside another is part of it (it
    // neither begins nor ends anything).
    class Transaction {
    public:
        enum class Kind { Write, Read };
        explicit Transaction(ProjectDatabase &pdb, Kind kind = Kind::Write);
        ~Transaction();
        void commit();
    private:
        ProjectDatabase &m_pdb;
        bool m_active = false;
    };

private:
    // Throws (and remembers until the transaction ends) the failure of the
    // whole database that `error` tells of, if any.
    void throwIfFailed(const QSqlError &error);
    // The condition that finds a key; its values are bound in key order.
    static QString keyCondition(const QList<Field> &key);
    // Asks the database whether anything changed since the last question.
    void watchForChanges();
    // The statements of one shape of upsert, made once.
    struct UpsertStatements {
        QString table;
        QList<Field> key; // names and collations
        QStringList fields;
        QString edit;   // the UPDATE (or, without fields, the SELECT) of the first row
        QString append; // the INSERT
        // Prepared from the texts above; kept by m_statements, and like
        // them dropped when the database closes.
        QSqlQuery *editQuery = nullptr;
        QSqlQuery *appendQuery = nullptr;
    };
    UpsertStatements &upsertStatements(const QString &table, const QList<Field> &key, const QList<Field> &fields);

    QString m_connection;
    QSqlDatabase m_db;
    QString m_path;
    bool m_extended = false;
    bool m_globalOverrides = false;
    bool m_expandedMode = false;
    int m_refused = 0;
    bool m_inTransaction = false;
    bool m_wroteInTransaction = false; // through post() since the transaction began
    QString m_failure; // the database failed in this transaction: nothing may be committed
    std::vector<std::function<void()>> m_onCommit; // whenCommitted() inside the transaction
    QList<qint64> m_doubledDevinsts;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_statements;
    QMultiHash<size_t, UpsertStatements> m_upserts;
    quint64 m_stamp = 1;
    qint64 m_seenChanges = -1;
    qint64 m_seenVersion = -1;
};

} // namespace vorlix
