#pragma once
// Null-safe conversions of database field values: an empty, null or
// unconvertible value gives the member's default, never an error.
#include <QString>
#include <QVariant>
#include <cstdint>

namespace vorlix {

double NullToFloat(const QVariant &v);
QString NullToStr(const QVariant &v);
int32_t NullToInt(const QVariant &v);
uint16_t NullToWord(const QVariant &v);
int32_t NullToLong(const QVariant &v); // 32 bits taken from a 64-bit conversion
bool NullToBool(const QVariant &v);

} // namespace vorlix
