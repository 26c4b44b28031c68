#pragma once
// Expected BACtalk display bytes for tests, written from the documented
// record defaults with literal offsets, independently of the writer's own
// layout definitions. A test starts from a documented default and patches
// the fields it expects the writer to fill.
#include "util/ByteWriter.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace vorlix::test {

class BtBytes {
public:
    explicit BtBytes(int size) : bytes(size, '\0') {}
    explicit BtBytes(QByteArray b) : bytes(std::move(b)) {}

    BtBytes &u8(int off, uint8_t v);
    BtBytes &u16(int off, uint16_t v);
    BtBytes &u32(int off, uint32_t v);
    BtBytes &f64(int off, double v);
    // Latin-1 text and its NUL at `off`; bytes after the NUL untouched.
    BtBytes &str(int off, const char *text);

    QByteArray bytes;

private:
    // Fields outside the bytes are refused with an Error.
    ByteWriter writer();
};

// The documented defaults.
QByteArray expectedHeader();
QByteArray expectedText();
QByteArray expectedGroupBox();
QByteArray expectedCheckbox();
QByteArray expectedReadOnlyValue();
QByteArray expectedPromptedValue();
QByteArray expectedDateTime();
QByteArray expectedStaticGraphic();
QByteArray expectedAnimatedGraphic();
QByteArray expectedAnalogGraphic();
QByteArray expectedButton();
// The login record with `caption` (Size = 121 + length + 1).
QByteArray expectedLogin(const char *caption);

// Header with count and end offset set, then the records, then 0xFF 0xFF.
QByteArray expectedFile(const QByteArray &header, const QByteArray &records, int count);

} // namespace vorlix::test
