// libFuzzer target: the same bytes as PNTSnn.DAT, PDATnn.DAT and CNTPnn.DAT.
#include "ibex/DatReaders.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    size_t n = 0;
    for (const PointSetup &p : decodePnts(bytes))
        n += static_cast<size_t>(p.description.size() + p.point + p.type);
    for (const PointValue &v : decodePdat(bytes))
        n += static_cast<size_t>(v.point);
    for (const PanelName &p : decodeCntp(bytes))
        n += static_cast<size_t>(p.name.size() + p.number);
    return n == SIZE_MAX ? 1 : 0;
}
