#include "sample/DatFileBuilders.h"
#include "sample/SampleIbexFiles.h"

#include "util/FileUtil.h"

#include <QDir>

namespace vorlix::sample {

namespace {
struct SamplePoint {
    uint16_t number;
    uint16_t type; // 1 BI, 2 AI, 3 BO, 4 AO
    const char *description;
};

constexpr SamplePoint kApex1Points[] = {
    {1, 2, "Outside Air Temp"}, {2, 2, "Outside Air Humidity"}, {3, 4, "AHU-1 Supply Setpoint"},
    {9, 1, "Boiler Alarm"},     {12, 2, "AHU-1 Supply Temp"},   {14, 4, "VAV-5 Damper Command"},
    {15, 3, "AHU-2 Fan Enable"}, {20, 1, "Chiller Running"},   {21, 2, "Chilled Water Supply"},
};
constexpr SamplePoint kApex2Points[] = {
    {1, 2, "Zone 1 Temp"}, {2, 2, "Zone 2 Temp"}, {3, 1, "Exhaust Fan Status"}, {4, 3, "Exhaust Fan Start"},
};

template <size_t N>
QByteArray pnts(const SamplePoint (&points)[N])
{
    PntsFileBuilder b;
    for (const SamplePoint &p : points)
        b.point(p.number, p.type, QLatin1String(p.description));
    // A point above 1000 and an unused slot: both stay out of the table.
    b.point(1200, 2, u"Not a point"_qs).point(30, 0, u"Unused"_qs);
    return b.bytes();
}
} // namespace

void writeSamplePointFiles(const QString &jobFolder)
{
    const QDir job(jobFolder);
    writeFileAtomically(job.filePath(u"pnts01.dat"_qs), pnts(kApex1Points));
    writeFileAtomically(job.filePath(u"Pnts02.dat"_qs), pnts(kApex2Points));

    // Values in tenths: points 1 to 3, then (after a block of another kind)
    // 9 and up.
    PdatFileBuilder apex1;
    apex1.block(2, 0, {215, 480, 550})
        .otherBlock(1, QByteArray(6, '\x11'))
        .block(2, 8, {10, 0, 0, 562, 0, 355, 10, 0, 0, 0, 0, 10, 442});
    writeFileAtomically(job.filePath(u"pdat01.dat"_qs), apex1.bytes());
    PdatFileBuilder apex2;
    apex2.block(2, 0, {712, -5, 10, 0});
    writeFileAtomically(job.filePath(u"PDAT02.DAT"_qs), apex2.bytes());
}

} // namespace vorlix::sample
