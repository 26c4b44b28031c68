#pragma once
// BACnet device instances: 0 to 4194302 (4194303 is the wildcard, and the
// controller map's lookups answer 4194304 for "not mapped"). A Tux
// controller is the device BaseAddr + its address on the trunk, so a trunk's
// BaseAddr must leave room for the highest Tux address. Instances are
// computed in 64 bits: a sum never wraps into another device.
#include <QString>

namespace vorlix {

inline constexpr qint64 kMaxDeviceInstance = 4194302;
// The highest Tux address: the two address digits of a Tux file name.
inline constexpr qint64 kMaxTuxAddress = 99;
inline constexpr qint64 kMaxBaseAddr = kMaxDeviceInstance - kMaxTuxAddress;

inline bool isDeviceInstance(qint64 v) { return v >= 0 && v <= kMaxDeviceInstance; }

// GlobalPts, DevID1..4 and BaseAddr1..4 (any letter case).
bool isApexMapInstanceField(const QString &field);

// Why `value` cannot be stored in the ApexMap field `field` (null when it
// can, and for fields that hold no device instance): GlobalPts and DevID1..4
// are device instances, BaseAddr1..4 the base of a trunk's Tux instances.
QString apexMapInstanceProblem(const QString &field, qint64 value);

// Why `value` is no device instance, for a field named `field`.
QString deviceInstanceProblem(const QString &field, qint64 value);

} // namespace vorlix
