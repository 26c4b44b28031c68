#pragma once
// Small BACtalk device databases for the merge: SQLite files with the
// tables a BACtalk job's RepJob.mdb (tblRepJob, tblDevCapabilities,
// tblSubnets) or a project database (tblDevices, tblDevCapabilities) holds.
// Built here from the project's own column lists, with some names in
// another letter case, a column the project does not have and one column of
// the project left out, as files met in the field differ in such ways.
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace vorlix::schema {
struct Field;
}

namespace vorlix::test {

struct DestinationShape {
    bool repJob = true;          // tblRepJob + tblSubnets, else tblDevices
    bool capabilities = true;    // tblDevCapabilities present
    QString extraDeviceColumnSql; // e.g. "CHECK (network < 1000)" on the device table
    // Shaped like an Access file: tables WITHOUT ROWID keyed by devinst
    // (subnet), Access type names (LONG, TEXT(n), YESNO, BIT, DATETIME,
    // COUNTER) and the odd ones met in the field (BIGINT, SMALLINT,
    // NVARCHAR, a column with no type), and objname a TEXT(`objnameChars`)
    // that refuses a longer text, as Access does.
    bool accessShaped = false;
    int objnameChars = 32;
};

// Creates the database at `path` (replacing nothing: the file must not exist).
void createDeviceDestination(const QString &path, const DestinationShape &shape = {});

// The Access type name the shaped destination gives a project column (the
// n-th of its table).
QString accessTypeName(const schema::Field &field, int n, int textLimit = 0);

// Runs statements on a destination (set-up and reading back), through QSQLITE.
void execOn(const QString &path, const QStringList &statements);
// The rows of a query on an open database, each row's values joined by
// "|" (NULL as "<null>").
QStringList queryRows(const QSqlDatabase &db, const QString &sql);
// The rows of a query on a destination, each row's values joined by "|"
// (NULL as "<null>").
QStringList rowsOf(const QString &path, const QString &sql);

} // namespace vorlix::test
