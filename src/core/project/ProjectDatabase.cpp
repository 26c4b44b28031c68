#include "project/ProjectDatabase.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "project/DatabaseFailure.h"
#include "project/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <atomic>
#include <utility>

namespace vorlix {

namespace {
constexpr auto kDatabaseFile = "vorlix.mdb";

// The names of the tables, asked so that a database another program holds
// locked says so instead of looking empty.
QStringList tableNames(QSqlDatabase db, const QString &path)
{
    QSqlQuery q(db);
    if (!q.exec(u"SELECT name FROM sqlite_master WHERE type = 'table'"_qs)) {
        throwIfDatabaseFailure(path, q.lastError());
        throw Error(QStringLiteral("Cannot read the project database \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), q.lastError().text()));
    }
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (q.lastError().isValid())
        throwIfDatabaseFailure(path, q.lastError());
    return names;
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

ProjectDatabase::ProjectDatabase(QString connectionName) : m_connection(std::move(connectionName))
{
    static std::atomic<int> made{0};
    if (m_connection.isEmpty())
        m_connection = QStringLiteral("vorlix_project_%1").arg(++made);
}

ProjectDatabase::~ProjectDatabase()
{
    close();
    m_db = QSqlDatabase(); // the connection is removed only when nothing holds it
    if (QSqlDatabase::contains(m_connection))
        QSqlDatabase::removeDatabase(m_connection);
}

// The connection is held here: asking Qt's connection list each time takes
// a global lock, and lookups ask whether the database is open very often.
bool ProjectDatabase::isOpen() const { return m_db.isOpen(); }

QSqlDatabase ProjectDatabase::db() const { return m_db; }

void ProjectDatabase::close()
{
    m_statements.clear();
    m_upserts.clear();
    if (m_db.isOpen())
        m_db.close();
    m_extended = m_globalOverrides = m_expandedMode = false;
    m_inTransaction = false;
    m_onCommit.clear();
    m_doubledDevinsts.clear();
    m_path.clear();
    ++m_stamp;
    m_seenChanges = m_seenVersion = -1;
}

bool ProjectDatabase::linkDatabase(const QString &projectFolder, const QString &appFolder, ProjectVariables &vars)
{
    const QString path = QDir(projectFolder).filePath(QLatin1String(kDatabaseFile));
    const bool existed = QFileInfo(path).isFile();
    close();
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
    if (!m_db.isValid())
        m_db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, m_connection);
    QSqlDatabase &d = m_db;
    // The system's form of the path: on Windows it may be longer than 260
    // characters.
    d.setDatabaseName(systemPath(path));
    d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!d.open())
        throw Error(QStringLiteral("Cannot open the project database \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), d.lastError().text()));
    // Statements that only have their query at hand name the file through it.
    d.driver()->setProperty("vorlixPath", path);
    QStringList tables;
    try {
        tables = tableNames(d, path);
    } catch (const Error &) {
        d.close();
        throw;
    }
    static const char *required[] = {"tblRepJob", "tblDevCapabilities", "ApexMap", "IbexPtMap",
                                     "CpanelNames", "Vorlix", "DisplayMap", "TdcFiles", "FileList",
                                     "CpanelMap"};
    for (const char *t : required) {
        if (!tables.contains(QLatin1String(t), Qt::CaseInsensitive)) {
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
    m_doubledDevinsts = schema::ensureUniqueDevinst(d);
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
    const auto has = [&tables](const char *name) { return tables.contains(QLatin1String(name), Qt::CaseInsensitive); };
    m_extended = has("Overrides") && has("Buttons");
    m_globalOverrides = has("GlobalOVR");
    return existed;
}

void ProjectDatabase::emptyTable(const QString &table)
{
    const schema::Table *t = schema::findTable(table);
    if (!t)
        throw Error(QStringLiteral("Unknown table %1.").arg(table));
    QSqlQuery q(db());
    ++m_stamp;
    m_wroteInTransaction = m_inTransaction;
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

QSqlQuery &ProjectDatabase::prepared(const QString &sql)
{
    auto &q = m_statements[sql];
    if (!q) {
        q = std::make_shared<QSqlQuery>(db());
        q->setForwardOnly(true);
        if (!q->prepare(sql)) {
            const QSqlError error = q->lastError();
            q.reset();
            m_statements.remove(sql);
            throwIfFailed(error);
            throw Error(QStringLiteral("Project database error: %1").arg(error.text()));
        }
    }
    return *q;
}

void ProjectDatabase::run(QSqlQuery &query)
{
    if (!query.exec()) {
        throwIfDatabaseFailure(query.driver() ? query.driver()->property("vorlixPath").toString() : QString(),
                               query.lastError());
        throw Error(QStringLiteral("Project database error: %1").arg(query.lastError().text()));
    }
}

void ProjectDatabase::throwIfFailed(const QSqlError &error)
{
    const QString failure = databaseFailure(m_path, error);
    if (failure.isNull())
        return;
    if (m_inTransaction && m_failure.isEmpty())
        m_failure = failure;
    throw Error(failure);
}

void ProjectDatabase::watchForChanges()
{
    // total_changes: rows written through this connection (a grid's model
    // included); data_version: commits of any other connection.
    qint64 changes = -2, version = -2;
    try {
        QSqlQuery &q = prepared(u"SELECT total_changes(), (SELECT data_version FROM pragma_data_version())"_qs);
        run(q);
        if (q.next()) {
            changes = q.value(0).toLongLong();
            version = q.value(1).toLongLong();
        }
        q.finish();
    } catch (const Error &) {
        // A database that cannot tell: nothing may be remembered.
        ++m_stamp;
        m_seenChanges = m_seenVersion = -1;
        return;
    }
    if (changes != m_seenChanges || version != m_seenVersion)
        ++m_stamp;
    m_seenChanges = changes;
    m_seenVersion = version;
}

quint64 ProjectDatabase::dataStamp()
{
    if (!isOpen())
        return ++m_stamp;
    if (!m_inTransaction)
        watchForChanges();
    return m_stamp;
}

bool ProjectDatabase::post(QSqlQuery &query, const QString &table, const QString &key)
{
    return post(query, table, LogKey([&key] { return key; }));
}

bool ProjectDatabase::post(QSqlQuery &query, const QString &table, const LogKey &key)
{
    ++m_stamp;
    m_wroteInTransaction = m_inTransaction;
    if (query.exec())
        return true;
    // A database that cannot be written at all ends the command (the
    // transaction rolls back); only a refused row is logged and skipped.
    throwIfFailed(query.lastError());
    refuse(table, key(), query.lastError().text());
    return false;
}

void ProjectDatabase::refuse(const QString &table, const QString &key, const QString &why)
{
    ++m_refused;
    if (refusalSink)
        refusalSink(QStringLiteral("Not written to %1 (%2): %3").arg(table, key, why));
}

namespace {
QString quotedName(const QString &name) { return u'"' + name + u'"'; }
} // namespace

QString ProjectDatabase::keyCondition(const QList<Field> &key)
{
    QStringList terms;
    for (const Field &f : key)
        terms << quotedName(f.name) + (f.noCase ? u" = ? COLLATE NOCASE"_qs : u" = ?"_qs);
    return terms.join(u" AND "_qs);
}

ProjectDatabase::UpsertStatements &ProjectDatabase::upsertStatements(const QString &table, const QList<Field> &key,
                                                                    const QList<Field> &fields)
{
    // Found by the shape of the call (table, names, collations), without
    // putting any text together: the readers upsert tens of thousands of rows.
    size_t h = qHash(table);
    for (const Field &f : key)
        h = qHashMulti(h, f.name, f.noCase);
    h = qHashMulti(h, key.size());
    for (const Field &f : fields)
        h = qHashMulti(h, f.name);
    const auto sameShape = [&](const UpsertStatements &u) {
        if (u.table != table || u.key.size() != key.size() || u.fields.size() != fields.size())
            return false;
        for (qsizetype i = 0; i < key.size(); ++i)
            if (u.key[i].name != key[i].name || u.key[i].noCase != key[i].noCase)
                return false;
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (u.fields[i] != fields[i].name)
                return false;
        return true;
    };
    for (auto [it, end] = m_upserts.equal_range(h); it != end; ++it)
        if (sameShape(*it))
            return *it;

    UpsertStatements u;
    u.table = table;
    for (const Field &f : key)
        u.key.append({f.name, QVariant(), f.noCase});
    QStringList sets, names, marks;
    for (const Field &f : fields) {
        u.fields << f.name;
        sets << quotedName(f.name) + u" = ?"_qs;
    }
    for (const QList<Field> *part : {&key, &fields})
        for (const Field &f : *part) {
            names << quotedName(f.name);
            marks << u"?"_qs;
        }
    const QString firstRow = QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY rowid LIMIT 1")
                                 .arg(quotedName(table), keyCondition(key));
    u.edit = fields.isEmpty() ? firstRow
                              : QStringLiteral("UPDATE %1 SET %2 WHERE rowid = (%3)")
                                    .arg(quotedName(table), sets.join(u", "_qs), firstRow);
    u.append = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(quotedName(table), names.join(u", "_qs), marks.join(u", "_qs));
    u.editQuery = &prepared(u.edit);
    u.appendQuery = &prepared(u.append);
    return *m_upserts.insert(h, u);
}

bool ProjectDatabase::upsert(const QString &table, const QList<Field> &key, const QList<Field> &fields,
                             const LogKey &logKey, Missing missing)
{
    const UpsertStatements &u = upsertStatements(table, key, fields);
    QSqlQuery &edit = *u.editQuery;
    int i = 0;
    for (const Field &f : fields)
        edit.bindValue(i++, f.value);
    for (const Field &f : key)
        edit.bindValue(i++, f.value);
    bool edited = false;
    if (fields.isEmpty()) {
        // Nothing to change: the row only has to exist.
        run(edit);
        edited = edit.next();
        edit.finish();
    } else {
        if (!post(edit, table, logKey))
            return false;
        edited = edit.numRowsAffected() > 0;
    }
    if (edited || missing == Missing::Skip)
        return true;
    // A new row is appended whole, so a refused row leaves nothing behind.
    QSqlQuery &append = *u.appendQuery;
    i = 0;
    for (const QList<Field> *part : {&key, &fields})
        for (const Field &f : *part)
            append.bindValue(i++, f.value);
    return post(append, table, logKey);
}

ProjectDatabase::Removal ProjectDatabase::removeFirst(const QString &table, const QList<Field> &key,
                                                      const LogKey &logKey)
{
    QSqlQuery &remove = prepared(QStringLiteral("DELETE FROM %1 WHERE rowid = (SELECT rowid FROM %1 WHERE %2 "
                                                "ORDER BY rowid LIMIT 1)")
                                     .arg(quotedName(table), keyCondition(key)));
    for (int i = 0; i < key.size(); ++i)
        remove.bindValue(i, key[i].value);
    if (!post(remove, table, logKey))
        return Removal::Refused;
    return remove.numRowsAffected() > 0 ? Removal::Removed : Removal::Missing;
}

void ProjectDatabase::whenCommitted(std::function<void()> done)
{
    if (m_inTransaction)
        m_onCommit.push_back(std::move(done));
    else
        done();
}

ProjectDatabase::Transaction::Transaction(ProjectDatabase &pdb, Kind kind) : m_pdb(pdb)
{
    if (pdb.m_inTransaction || !pdb.isOpen())
        return;
    pdb.watchForChanges(); // what others changed before, caches must see
    // A read that turns into a write inside a transaction would meet another
    // writer's lock at once, without waiting: a writing transaction takes
    // the lock first. QSQLITE ends it with COMMIT or ROLLBACK all the same.
    QSqlQuery begin(pdb.db());
    m_active = kind == Kind::Write ? begin.exec(u"BEGIN IMMEDIATE"_qs) : pdb.db().transaction();
    if (!m_active) {
        const QSqlError error = kind == Kind::Write ? begin.lastError() : pdb.db().lastError();
        throwIfDatabaseFailure(pdb.path(), error);
        throw Error(QStringLiteral("Cannot begin a transaction in the project database \"%1\": %2")
                        .arg(QDir::toNativeSeparators(pdb.path()), error.text()));
    }
    pdb.m_inTransaction = true;
    pdb.m_wroteInTransaction = false;
    pdb.m_failure.clear();
    pdb.m_onCommit.clear();
}

ProjectDatabase::Transaction::~Transaction()
{
    if (m_active) {
        m_pdb.db().rollback();
        m_pdb.m_inTransaction = false;
        m_pdb.m_onCommit.clear(); // what they stand for was not stored
        if (m_pdb.m_wroteInTransaction)
            ++m_pdb.m_stamp; // what was read after the writes is gone with them
    }
}

void ProjectDatabase::Transaction::commit()
{
    if (m_active) {
        // A failed database (a caller that keeps what it wrote so far on an
        // error) is not asked to commit: its first failure is the message.
        if (!m_pdb.m_failure.isEmpty())
            throw Error(m_pdb.m_failure);
        // A commit that fails leaves the transaction to the destructor's rollback.
        if (!m_pdb.db().commit()) {
            throwIfDatabaseFailure(m_pdb.path(), m_pdb.db().lastError());
            throw Error(QStringLiteral("Cannot save to the project database \"%1\": %2")
                            .arg(QDir::toNativeSeparators(m_pdb.path()), m_pdb.db().lastError().text()));
        }
        m_active = false;
        m_pdb.m_inTransaction = false;
        for (const auto &done : std::exchange(m_pdb.m_onCommit, {}))
            done();
    }
}

} // namespace vorlix
