#pragma once
// Null-safe conversions of database field values: an empty, null or
// unconvertible value gives the member's default, never an error.
#include <QString>
#include <QVariant>
#include <cstdint>

namespace vorlix {

double nullToFloat(const QVariant &v);
QString nullToStr(const QVariant &v);
int32_t nullToInt(const QVariant &v);
uint16_t nullToWord(const QVariant &v);
int32_t nullToLong(const QVariant &v); // 32 bits taken from a 64-bit conversion
bool nullToBool(const QVariant &v);

} // namespace vorlix
