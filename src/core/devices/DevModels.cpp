#include "devices/DevModels.h"

namespace vorlix {

const QStringList &devModels()
{
    static const QStringList models = {
        u"--TUX--"_qs, u"TX-NON-SA"_qs, u"TX-SA"_qs, u"TX-SA651"_qs, u"TX-V.A.V."_qs, u"TX-Host-R3"_qs,
        u"--BACTALK--"_qs, u"Envision for BACtalk"_qs, u"BCM-Eth Controller"_qs,
        u"BCM-MS/TP Controller"_qs, u"VLX Controller"_qs, u"VLX-Platinum Controller"_qs,
        u"VLCA-1688"_qs, u"BCM-TUX Gateway"_qs, u"BCM-FPCS Gateway"_qs, u"BCM-WEB"_qs, u"WEBtalk"_qs,
        u"BCM-Modbus Gateway"_qs, u"BCM-Hotel Gateway"_qs,
        u"--CONTROLLERS--"_qs, u"VAV-SD"_qs, u"VAV-SD2A"_qs, u"VAVi-SD"_qs, u"VAViH-SD"_qs, u"VAV-DD"_qs,
        u"VAV-DD7"_qs, u"VAV-SDA"_qs, u"VLC-550"_qs, u"VLC-853"_qs, u"VLC-1188"_qs, u"VLC-651R"_qs,
        u"VLC-660R"_qs, u"VLC-1600"_qs, u"VLC-16160"_qs, u"VLC-444"_qs, u"VLCD-362"_qs, u"MQ-VLC"_qs,
        u"BACtalk Viewport"_qs, u"FLG-7350"_qs, u"FLG-Modbus"_qs,
        u"--SMOKE--"_qs, u"BTI Smoke Controller"_qs, u"VAV-SD-S"_qs, u"VLC-1188-S"_qs, u"VLC-16160-S"_qs,
        u"VAV-DD7-S"_qs};
    return models;
}

bool isDevModelHeading(const QString &entry)
{
    return entry.size() > 4 && entry.startsWith(u"--"_qs) && entry.endsWith(u"--"_qs);
}

} // namespace vorlix
