#include "project/DatabaseFailure.h"

#include "util/Error.h"

#include <QDir>

namespace vorlix {

namespace {
// SQLite's primary result codes (the low byte of an extended code).
constexpr int Busy = 5;
constexpr int Locked = 6;
constexpr int NoMemory = 7;
constexpr int ReadOnly = 8;
constexpr int IoError = 10;
constexpr int Corrupt = 11;
constexpr int Full = 13;
constexpr int CantOpen = 14;
constexpr int Protocol = 15;
constexpr int NotADatabase = 26;
} // namespace

QString databaseFailure(const QString &path, const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return {};
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok)
        return {};
    const QString shown = QDir::toNativeSeparators(path);
    switch (code) {
    case Busy:
    case Locked:
        return QStringLiteral("The project database \"%1\" is locked by another program. "
                              "Nothing was stored; close the other program and try again.")
            .arg(shown);
    case Full:
        return QStringLiteral("Cannot write to the project database \"%1\": the disk is full. Nothing was stored.")
            .arg(shown);
    case ReadOnly:
        return QStringLiteral("Cannot write to the project database \"%1\": it is read-only. Nothing was stored.")
            .arg(shown);
    case NoMemory:
    case IoError:
    case Corrupt:
    case CantOpen:
    case Protocol:
    case NotADatabase:
        return QStringLiteral("Cannot use the project database \"%1\": %2. Nothing was stored.")
            .arg(shown, error.databaseText());
    default:
        return {};
    }
}

void throwIfDatabaseFailure(const QString &path, const QSqlError &error)
{
    const QString message = databaseFailure(path, error);
    if (!message.isNull())
        throw Error(message);
}

} // namespace vorlix
