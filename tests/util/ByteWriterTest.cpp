// Writes at byte offsets: both byte orders, texts in fixed fields, a fixed
// region that refuses a field leaving it (writing nothing of it) and a
// growing array.
#include "util/ByteReader.h"
#include "util/ByteWriter.h"
#include "util/Error.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace vorlix;

TEST(ByteWriter, NumbersLandAtTheirOffsets)
{
    QByteArray b(24, '\0');
    ByteWriter(b, ByteWriter::Extent::Fixed)
        .u16(0, 0x1234)
        .i16(2, -2)
        .u32(4, 0xA1B2C3D4)
        .u16BigEndian(8, 0x1234)
        .u32BigEndian(10, 0xA1B2C3D4)
        .u8(14, 0x7F)
        .f64(16, -1234.5);
    EXPECT_EQ(b.first(15), QByteArray("\x34\x12\xFE\xFF\xD4\xC3\xB2\xA1\x12\x34\xA1\xB2\xC3\xD4\x7F", 15));
    EXPECT_EQ(ByteReader(b).f64(16), -1234.5);
    EXPECT_EQ(ByteReader(b).u32BigEndian(10), 0xA1B2C3D4u);
}

TEST(ByteWriter, FixedRegionRefusesFieldsThatLeaveIt)
{
    const std::pair<const char *, std::function<void(ByteWriter &)>> refused[] = {
        {"u8 at the end", [](ByteWriter &w) { w.u8(8, 1); }},
        {"u8 before the start", [](ByteWriter &w) { w.u8(-1, 1); }},
        {"u16 straddles the end", [](ByteWriter &w) { w.u16(7, 1); }},
        {"u32 straddles the end", [](ByteWriter &w) { w.u32BigEndian(5, 1); }},
        {"f64 straddles the end", [](ByteWriter &w) { w.f64(1, 1.0); }},
        {"bytes straddle the end", [](ByteWriter &w) { w.bytes(6, "abc"); }},
        {"text field straddles the end", [](ByteWriter &w) { w.text(4, 5, u"x"); }},
        {"far past the end", [](ByteWriter &w) { w.u32(std::numeric_limits<qsizetype>::max() - 1, 1); }},
    };
    for (const auto &[what, write] : refused) {
        QByteArray b(10, '\xAA');
        ByteWriter w(b.data() + 1, 8); // bytes 1 to 8 of b
        EXPECT_THROW(write(w), Error) << what;
        EXPECT_EQ(b, QByteArray(10, '\xAA')) << what;
    }
    QByteArray b(8, '\0');
    ByteWriter w(b, ByteWriter::Extent::Fixed);
    try {
        w.u16(7, 1);
        ADD_FAILURE() << "not refused";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(u"offset 7"_qs)) << e.what();
    }
    w.u16(6, 0x0201).bytes(8, ""); // the last field that fits, and an empty one at the end
    EXPECT_EQ(b, QByteArray("\0\0\0\0\0\0\x01\x02", 8));
}

TEST(ByteWriter, GrowingArrayGrowsWithZeroBytes)
{
    QByteArray b("ab");
    ByteWriter w(b, ByteWriter::Extent::Growing);
    w.u16(4, 0x0201);
    EXPECT_EQ(b, QByteArray("ab\0\0\x01\x02", 6));
    w.u8(0, 'x').bytes(9, "");
    EXPECT_EQ(b, QByteArray("xb\0\0\x01\x02", 6));
    EXPECT_EQ(w.text(6, 4, u"hi"), 3);
    EXPECT_EQ(b.size(), 10); // the whole field
    EXPECT_THROW(w.u8(-1, 0), Error);
    EXPECT_EQ(b.size(), 10);
}

TEST(ByteWriter, TextsFillTheirFieldWithANul)
{
    QByteArray b(8, '#');
    ByteWriter w(b, ByteWriter::Extent::Fixed);
    EXPECT_EQ(w.text(0, 8, u"\u20ac5 \u4e2d"), 5); // Windows-1252; '?' for what it cannot hold
    EXPECT_EQ(b, QByteArray("\x80" "5 ?\0###", 8));
    EXPECT_EQ(w.text(0, 4, u"abcdef"), 4);         // cut to the field, NUL last
    EXPECT_EQ(b.first(4), QByteArray("abc\0", 4));
    EXPECT_EQ(w.text(4, 4, QStringView(u"a\0b", 3)), 2); // a NUL character ends the text
    EXPECT_EQ(b.sliced(4), QByteArray("a\0##", 4));
    EXPECT_EQ(w.text(8, 0, u"x"), 0);
}
