#pragma once
// A database that belongs to the BACtalk job (RepJob.mdb, bactalk.mdb, a
// point database), opened by its content for one command and closed when the
// object goes: a SQLite file through QSQLITE, an Access (Jet/ACE) file
// through QODBC where an Access ODBC driver is installed. Table and field
// names are found whatever their letter case.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlQuery>
#include <QString>
#include <functional>

namespace vorlix {

class OutsideDatabase {
public:
    // How a SQLite file is reached. ODBC serves SQLite files too (the SQLite
    // ODBC driver), which lets the ODBC path be tried without Access; the
    // environment variable VORLIX_OUTSIDE_ODBC=1 makes it the default.
    enum class Route { ByContent, Odbc };
    static Route defaultRoute();

    // Opens the existing file `path`; never creates one. Throws Error naming
    // the file when it is missing, not a regular file, not a database, or
    // cannot be opened (an Access file without the Access ODBC driver says
    // so); nothing is changed then.
    explicit OutsideDatabase(const QString &path, Route route = defaultRoute());
    ~OutsideDatabase();
    OutsideDatabase(const OutsideDatabase &) = delete;
    OutsideDatabase &operator=(const OutsideDatabase &) = delete;

    QSqlDatabase &db() { return m_db; }
    const QString &path() const { return m_path; }
    // The path as shown to the user (platform separators).
    QString shownPath() const;
    bool throughOdbc() const { return m_odbc; }
    // A SQLite file (by either route), as opposed to an Access file.
    bool isSqliteFile() const { return m_sqliteFile; }

    // The table's name as the file spells it, or an empty text.
    QString tableName(const QString &wanted) const;
    // The table's fields (empty when there is no such table).
    QSqlRecord fields(const QString &table) const;
    // The field's name as the table spells it, or an empty text.
    QString fieldName(const QString &table, const QString &field) const;
    // A table or field name quoted for SQL text.
    QString quoted(const QString &name) const;

    // One transaction over the whole command. begin() takes the write lock
    // at once (BEGIN IMMEDIATE; through ODBC a write to `lockTable`, the
    // table the command writes, as the file spells it), waiting up to the
    // busy timeout for another program: what the command reads afterwards
    // nobody else can change before it commits. It throws when the file
    // cannot be written (read-only, locked by another program). commit()
    // throws when the changes could not be stored; a transaction neither
    // committed nor rolled back is rolled back when the object goes.
    void begin(const QString &lockTable);
    void commit();
    void rollback();

    // Runs a prepared write of one row, the row `keyName` `key` ("devinst
    // 1104"). A row the database refuses (a constraint, a text too long, a
    // value of the wrong kind) is reported to `log` as "Not written to TABLE
    // (KEYNAME KEY): why" and false is returned: the statement is undone and
    // the command goes on. A database that cannot be written at all throws
    // (fail()).
    bool post(QSqlQuery &query, const QString &table, const char *keyName, qint64 key,
              const std::function<void(const QString &)> &log);

    // Whether `error` tells of a database that cannot be used at all
    // (locked, read-only, full, damaged, a table or column gone), as opposed
    // to one row it refuses.
    static bool isWholeDatabaseFailure(const QSqlError &error);

    // An Error that names this file and says what went wrong in words a user
    // can act on ("is locked by another program", "the disk is full").
    [[noreturn]] void fail(const QString &doing, const QSqlError &error) const;

private:
    // The ODBC connection string of this file (the SQLite or the Access
    // route), checked to read back as exactly this path.
    QString odbcConnection(bool sqlite) const;

    QString m_path;
    QString m_connection;
    QSqlDatabase m_db;
    bool m_odbc = false;
    bool m_sqliteFile = false;
    bool m_inTransaction = false;
};

// Words for a database failure: the lock, read-only, full-disk cases in plain
// language, anything else as the driver says it.
QString describeDatabaseError(const QSqlError &error);

} // namespace vorlix
