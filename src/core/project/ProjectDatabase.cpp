#include "project/ProjectDatabase.h"

#include "util/Error.h"
#include "project/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace vorlix {

namespace {
constexpr auto kDatabaseFile = "vorlix.mdb";

bool hasTable(QSqlDatabase db, const char *name)
{
    for (const QString &t : db.tables())
        if (t.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool hasField(QSqlDatabase db, const char *table, const char *field)
{
    return db.record(QLatin1String(table)).indexOf(QLatin1String(field)) >= 0;
}

QByteArray fileHead(const QString &path, int n)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(n);
}
} // namespace

ProjectDatabase::ProjectDatabase(QString connectionName) : m_connection(std::move(connectionName)) {}

ProjectDatabase::~ProjectDatabase()
{
    close();
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

bool ProjectDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen();
}

QSqlDatabase ProjectDatabase::db() const
{
    return QSqlDatabase::database(m_connection, false);
}

void ProjectDatabase::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase d = QSqlDatabase::database(m_connection, false);
        if (d.isOpen())
            d.close();
    }
    m_extended = m_globalOverrides = m_expandedMode = false;
    m_inTransaction = false;
    m_path.clear();
}

bool ProjectDatabase::linkDatabase(const QString &projectFolder, const QString &appFolder, ProjectVariables &vars)
{
    const QString path = QDir(projectFolder).filePath(QLatin1String(kDatabaseFile));
    const bool existed = QFileInfo(path).isFile();
    close();
    ++m_generation;
    if (!existed) {
        // A failed copy is not reported: the project goes on without tables.
        QFile::copy(QDir(appFolder).filePath(QLatin1String(kDatabaseFile)), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner | QFile::ReadOwner);
    }
    if (!QFileInfo(path).isFile())
        return existed;

    const QByteArray head = fileHead(path, 16);
    if (!head.startsWith("SQLite format 3")) {
        throw Error(QStringLiteral("The project database \"%1\" is not a Vorlix project database "
                                   "(the file is not a SQLite database). It was left as it is.")
                        .arg(QDir::toNativeSeparators(path)));
    }
    QSqlDatabase d = QSqlDatabase::contains(m_connection)
                         ? QSqlDatabase::database(m_connection, false)
                         : QSqlDatabase::addDatabase(u"QSQLITE"_qs, m_connection);
    d.setDatabaseName(path);
    if (!d.open())
        throw Error(QStringLiteral("Cannot open the project database \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), d.lastError().text()));
    QSqlQuery pragma(d);
    pragma.exec(u"PRAGMA busy_timeout = 5000"_qs);

    static const char *required[] = {"tblRepJob", "tblDevCapabilities", "ApexMap", "IbexPtMap",
                                     "CpanelNames", "Vorlix", "DisplayMap", "TdcFiles", "FileList",
                                     "CpanelMap"};
    for (const char *t : required) {
        if (!hasTable(d, t)) {
            d.close();
            throw Error(QStringLiteral("The project database \"%1\" has no table %2.")
                            .arg(QDir::toNativeSeparators(path), QLatin1String(t)));
        }
    }
    m_path = path;
    try {
        schema::ensureIndexesAndGuards(d);
    } catch (const Error &) {
        // A read-only project folder: the lookups still work, only slower.
    }
    projectVars(d, vars, VarDirection::Read);
    // The step 5 spin edits show the scan settings within their ranges and
    // store the shown value back.
    if (vars.scanDepth < 5 || vars.scanDepth > 20) {
        vars.scanDepth = vars.scanDepth < 5 ? 5 : 20;
        setVarInt(d, u"ScanDepth"_qs, vars.scanDepth);
    }
    if (vars.startingDisplay > 9999) {
        vars.startingDisplay = 9999;
        setVarInt(d, u"StartingDisplay"_qs, vars.startingDisplay);
    }

    m_expandedMode = vars.databaseVersion >= 14 && hasField(d, "CpanelMap", "ExpandedMode");
    if (vars.databaseVersion >= 14 && !hasField(d, "CpanelMap", "ExpandedMode")) {
        QSqlQuery alter(d);
        m_expandedMode = alter.exec(u"ALTER TABLE CpanelMap ADD COLUMN ExpandedMode BOOLEAN DEFAULT 0"_qs);
    }
    m_extended = hasTable(d, "Overrides") && hasTable(d, "Buttons");
    m_globalOverrides = hasTable(d, "GlobalOVR");
    return existed;
}

void ProjectDatabase::emptyTable(const QString &table)
{
    const schema::Table *t = schema::findTable(table);
    if (!t)
        throw Error(QStringLiteral("Unknown table %1.").arg(table));
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("DELETE FROM \"%1\"").arg(QLatin1String(t->name))))
        throw Error(QStringLiteral("Cannot empty table %1: %2").arg(QLatin1String(t->name), q.lastError().text()));
}

