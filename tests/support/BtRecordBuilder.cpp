#include "support/BtRecordBuilder.h"

#include <cstring>

namespace vorlix::test {

ByteWriter BtBytes::writer() { return ByteWriter(bytes, ByteWriter::Extent::Fixed); }

BtBytes &BtBytes::u8(int off, uint8_t v)
{
    writer().u8(off, v);
    return *this;
}

BtBytes &BtBytes::u16(int off, uint16_t v)
{
    writer().u16(off, v);
    return *this;
}

BtBytes &BtBytes::u32(int off, uint32_t v)
{
    writer().u32(off, v);
    return *this;
}

BtBytes &BtBytes::f64(int off, double v)
{
    writer().f64(off, v);
    return *this;
}

BtBytes &BtBytes::str(int off, const char *text)
{
    const QByteArrayView t(text);
    writer().bytes(off, t).u8(off + t.size(), 0);
    return *this;
}

QByteArray expectedHeader()
{
    BtBytes b(394);
    b.u16(0, 394).u8(370, 1).u8(371, 0).u16(372, 0).u16(374, 394).u16(376, 8).u16(378, 600).u16(380, 480)
        .u32(382, 0x00FFFFFF).u16(386, 1).u32(388, 394).u16(392, 0);
    return b.bytes;
}

namespace {

// The common part as documented for every kind.
BtBytes common(int size, uint16_t code, uint16_t x, uint16_t y, uint16_t w, uint16_t h, uint32_t devId,
               uint8_t currDev, uint16_t ptType, uint32_t objInst, uint8_t byte95)
{
    BtBytes b(size);
    b.u16(0, static_cast<uint16_t>(size)).u16(2, x).u16(4, y).u16(6, w).u16(8, h).u16(10, code);
    b.u8(12, 0).u8(13, 0x0E).u8(14, 0).u8(15, 0);
    b.u32(16, 0x000000).u32(20, 0xFFFFFF).u32(24, 0x0000FF);
    b.u32(28, devId).u8(32, currDev).u16(33, ptType).u32(35, objInst).u8(39, 85).u8(40, 0).u8(41, 0);
    b.u16(43 + 2, static_cast<uint16_t>(-12)).str(43 + 12, "ms sans serif");
    b.u8(95, byte95).u16(96, 128);
    return b;
}

BtBytes valueTail(BtBytes b)
{
    b.f64(119, 1.0).u8(127, 1).f64(129, 0.0).str(137, "Active").str(177, "Inactive").str(217, "NULL");
    return b;
}

void library(BtBytes &b) { b.u8(119, 1).str(120, "Alerton").str(136, "Standard"); }

} // namespace

QByteArray expectedText()
{
    return common(247, 0x0601, 4, 6, 72, 14, 0x00000108, 0, 2, 0, 6).u8(129, 0x70).bytes;
}

QByteArray expectedGroupBox()
{
    return common(247, 0x060C, 134, 129, 128, 128, 0x018AED08, 0, 2, 0, 6).bytes;
}

QByteArray expectedCheckbox()
{
    BtBytes b = common(247, 0x0103, 12, 8, 128, 16, 0x00000108, 0, 2, 0, 2);
    for (int off : {127, 159, 191, 223})
        b.u8(off, 0x02).u8(off + 1, 0x80);
    return b.bytes;
}

QByteArray expectedReadOnlyValue()
{
    return valueTail(common(301, 0x0101, 6, 6, 72, 14, 0x00000100, 0, 2, 0, 6)).bytes;
}

QByteArray expectedPromptedValue()
{
    return valueTail(common(301, 0x0105, 8, 10, 80, 20, 0x00000100, 0, 2, 0, 2)).bytes;
}

QByteArray expectedDateTime()
{
    return common(303, 0x1301, 108, 116, 72, 14, 0x3FFFFE00, 0, 2, 0, 6).bytes;
}

QByteArray expectedStaticGraphic()
{
    BtBytes b = common(222, 0x0108, 8, 10, 16, 16, 0xFFFFFF08, 255, 5, 4, 2);
    library(b);
    b.str(152, "aler0000.bmp").str(166, "aler0001.bmp").str(180, "aler0002.bmp").str(194, "aler0002.bmp");
    b.u8(216, 0x08).u8(220, 0x04);
    return b.bytes;
}

QByteArray expectedAnimatedGraphic()
{
    BtBytes b = common(222, 0x0109, 20, 30, 32, 32, 0xFFFFFF08, 255, 5, 0, 2);
    library(b);
    b.str(152, "aler0043.bmp").str(166, "aler0044.bmp").str(180, "aler0045.bmp").str(194, "aler0046.bmp")
        .str(208, "aler0047.bmp");
    return b.bytes;
}

QByteArray expectedAnalogGraphic()
{
    BtBytes b = common(298, 0x010A, 18, 32, 32, 48, 0xFFFFFF08, 255, 2, 0, 6);
    library(b);
    const char *names[] = {"aler0011.bmp", "aler0012.bmp", "aler0013.bmp", "aler0014.bmp",
                           "aler0015.bmp", "aler0016.bmp", "aler0017.bmp", "aler0018.bmp"};
    for (int i = 0; i < 8; ++i)
        b.str(152 + 14 * i, names[i]);
    b.u16(264, 4).f64(266, 68.0).f64(274, 70.0).f64(282, 74.0).f64(290, 76.0);
    return b.bytes;
}

QByteArray expectedButton()
{
    BtBytes b = common(205, 0x1F04, 126, 132, 72, 20, 0x018AED08, 0, 2, 0, 6);
    b.u8(119, 0).u8(120, 0).str(121, "Alerton").str(137, "Standard").u32(153, 0);
    return b.bytes;
}

QByteArray expectedLogin(const char *caption)
{
    const int size = 121 + static_cast<int>(std::strlen(caption)) + 1;
    BtBytes b = common(169, 0x1E04, 54, 57, 72, 20, 0x018A8A08, 0, 2, 0, 6);
    b.u8(119, ';').u8(120, 'N').str(121, caption).u16(0, static_cast<uint16_t>(size));
    return b.bytes.left(size);
}

QByteArray expectedFile(const QByteArray &header, const QByteArray &records, int count)
{
    BtBytes h(header);
    h.u16(372, static_cast<uint16_t>(count)).u32(388, static_cast<uint32_t>(394 + records.size()));
    return h.bytes + records + QByteArray("\xFF\xFF", 2);
}

} // namespace vorlix::test
