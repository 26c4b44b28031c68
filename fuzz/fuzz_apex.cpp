// libFuzzer target: APEXnn.adc bytes through the DDC decoder, the call
// target pass, the call rows and the transfer lines.
#include "ibex/ApexReader.h"
#include "project/ControllerMap.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The header is not interpreted: let the fuzzer spend its bytes on
    // records by putting them right after a blank header.
    QByteArray bytes(apexfile::kHeaderSize, '\0');
    bytes.append(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::function<int32_t(int)> base = [](int trunk) { return trunk == 2 ? NotMapped : 1000 * trunk; };
    // Listing mode decodes everything table mode does, and the transfer lines.
    DdcProgram p = parseDdcFile(bytes, 7, true, base);
    resolveCallTargets(p);
    const DdcRecord *previous = nullptr;
    for (const DdcRecord &r : p.records) {
        // The repeats of a record of length 0 share their texts: one of them
        // tells everything the others would.
        if (previous && previous->seq == r.seq && previous->dev == r.dev && previous->points.isSharedWith(r.points))
            continue;
        previous = &r;
        if (apexfile::isCall(static_cast<uint8_t>(r.dev)))
            (void)callRowOf(p, r);
        for (int k = 0; k <= apexfile::kMaxOperands + 1; ++k)
            (void)r.point(k).size();
    }
    return 0;
}
