// Bounded reads: numbers in both byte orders, fields that straddle either
// end of the data, sub-views, and where a text ends.
#include "util/ByteReader.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vorlix;

namespace {

const QByteArray kNine("\x11\x22\x33\x44\x55\x66\x77\x88\x99", 9);

struct NumberCase {
    const char *what;
    qsizetype start; // the view's start in kNine
    qsizetype off;
    uint64_t expected;
    uint64_t (*read)(const ByteReader &, qsizetype);
};

uint64_t readU8(const ByteReader &r, qsizetype off) { return r.u8(off); }
uint64_t readU16(const ByteReader &r, qsizetype off) { return r.u16(off); }
uint64_t readU32(const ByteReader &r, qsizetype off) { return r.u32(off); }
uint64_t readU16Be(const ByteReader &r, qsizetype off) { return r.u16BigEndian(off); }
uint64_t readU32Be(const ByteReader &r, qsizetype off) { return r.u32BigEndian(off); }

constexpr qsizetype kHuge = std::numeric_limits<qsizetype>::max();

const NumberCase kNumbers[] = {
    {"u8 first", 0, 0, 0x11, readU8},
    {"u8 last", 0, 8, 0x99, readU8},
    {"u8 past the end", 0, 9, 0, readU8},
    {"u8 before the start", 0, -1, 0, readU8},
    {"u8 far past the end", 0, kHuge, 0, readU8},
    {"u16 little-endian", 0, 0, 0x2211, readU16},
    {"u16 last whole", 0, 7, 0x9988, readU16},
    {"u16 straddles the end", 0, 8, 0x0099, readU16},
    {"u16 straddles the start", 0, -1, 0x1100, readU16},
    {"u32 little-endian", 0, 0, 0x44332211, readU32},
    {"u32 straddles the end", 0, 6, 0x00998877, readU32},
    {"u32 far past the end", 0, kHuge - 1, 0, readU32},
    {"u16 big-endian", 0, 7, 0x8899, readU16Be},
    {"u32 big-endian", 0, 0, 0x11223344, readU32Be},
    {"u32 big-endian straddles the end", 0, 7, 0x88990000, readU32Be},
    {"sub-view offset 0", 4, 0, 0x55, readU8},
    {"sub-view reads on to the data end", 4, 3, 0x00009988, readU32},
    {"sub-view: before its start is outside", 4, -1, 0, readU8},
    {"sub-view past the data", 20, 0, 0, readU32},
};

} // namespace

TEST(ByteReader, NumbersAndTheirBounds)
{
    for (const NumberCase &c : kNumbers)
        EXPECT_EQ(c.read(ByteReader(kNine).at(c.start), c.off), c.expected) << c.what;
    EXPECT_EQ(ByteReader(kNine).i16(6), int16_t(0x8877 - 0x10000));
    EXPECT_EQ(ByteReader().u32(0), 0u);

    QByteArray raw(8, '\0');
    const double v = -1234.5;
    std::memcpy(raw.data(), &v, 8); // the test machines are little-endian
    EXPECT_EQ(ByteReader(raw).f64(0), v);
    EXPECT_EQ(ByteReader(raw).at(1).f64(0), ByteReader(raw.mid(1) + '\0').f64(0));
}

TEST(ByteReader, HasAndRawBytes)
{
    const ByteReader r(kNine);
    EXPECT_TRUE(r.has(0, 9));
    EXPECT_TRUE(r.has(9, 0));
    EXPECT_FALSE(r.has(1, 9));
    EXPECT_FALSE(r.has(-1, 1));
    EXPECT_FALSE(r.has(kHuge, 1));
    EXPECT_FALSE(r.has(1, kHuge));
    EXPECT_TRUE(r.at(4).has(0, 5));
    EXPECT_FALSE(r.at(4).has(0, 6));
    EXPECT_EQ(r.at(4).start(), 4);

    EXPECT_EQ(r.bytes(7, 4), QByteArray("\x88\x99\0\0", 4));
    EXPECT_EQ(r.bytes(-2, 3), QByteArray("\0\0\x11", 3));
    EXPECT_EQ(r.at(8).bytes(-1, 3), QByteArray("\0\x99\0", 3));
    EXPECT_EQ(r.bytes(kHuge, 2), QByteArray(2, '\0'));
    EXPECT_TRUE(r.bytes(0, 0).isEmpty());
    EXPECT_TRUE(r.bytes(0, -5).isEmpty());
}

TEST(ByteReader, WhereATextEnds)
{
    const QByteArray data("Caf\xE9\0\x80uro", 9);
    const ByteReader r(data);
    EXPECT_EQ(r.text(0), u"Caf\u00e9"_qs);      // at the NUL, Windows-1252
    EXPECT_EQ(r.text(0, 2), u"Ca"_qs);          // at the maximum
    EXPECT_EQ(r.text(5), u"\u20acuro"_qs);      // at the data's end
    EXPECT_EQ(r.text(0, 0), QString());
    EXPECT_EQ(r.text(-1), QString());
    EXPECT_EQ(r.text(9), QString());

    // At the text end, which a sub-view keeps; the bytes after it are still
    // data for numbers.
    const ByteReader marked(QByteArrayView("abcdef"), 4);
    EXPECT_EQ(marked.text(1), u"bcd"_qs);
    EXPECT_EQ(marked.at(2).text(0), u"cd"_qs);
    EXPECT_EQ(marked.text(4), QString());
    EXPECT_EQ(marked.u8(4), 'e');
    EXPECT_EQ(ByteReader(QByteArrayView("abc"), 99).text(1), u"bc"_qs);
}
