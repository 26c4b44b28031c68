#pragma once
// Build the bytes of the Apex data files: PNTSnn.DAT (point setups),
// PDATnn.DAT (point values) and CNTPnn.DAT (control-panel names).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix::sample {

class PntsFileBuilder {
public:
    PntsFileBuilder();
    // Type 1 BI, 2 AI, 3 BO, 4 AO. The description is cut to its field
    // (keeping a zero byte unless `fillField`).
    PntsFileBuilder &point(uint16_t number, uint16_t type, const QString &description, bool fillField = false);
    QByteArray bytes(bool terminate = true) const;

private:
    QByteArray m_bytes;
};

class PdatFileBuilder {
public:
    // A block of `kind` (2: point values) with values in tenths for the
    // points base + 1, base + 2, ...
    PdatFileBuilder &block(uint8_t kind, uint16_t base, const std::vector<int16_t> &tenths);
    // A block of another kind with `payload` bytes after its 4-byte head.
    PdatFileBuilder &otherBlock(uint8_t kind, const QByteArray &payload);
    QByteArray bytes(bool terminate = true) const;

private:
    QByteArray m_bytes;
};

class CntpFileBuilder {
public:
    CntpFileBuilder();
    CntpFileBuilder &panel(uint16_t number, const QString &name, bool fillField = false);
    QByteArray bytes(bool terminate = true) const;

private:
    QByteArray m_bytes;
};

} // namespace vorlix::sample
