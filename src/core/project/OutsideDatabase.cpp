#include "project/OutsideDatabase.h"

#include "project/OdbcConnection.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>

namespace vorlix {

namespace {
// How long a write waits for another program's lock before it gives up.
constexpr int kBusyTimeoutMs = 3000;

QString newConnectionName()
{
    static QAtomicInteger<quint32> counter;
    return QStringLiteral("vorlix-outside-%1").arg(counter.fetchAndAddRelaxed(1));
}

QByteArray fileHead(const QString &path, qint64 n)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(n);
}

bool isSqliteHead(const QByteArray &head)
{
    return head.startsWith(QByteArrayLiteral("SQLite format 3\0"));
}

bool isAccessHead(const QByteArray &head)
{
    // Jet (.mdb) and ACE (.accdb) files name their engine at offset 4.
    const QByteArray engine = head.mid(4, 15);
    return engine == "Standard Jet DB" || engine == "Standard ACE DB";
}

QString envOr(const char *name, const QString &fallback)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? fallback : v;
}

// The Access driver of Windows (64-bit: the Access Database Engine's), or
// the one VORLIX_ACCESS_ODBC_DRIVER names.
QString accessDriver()
{
    return envOr("VORLIX_ACCESS_ODBC_DRIVER", QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)"));
}
} // namespace

OutsideDatabase::Route OutsideDatabase::defaultRoute()
{
    return qEnvironmentVariable("VORLIX_OUTSIDE_ODBC") == u"1" ? Route::Odbc : Route::ByContent;
}

QString OutsideDatabase::shownPath() const
{
    return QDir::toNativeSeparators(m_path);
}

OutsideDatabase::OutsideDatabase(const QString &path, Route route)
    : m_path(QFileInfo(path).absoluteFilePath()), m_connection(newConnectionName())
{
    const QString shown = shownPath();
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        throw Error(QStringLiteral("The database \"%1\" does not exist. Nothing was changed.").arg(shown));
    if (!info.isFile())
        throw Error(QStringLiteral("The database \"%1\" is not a file. Nothing was changed.").arg(shown));
    const QByteArray head = fileHead(m_path, 32);
    if (head.isEmpty() && info.size() > 0)
        throw Error(QStringLiteral("The database \"%1\" cannot be read. Nothing was changed.").arg(shown));

    m_sqliteFile = isSqliteHead(head);
    if (isSqliteHead(head) && route == Route::ByContent) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        m_db.setDatabaseName(systemPath(m_path));
    } else if (isSqliteHead(head) || isAccessHead(head)) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
            throw Error(QStringLiteral("The database \"%1\" needs an ODBC driver, and this system has no ODBC "
                                       "support for Qt (QODBC). Nothing was changed.").arg(shown));
        m_odbc = true;
        const QString connection = odbcConnection(isSqliteHead(head));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connection);
        m_db.setDatabaseName(connection);
        if (!isSqliteHead(head)) {
            m_db.setUserName(QStringLiteral("Admin"));
            m_db.setPassword(QString());
        }
    } else {
        throw Error(QStringLiteral("The file \"%1\" is neither an Access nor a SQLite database. Nothing was changed.")
                        .arg(shown));
    }

    if (!m_db.open()) {
        const QString why = m_db.lastError().text();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        if (m_odbc && isAccessHead(head)) {
            // The driver manager's words for a driver it does not have
            // (SQLSTATE IM002 on Windows, unixODBC's own elsewhere).
            const bool missing = why.contains(u"IM002"_qs) || why.contains(u"no default driver"_qs, Qt::CaseInsensitive)
                                 || why.contains(u"Can't open lib"_qs, Qt::CaseInsensitive);
            if (missing)
                throw Error(QStringLiteral("Cannot open the Microsoft Access database \"%1\": the ODBC driver \"%2\" "
                                           "is not installed. It comes with the 64-bit Microsoft Access Database "
                                           "Engine, which is needed to read and write Access files (%3). Nothing "
                                           "was changed.")
                                .arg(shown, accessDriver(), why));
            throw Error(QStringLiteral("Cannot open the Microsoft Access database \"%1\": the ODBC driver \"%2\" "
                                       "refused the file (%3). Nothing was changed.")
                            .arg(shown, accessDriver(), why));
        }
        throw Error(QStringLiteral("Cannot open the database \"%1\": %2. Nothing was changed.").arg(shown, why));
    }
}

