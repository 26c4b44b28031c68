// Reads arbitrary bytes as a BACtalk display and lists them field by field:
// a damaged file must give a message, never a read outside the data.
#include "bactalk/BtDisplayDump.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const vorlix::bt::DumpResult r = vorlix::bt::dumpDisplay(bytes, QStringLiteral("fuzz.dsp"));
    // A damaged file names itself in the message.
    if (!r.ok && !r.error.startsWith(QStringLiteral("fuzz.dsp")))
        __builtin_trap();
    return 0;
}
