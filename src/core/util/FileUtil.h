#pragma once
// File helpers: atomic writes and finding Ibex files whatever their case.
#include <QByteArray>
#include <QString>

namespace vorlix {

// Writes the whole file or nothing: a failure leaves an existing file as it
// was. Throws Error naming the file.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Writes text lines with CR LF endings in Windows-1252.
QByteArray ansiLines(const QStringList &lines);

// The entry `name` inside `folder`, matched without regard to letter case
// (Ibex jobs come from Windows). The exact name wins when it exists. Returns
// the path of the entry found, or folder/name when there is none.
QString findCaseInsensitive(const QString &folder, const QString &name);
// The same, but an empty text when there is no such entry.
QString existingCaseInsensitive(const QString &folder, const QString &name);

// Same, for a relative path of several parts ("ldisplay/disp0001.ibw").
QString findPathCaseInsensitive(const QString &folder, const QString &relativePath);

// Reads a whole file (at most `maxBytes`). Returns false and sets `error` to
// a message naming the file when it cannot be read.
bool readWholeFile(const QString &path, QByteArray &bytes, QString *error, qint64 maxBytes = -1);

// A name read from an input file is safe to join to a folder: no separators,
// no "..", not empty.
bool isPlainFileName(const QString &name);

} // namespace vorlix
