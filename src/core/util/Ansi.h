#pragma once
// Windows-1252 ("ANSI") text as the Ibex and BACtalk files hold it. Our own
// table, so the conversion does not depend on how Qt was built.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vorlix::ansi {

// Bytes to text; every byte maps to one character (the five codes that
// Windows-1252 leaves undefined map to the C1 control of the same value).
QString decode(QByteArrayView bytes);

// Text to bytes; a character Windows-1252 cannot hold becomes '?'.
QByteArray encode(const QString &text);
// The same into `out`: at most `max` bytes, and with `stopAtNul` nothing
// from a NUL character on. Returns the number of bytes written.
qsizetype encodeInto(QStringView text, char *out, qsizetype max, bool stopAtNul = false);

// A NUL-terminated text in a fixed field: ends at the first zero byte or at
// the end of the field, whichever comes first.
QString decodeField(QByteArrayView field);

} // namespace vorlix::ansi