QString OutsideDatabase::odbcConnection(bool sqlite) const
{
    // The string is read back as the driver will read it: a path that
    // would come out as anything but itself is refused, never handed over.
    const QString file = driverFilePath(m_path);
    if (sqlite) {
        const QString driver = envOr("VORLIX_SQLITE_ODBC_DRIVER", QStringLiteral("SQLite3"));
        const QString text = sqliteOdbcConnectionString(driver, file, kBusyTimeoutMs);
        const OdbcAttributes read = sqliteDriverAttributes(text);
        if (read.size() == 4 && read[3].first == u"Database" && pathOfFileUri(read[3].second) == file)
            return text;
    } else {
        const QString driver = accessDriver();
        const QString text = accessConnectionString(driver, file);
        if (odbcAttributes(text) == OdbcAttributes{{u"DRIVER"_qs, driver}, {u"DBQ"_qs, file}})
            return text;
    }
    throw Error(QStringLiteral("The database \"%1\" cannot be named to the ODBC driver exactly (its path or the "
                               "driver's name holds characters the driver would read otherwise). Nothing was "
                               "changed.").arg(shownPath()));
}

OutsideDatabase::~OutsideDatabase()
{
    if (m_db.isOpen()) {
        if (m_inTransaction)
            m_db.rollback();
        m_db.close();
    }
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

QString OutsideDatabase::tableName(const QString &wanted) const
{
    for (const QString &t : m_db.tables())
        if (t.compare(wanted, Qt::CaseInsensitive) == 0)
            return t;
    return {};
}

QSqlRecord OutsideDatabase::fields(const QString &table) const
{
    return m_db.record(table);
}

QString OutsideDatabase::fieldName(const QString &table, const QString &field) const
{
    const QSqlRecord rec = m_db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        if (rec.fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return rec.fieldName(i);
    return {};
}

QString OutsideDatabase::quoted(const QString &name) const
{
    return m_db.driver()->escapeIdentifier(name, QSqlDriver::TableName);
}

void OutsideDatabase::begin(const QString &lockTable)
{
    if (!m_odbc) {
        // QSQLITE ends what it did not begin itself as well (COMMIT, ROLLBACK).
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
            fail(QStringLiteral("start writing to"), q.lastError());
        m_inTransaction = true;
        return;
    }
    // Asked before the transaction: a read inside it would have to turn
    // into a write, which meets another writer's lock without waiting.
    const QSqlRecord fields = m_db.record(lockTable);
    if (!m_db.transaction())
        fail(QStringLiteral("start writing to"), m_db.lastError());
    m_inTransaction = true;
    // A write that changes nothing takes the lock a write needs, now.
    QSqlQuery q(m_db);
    if (fields.isEmpty() || !q.exec(QStringLiteral("UPDATE %1 SET %2 = %2 WHERE 1 = 0")
                                        .arg(quoted(lockTable), quoted(fields.fieldName(0))))) {
        const QSqlError why = fields.isEmpty() ? m_db.lastError() : q.lastError();
        rollback();
        fail(QStringLiteral("start writing to"), why);
    }
}

bool OutsideDatabase::post(QSqlQuery &query, const QString &table, const char *keyName, qint64 key,
                           const std::function<void(const QString &)> &log)
{
    if (query.exec())
        return true;
    const QSqlError why = query.lastError();
    if (isWholeDatabaseFailure(why))
        fail(QStringLiteral("write to"), why);
    if (log)
        log(QStringLiteral("Not written to %1 (%2 %3): %4")
                .arg(table, QLatin1String(keyName)).arg(key).arg(why.text().trimmed()));
    return false;
}

bool OutsideDatabase::isWholeDatabaseFailure(const QSqlError &error)
{
    const QString t = error.text().toLower();
    for (const char *word : {"locked", "busy", "readonly", "read-only", "read only", "disk", "i/o", "full",
                             "corrupt", "not a database", "no such table", "no such column", "out of memory"})
        if (t.contains(QLatin1String(word)))
            return true;
    return false;
}

void OutsideDatabase::commit()
{
    if (!m_inTransaction)
        return;
    if (!m_db.commit()) {
        const QSqlError why = m_db.lastError();
        rollback();
        fail(QStringLiteral("save the changes to"), why);
    }
    m_inTransaction = false;
}

void OutsideDatabase::rollback()
{
    if (m_inTransaction) {
        m_db.rollback();
        m_inTransaction = false;
    }
}

void OutsideDatabase::fail(const QString &doing, const QSqlError &error) const
{
    throw Error(QStringLiteral("Cannot %1 the database \"%2\": %3. Nothing was changed.")
                    .arg(doing, shownPath(), describeDatabaseError(error)));
}

QString describeDatabaseError(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    const QString lower = text.toLower();
    if (lower.contains(u"locked") || lower.contains(u"busy"))
        return QStringLiteral("it is locked by another program");
    if (lower.contains(u"readonly") || lower.contains(u"read-only") || lower.contains(u"read only"))
        return QStringLiteral("it is read-only");
    if (lower.contains(u"disk is full") || lower.contains(u"disk full") || lower.contains(u"no space"))
        return QStringLiteral("the disk is full");
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

} // namespace vorlix
