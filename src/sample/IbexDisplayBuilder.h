#pragma once
// Builds the bytes of an Ibex display file (*.ibw) field by field, with the
// offsets of the one layout definition. Used by the sample job and by the
// tests, so each states only the bytes that matter.
#include "ibex/IbexDisplayLayout.h"
#include "ibex/IbexObject.h"
#include "util/ByteWriter.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>

namespace vorlix::sample {

// Ibex point references, composed field by field (trunks 1..4, points 1..64).
namespace ref {
inline uint32_t tux(int trunk, int address, int type, int point)
{
    return 0xC00000u | uint32_t(trunk - 1) << 15 | uint32_t(address) << 9 | uint32_t(type) << 6 | uint32_t(point - 1);
}
inline uint32_t pulse(int trunk, int address, int kind, int point)
{
    return 0x500000u | uint32_t(trunk - 1) << 15 | uint32_t(address) << 9 | uint32_t(kind) << 8 | uint32_t(point - 1);
}
inline uint32_t zone(int type, int number, int tuxOffset = 0)
{
    return 0x200000u | uint32_t(tuxOffset) << 9 | uint32_t(type) << 6 | uint32_t(number - 1);
}
inline uint32_t customZone(int number) { return 0x210000u | uint32_t(number - 1); }
inline uint32_t genericZone(int index) { return 0x220000u | uint32_t(index); }
inline uint32_t ibex(int point) { return 0xD00000u | uint32_t(point); }
inline uint32_t global(int point) { return 0x100000u | uint32_t(point); }
// The Tux address of a Tux pushbutton.
inline uint32_t tuxButton(int trunk, int address) { return uint32_t(trunk - 1) << 15 | uint32_t(address) << 9; }
} // namespace ref

class IbexRecordBuilder {
public:
    explicit IbexRecordBuilder(IbexObject kind);
    // A raw object code word (for codes that are no known kind).
    explicit IbexRecordBuilder(uint16_t code);

    IbexRecordBuilder &u8(int off, uint8_t v);
    IbexRecordBuilder &u16(int off, uint16_t v);
    IbexRecordBuilder &u32(int off, uint32_t v);
    IbexRecordBuilder &u32BigEndian(int off, uint32_t v);
    IbexRecordBuilder &f64(int off, double v);
    // ANSI text with its NUL; `withNul` false leaves the terminator out.
    IbexRecordBuilder &text(int off, const QString &text, bool withNul = true);

    IbexRecordBuilder &rect(int x, int y, int w, int h);
    IbexRecordBuilder &caption(const QString &text) { return this->text(ibw::obj::Caption, text); }
    // Apex, control-panel number and point reference of the object.
    IbexRecordBuilder &point(uint8_t apex, uint32_t ref, uint8_t cp = 0);
    // The airflow form: Apex at 89, control panel at 91, big-endian reference at 92.
    IbexRecordBuilder &airflowPoint(uint8_t apex, uint32_t ref, uint8_t cp = 0);
    IbexRecordBuilder &options(uint8_t v) { return u8(ibw::obj::Options, v); }
    IbexRecordBuilder &kindFlag(uint8_t v) { return u8(ibw::obj::KindFlag, v); }
    IbexRecordBuilder &bitmap(int i, const QString &name); // i = 1..8
    IbexRecordBuilder &font(const QString &face, uint8_t pitch, uint16_t weight, uint8_t style);
    IbexRecordBuilder &colors(uint32_t fore, uint32_t back, uint32_t alarm);
    // Forces the length word (the record is padded or cut to it unless
    // `raw`, which writes the word only).
    IbexRecordBuilder &length(uint16_t length, bool raw = false);

    QByteArray bytes() const;

private:
    // Writes that grow the record to hold them.
    ByteWriter writer();
    QByteArray m_bytes;
    int m_length = -1;
    bool m_rawLength = false;
};

class IbexDisplayBuilder {
public:
    IbexDisplayBuilder();

    IbexDisplayBuilder &description(const QString &text);
    IbexDisplayBuilder &bitmapBackground(const QString &fileName);
    IbexDisplayBuilder &colorBackground(uint32_t color, uint8_t kind = ibw::BackgroundShownColor);
    IbexDisplayBuilder &size(uint16_t width, uint16_t height);
    IbexDisplayBuilder &headerByte(int off, uint8_t v);

    // Appends a record and returns it for filling.
    IbexRecordBuilder &add(IbexObject kind);
    IbexRecordBuilder &addCode(uint16_t code);
    // Raw bytes after the records (damaged tails).
    IbexDisplayBuilder &raw(const QByteArray &bytes);

    QByteArray bytes() const;
    // Writes the file; throws Error naming it when it cannot be written.
    void write(const QString &path) const;

private:
    ByteWriter header(); // the fixed-size header
    QByteArray m_header;
    std::deque<IbexRecordBuilder> m_records;
    QByteArray m_tail;
};

} // namespace vorlix::sample
