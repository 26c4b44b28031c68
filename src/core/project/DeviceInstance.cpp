#include "project/DeviceInstance.h"

namespace vorlix {

QString deviceInstanceProblem(const QString &field, qint64 value)
{
    if (isDeviceInstance(value))
        return {};
    return QStringLiteral("%1 must be a BACnet device instance from 0 to %2, not %3.")
        .arg(field).arg(kMaxDeviceInstance).arg(value);
}

bool isApexMapInstanceField(const QString &field)
{
    for (const char *prefix : {"BaseAddr", "DevID"})
        if (field.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    return field.compare(u"GlobalPts", Qt::CaseInsensitive) == 0;
}

QString apexMapInstanceProblem(const QString &field, qint64 value)
{
    const auto is = [&field](const char *prefix) {
        return field.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
    };
    if (is("BaseAddr")) {
        if (value >= 0 && value <= kMaxBaseAddr)
            return {};
        return QStringLiteral("%1 must be from 0 to %2, so that its Tux devices (%1 + address 0 to %3) stay "
                              "within the BACnet device instances 0 to %4; %5 does not.")
            .arg(field).arg(kMaxBaseAddr).arg(kMaxTuxAddress).arg(kMaxDeviceInstance).arg(value);
    }
    if (is("DevID") || field.compare(u"GlobalPts", Qt::CaseInsensitive) == 0)
        return deviceInstanceProblem(field, value);
    return {};
}

} // namespace vorlix