void ProjectDatabase::emptyDeviceTables()
{
    Transaction tx(*this);
    emptyTable(u"tblDevCapabilities"_qs);
    emptyTable(u"tblRepJob"_qs);
    tx.commit();
}

bool ProjectDatabase::post(QSqlQuery &query, const QString &table, const QString &key)
{
    if (query.exec())
        return true;
    ++m_refused;
    if (refusalSink)
        refusalSink(QStringLiteral("Not written to %1 (%2): %3").arg(table, key, query.lastError().text()));
    return false;
}

ProjectDatabase::Transaction::Transaction(ProjectDatabase &pdb) : m_pdb(pdb)
{
    if (pdb.m_inTransaction)
        return;
    m_active = pdb.isOpen() && pdb.db().transaction();
    pdb.m_inTransaction = m_active;
}

ProjectDatabase::Transaction::~Transaction()
{
    if (m_active) {
        m_pdb.db().rollback();
        m_pdb.m_inTransaction = false;
    }
}

void ProjectDatabase::Transaction::commit()
{
    if (m_active) {
        // A commit that fails leaves the transaction to the destructor's rollback.
        if (!m_pdb.db().commit())
            throw Error(QStringLiteral("Cannot save to the project database \"%1\": %2")
                            .arg(QDir::toNativeSeparators(m_pdb.path()), m_pdb.db().lastError().text()));
        m_active = false;
        m_pdb.m_inTransaction = false;
    }
}

QSqlDatabase openOutsideDatabase(const QString &path, const QString &connectionName)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("The database \"%1\" does not exist.").arg(shown));
    const QByteArray head = fileHead(path, 32);
    if (head.isEmpty() && QFileInfo(path).size() > 0)
        throw Error(QStringLiteral("The database \"%1\" cannot be read.").arg(shown));
    QSqlDatabase d;
    if (head.startsWith("SQLite format 3")) {
        d = QSqlDatabase::addDatabase(u"QSQLITE"_qs, connectionName);
        d.setDatabaseName(path);
    } else if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB") {
        if (!QSqlDatabase::isDriverAvailable(u"QODBC"_qs))
            throw Error(QStringLiteral("The database \"%1\" is a Microsoft Access file, and this system "
                                       "has no ODBC database driver (Qt QODBC) to open it. Nothing was changed.")
                            .arg(shown));
        d = QSqlDatabase::addDatabase(u"QODBC"_qs, connectionName);
        d.setDatabaseName(QStringLiteral("Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=%1")
                              .arg(QDir::toNativeSeparators(path)));
        d.setUserName(u"Admin"_qs);
        d.setPassword(QString());
    } else {
        throw Error(QStringLiteral("The file \"%1\" is neither an Access nor a SQLite database. Nothing was changed.")
                        .arg(shown));
    }
    if (!d.open()) {
        const QString why = d.lastError().text();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw Error(QStringLiteral("Cannot open the database \"%1\" (the Microsoft Access ODBC driver may be "
                                   "missing): %2. Nothing was changed.").arg(shown, why));
    }
    return d;
}

void closeOutsideDatabase(const QString &connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase d = QSqlDatabase::database(connectionName, false);
        d.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace vorlix
