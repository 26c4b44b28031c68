#include "bactalk/BtDefaultRecords.h"

#include "bactalk/BtRecord.h"

#include <array>

namespace vorlix::bt {

namespace {

struct KindDefaults {
    RecordKind kind;
    const char *name;
    int size;
    uint16_t code;
    uint16_t x, y, w, h;
    uint32_t devId;
    uint8_t currDev;
    uint16_t ptType;
    uint32_t objInst;
    uint8_t menuSet; // byte 95
};

// One row per record kind, in RecordKind order. Word 96 is 128 in every kind.
constexpr std::array<KindDefaults, RecordKindCount> kKinds = {{
    {RecordKind::Text, "text", txt::RecordSize, 0x0601, 4, 6, 72, 14, 0x00000108, 0, 2, 0, 6},
    {RecordKind::GroupBox, "group box", txt::RecordSize, 0x060C, 134, 129, 128, 128, 0x018AED08, 0, 2, 0, 6},
    {RecordKind::Checkbox, "checkbox", txt::RecordSize, 0x0103, 12, 8, 128, 16, 0x00000108, 0, 2, 0, 2},
    {RecordKind::ReadOnlyValue, "read-only value", val::RecordSize, 0x0101, 6, 6, 72, 14, 0x00000100, 0, 2, 0, 6},
    {RecordKind::PromptedValue, "prompted value", val::RecordSize, 0x0105, 8, 10, 80, 20, 0x00000100, 0, 2, 0, 2},
    {RecordKind::DateTime, "date/time", dt::RecordSize, 0x1301, 108, 116, 72, 14, 0x3FFFFE00, 0, 2, 0, 6},
    {RecordKind::StaticGraphic, "static graphic", gfx::RecordSize5, 0x0108, 8, 10, 16, 16, 0xFFFFFF08, 255, 5, 4, 2},
    {RecordKind::AnimatedGraphic, "animated graphic", gfx::RecordSize5, 0x0109, 20, 30, 32, 32, 0xFFFFFF08, 255, 5, 0, 2},
    {RecordKind::AnalogGraphic, "analog graphic", gfx::RecordSize8, 0x010A, 18, 32, 32, 48, 0xFFFFFF08, 255, 2, 0, 6},
    {RecordKind::Button, "pushbutton", btn::RecordSize, 0x1F04, 126, 132, 72, 20, 0x018AED08, 0, 2, 0, 6},
    {RecordKind::Login, "login pushbutton", login::MaxSize, 0x1E04, 54, 57, 72, 20, 0x018A8A08, 0, 2, 0, 6},
}};

const KindDefaults &kindRow(RecordKind kind) { return kKinds[static_cast<size_t>(kind)]; }

void fillCommon(BtRecord &r, const KindDefaults &k)
{
    r.setU16(obj::Size, static_cast<uint16_t>(k.size));
    r.setU16(obj::X, k.x);
    r.setU16(obj::Y, k.y);
    r.setU16(obj::W, k.w);
    r.setU16(obj::H, k.h);
    r.setU16(obj::DispObjID, k.code);
    r.setU16(obj::Options, 0x0E00); // byte 12 = 0, byte 13 = 0x0E
    r.setU32(obj::Fgrnd, 0x000000);
    r.setU32(obj::Bgrnd, 0xFFFFFF);
    r.setU32(obj::Alarm, 0x0000FF);
    r.setU32(obj::DevID, k.devId);
    r.setU8(obj::CurrDev, k.currDev);
    r.setU16(obj::PtType, k.ptType);
    r.setU32(obj::ObjInst, k.objInst);
    r.setU8(obj::ObjProp, PropPresentValue);
    r.setI16(obj::Font + font::Height, -12);
    r.putText(obj::Font + font::Name, font::NameLen, QStringLiteral("ms sans serif"));
    r.setU8(obj::MenuSet, k.menuSet);
    r.setU16(obj::Unk4, 128);
}

void fillGraphicLibrary(BtRecord &r)
{
    r.setU8(gfx::UseLibrary, 1);
    r.putText(gfx::LibRep, gfx::RepJobLen, QStringLiteral("Alerton"));
    r.putText(gfx::LibJob, gfx::RepJobLen, QStringLiteral("Standard"));
}

void fillBitmaps(BtRecord &r, int first, int count)
{
    for (int i = 1; i <= count; ++i)
        r.putText(gfx::bitmapSlot(i), gfx::BitmapLen,
                  QStringLiteral("aler%1.bmp").arg(first + i - 1, 4, 10, QLatin1Char('0')));
}

void fillValueTail(BtRecord &r)
{
    r.setF64(val::Factor, 1.0);
    r.setU8(val::Decimal, 1);
    r.setF64(val::Spin, 0.0);
    r.putText(val::ActiveTxt, val::StateTxtLen, QStringLiteral("Active"));
    r.putText(val::InactiveTxt, val::StateTxtLen, QStringLiteral("Inactive"));
    r.putText(val::NullTxt, val::NullTxtLen, QStringLiteral("NULL"));
}

QByteArray buildRecord(RecordKind kind)
{
    const KindDefaults &k = kindRow(kind);
    QByteArray bytes(k.size, '\0');
    BtRecord r(reinterpret_cast<uint8_t *>(bytes.data()), k.size);
    fillCommon(r, k);
    switch (kind) {
    case RecordKind::Text:
    case RecordKind::GroupBox:
        if (kind == RecordKind::Text)
            r.setU8(129, 0x70); // inside the empty Text field
        break;
    case RecordKind::Checkbox:
        for (int off : {127, 159, 191, 223}) {
            r.setU8(off, 0x02);
            r.setU8(off + 1, 0x80);
        }
        break;
    case RecordKind::ReadOnlyValue:
    case RecordKind::PromptedValue:
        fillValueTail(r);
        break;
    case RecordKind::DateTime:
        break;
    case RecordKind::StaticGraphic:
        fillGraphicLibrary(r);
        r.putText(gfx::bitmapSlot(1), gfx::BitmapLen, QStringLiteral("aler0000.bmp"));
        r.putText(gfx::bitmapSlot(2), gfx::BitmapLen, QStringLiteral("aler0001.bmp"));
        r.putText(gfx::bitmapSlot(3), gfx::BitmapLen, QStringLiteral("aler0002.bmp"));
        r.putText(gfx::bitmapSlot(4), gfx::BitmapLen, QStringLiteral("aler0002.bmp"));
        // Slot 5 is empty, with these bytes after its NUL.
        r.setU8(216, 0x08);
        r.setU8(220, 0x04);
        break;
    case RecordKind::AnimatedGraphic:
        fillGraphicLibrary(r);
        fillBitmaps(r, 43, 5);
        break;
    case RecordKind::AnalogGraphic:
        fillGraphicLibrary(r);
        fillBitmaps(r, 11, 8);
        r.setU16(gfx::RangeCount, 4);
        r.setF64(gfx::rangeLimit(1), 68.0);
        r.setF64(gfx::rangeLimit(2), 70.0);
        r.setF64(gfx::rangeLimit(3), 74.0);
        r.setF64(gfx::rangeLimit(4), 76.0);
        break;
    case RecordKind::Button:
        r.setU8(btn::OtherJob, 0);
        r.setU8(btn::IsTemplate, 0);
        r.putText(btn::Rep, btn::RepJobLen, QStringLiteral("Alerton"));
        r.putText(btn::Job, btn::RepJobLen, QStringLiteral("Standard"));
        r.setU32(btn::Target, 0);
        break;
    case RecordKind::Login:
        r.setU8(login::Semicolon, ';');
        r.setU8(login::Command, 'N');
        break;
    }
    return bytes;
}

QByteArray buildHeader()
{
    QByteArray bytes(hdr::Size, '\0');
    BtRecord h(reinterpret_cast<uint8_t *>(bytes.data()), hdr::Size);
    h.setU16(hdr::RecLen, hdr::Size);
    h.setU8(hdr::BmpSource, 1);
    h.setU8(hdr::BackgroundKind, 0);
    h.setU16(hdr::ObjectCount, 0);
    h.setU16(hdr::Unk374, 394);
    h.setU16(hdr::IbexByte70, 8);
    h.setU16(hdr::Width, 600);
    h.setU16(hdr::Height, 480);
    h.setU32(hdr::BackColor, 0x00FFFFFF);
    h.setU16(hdr::Unk386, 1);
    h.setU32(hdr::EndOffset, hdr::Size);
    h.setU16(hdr::Unk392, 0);
    return bytes;
}

} // namespace

const QByteArray &defaultHeader()
{
    static const QByteArray header = buildHeader();
    return header;
}

const QByteArray &defaultRecord(RecordKind kind)
{
    static const std::array<QByteArray, RecordKindCount> records = [] {
        std::array<QByteArray, RecordKindCount> all;
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = buildRecord(static_cast<RecordKind>(i));
        return all;
    }();
    return records[static_cast<size_t>(kind)];
}

int recordSize(RecordKind kind) { return kindRow(kind).size; }

const char *recordKindName(RecordKind kind) { return kindRow(kind).name; }

} // namespace vorlix::bt
