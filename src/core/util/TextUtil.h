#pragma once
// Small text helpers shared by every part of the conversion.
#include <QString>
#include <cstdint>

namespace vorlix {

// Returns the part of `text` before the first `sep`, with leading characters
// below code 33 removed, and removes that part and the separator from `text`.
// Without the separator the whole (left-trimmed) text is returned and `text`
// becomes empty.
QString nextToken(QString &text, QChar sep);

// nextToken converted to a 32-bit integer; 0 when empty or not an integer.
int32_t nextTokenInt(QString &text, QChar sep);

// The 16-bit variant: the low 16 bits of the 32-bit value.
uint16_t nextTokenInt16(QString &text, QChar sep);

// True when the text is not empty and holds a character other than the
// digits, '-' and '.'.
bool isNonNumeric(const QString &text);

// Not empty, only the digits 0 to 9, and a value within lo..hi.
bool isIntInRange(const QString &text, int64_t lo, int64_t hi);

// The text with the ASCII letters in lower case and every other character
// kept: how the database's NOCASE collation compares names.
QString asciiLower(QString text);

// Checks a typed BACtalk point text ("1200:BO-4-P104", "AV-1-P87[3]",
// "object-name", ...).
bool validPointText(const QString &text);

// Text to a 32-bit integer the way the old program converts a token:
// optional blanks and sign, decimal digits, nothing after them.
bool parseInt32(const QString &text, int32_t &value);

} // namespace vorlix
