#pragma once
// Telling a database that cannot be used at all (locked by another program,
// disk full, read-only, an I/O error) from a statement that refuses one row.
// The first ends the command: nothing is reported as stored that was not.
#include <QSqlError>
#include <QString>

namespace vorlix {

// How long a statement waits for another program's lock before it fails.
inline constexpr int kBusyTimeoutMs = 5000;

// The message for a failure of the whole database `path` ("…is locked by
// another program", "…the disk is full"); a null text when `error` is the
// refusal of one statement (a constraint, a type) or no error at all.
QString databaseFailure(const QString &path, const QSqlError &error);

// Throws Error with databaseFailure's message when there is one.
void throwIfDatabaseFailure(const QString &path, const QSqlError &error);

} // namespace vorlix
