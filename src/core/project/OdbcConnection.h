#pragma once
// The connection strings that hand an outside database to an ODBC driver.
// A path is data, never part of the string's syntax: whatever characters a
// file name holds (";", "=", "{", "}", letters of any language), it cannot
// add an attribute (another driver, a library to load, another database).
//
// ODBC's own rule quotes a value in braces, a "}" inside doubled; the
// Microsoft Access driver reads it so. The SQLite ODBC driver ignores that
// rule and ends every value at the next ";", so the SQLite route names its
// file as a percent-encoded "file:" URI, which holds no ";" at all.
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace vorlix {

using OdbcAttributes = QList<QPair<QString, QString>>;

// `value` in ODBC braces: "{" + value with every "}" doubled + "}".
QString odbcBraced(const QString &value);

// DRIVER={driver};DBQ={path}
QString accessConnectionString(const QString &driver, const QString &path);

// DRIVER={driver};Timeout=ms;NoCreat=1;Database=file:<path, percent-encoded>?mode=rw
// (never creates a file).
QString sqliteOdbcConnectionString(const QString &driver, const QString &path, int timeoutMs);

// The attributes of a connection string as ODBC reads it: "key=value" pairs
// separated by ";", a value in braces taken whole with "}}" standing for "}".
// Nothing when the string does not follow that grammar.
std::optional<OdbcAttributes> odbcAttributes(const QString &connection);

// The attributes as the SQLite ODBC driver reads them: every ";" ends a
// value, the first "=" ends a key.
OdbcAttributes sqliteDriverAttributes(const QString &connection);

// The local path a "file:" URI names (percent-decoded); nothing when the
// text is not such a URI.
std::optional<QString> pathOfFileUri(const QString &uri);

} // namespace vorlix
