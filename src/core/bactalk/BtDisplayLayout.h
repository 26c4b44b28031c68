#pragma once
// Layout of a BACtalk display (.dsp) or display template (.dvt) file: one
// 394-byte header record, the object records back to back, and the end
// marker 0xFF 0xFF. Every object record starts with its own length. All
// numbers are little-endian; texts are Windows-1252, NUL-terminated, in
// fixed fields. These offsets are the one definition of the layout; the
// writer, the default records and the dump all use them.
#include <cstdint>

namespace vorlix::bt {

// --- Header record ---------------------------------------------------------
namespace hdr {
inline constexpr int Size = 394;
inline constexpr int RecLen = 0;          // uint16
inline constexpr int Title = 2;           // text[80]
inline constexpr int TitleLen = 80;
inline constexpr int BmpRep = 82;         // text[16]
inline constexpr int BmpJob = 98;         // text[16]
inline constexpr int RepJobLen = 16;
inline constexpr int BmpName = 114;       // text[256]
inline constexpr int BmpNameLen = 256;
inline constexpr int BmpSource = 370;     // uint8: 2 = standard library, 1 = job's own
inline constexpr int BackgroundKind = 371; // uint8: 1 = bitmap, 0 = colour
inline constexpr int ObjectCount = 372;   // uint16
inline constexpr int Unk374 = 374;        // uint16
inline constexpr int IbexByte70 = 376;    // uint16
inline constexpr int Width = 378;         // uint16
inline constexpr int Height = 380;        // uint16
inline constexpr int BackColor = 382;     // colour
inline constexpr int Unk386 = 386;        // uint16
inline constexpr int EndOffset = 388;     // uint32: offset of the end marker
inline constexpr int Unk392 = 392;        // uint16
} // namespace hdr

// --- Common part of every object record (offsets 0 to 118) ------------------
namespace obj {
inline constexpr int Size = 0;        // uint16
inline constexpr int X = 2;           // uint16
inline constexpr int Y = 4;
inline constexpr int W = 6;
inline constexpr int H = 8;
inline constexpr int DispObjID = 10;  // uint16: low byte control kind, high byte data kind
inline constexpr int Options = 12;    // uint16
inline constexpr int Level = 14;      // uint8
inline constexpr int Unk1 = 15;       // uint8
inline constexpr int Fgrnd = 16;      // colour
inline constexpr int Bgrnd = 20;      // colour
inline constexpr int Alarm = 24;      // colour
inline constexpr int DevID = 28;      // uint32
inline constexpr int CurrDev = 32;    // uint8
inline constexpr int PtType = 33;     // uint16
inline constexpr int ObjInst = 35;    // uint32
inline constexpr int ObjProp = 39;    // uint8
inline constexpr int UsePrio = 40;    // uint8
inline constexpr int Prio = 41;       // uint8
inline constexpr int PntUnk1 = 42;    // uint8
inline constexpr int Font = 43;       // 44-byte font block
inline constexpr int AlerProp = 87;   // uint16
inline constexpr int Unk3 = 89;       // 6 bytes
inline constexpr int MenuSet = 95;    // uint8
inline constexpr int Unk4 = 96;       // uint16
inline constexpr int Transparent = 98; // uint8
inline constexpr int Unk5 = 99;       // 20 bytes
inline constexpr int CommonSize = 119;
} // namespace obj

// Font block (tAlerFont), offsets from its start.
namespace font {
inline constexpr int Unk1 = 0;    // uint16
inline constexpr int Height = 2;  // int16
inline constexpr int Unk2 = 4;    // uint16
inline constexpr int Weight = 6;  // uint16
inline constexpr int Style = 8;   // uint8
inline constexpr int Unk3 = 9;    // uint8
inline constexpr int Unk4 = 10;   // uint8
inline constexpr int Pitch = 11;  // uint8
inline constexpr int Name = 12;   // text[32]
inline constexpr int NameLen = 32;
inline constexpr int BlockSize = 44;
} // namespace font

// Value record tail (BtDispValRec, 301 bytes).
namespace val {
inline constexpr int RecordSize = 301;
inline constexpr int Factor = 119;      // float64
inline constexpr int Decimal = 127;     // uint8
inline constexpr int Unk6 = 128;        // uint8
inline constexpr int Spin = 129;        // float64
inline constexpr int ActiveTxt = 137;   // text[40]
inline constexpr int InactiveTxt = 177; // text[40]
inline constexpr int StateTxtLen = 40;
inline constexpr int NullTxt = 217;     // text[30]
inline constexpr int NullTxtLen = 30;
inline constexpr int AuxActive = 247;   // colour
inline constexpr int AuxInActive = 251; // colour
inline constexpr int AuxNull = 255;     // colour
inline constexpr int UnitsType = 259;   // uint8
inline constexpr int Unk7 = 260;        // uint8
inline constexpr int UnitsText = 261;   // text[40]
inline constexpr int UnitsTextLen = 40;
} // namespace val

// Text record tail (BtTextRec, 247 bytes): the caption.
namespace txt {
inline constexpr int RecordSize = 247;
inline constexpr int Text = 119; // text[128]
inline constexpr int TextLen = 128;
} // namespace txt

// Graphic record tail (BtGraphicRec, 222 bytes with five bitmap slots, 298
// with eight and the analog ranges).
namespace gfx {
inline constexpr int RecordSize5 = 222;
inline constexpr int RecordSize8 = 298;
inline constexpr int UseLibrary = 119; // uint8: 1 = library named at 120/136
inline constexpr int LibRep = 120;     // text[16]
inline constexpr int LibJob = 136;     // text[16]
inline constexpr int RepJobLen = 16;
inline constexpr int Bitmap1 = 152;    // text[14] each
inline constexpr int BitmapLen = 14;
constexpr int bitmapSlot(int i) { return Bitmap1 + BitmapLen * (i - 1); } // i = 1..8
inline constexpr int RangeCount = 264; // uint16 (298-byte record)
inline constexpr int Range1 = 266;     // float64 x 4 (298-byte record)
constexpr int rangeLimit(int i) { return Range1 + 8 * (i - 1); } // i = 1..4
} // namespace gfx

// Pushbutton record tail (BtButtonRec, 205 bytes).
namespace btn {
inline constexpr int RecordSize = 205;
inline constexpr int OtherJob = 119;  // uint8: 1 = target lies in the job named at 121/137
inline constexpr int IsTemplate = 120; // uint8: 1 = opens a template
inline constexpr int Rep = 121;       // text[16]
inline constexpr int Job = 137;       // text[16]
inline constexpr int RepJobLen = 16;
inline constexpr int Target = 153;    // uint32
inline constexpr int Caption = 157;   // text[48]
inline constexpr int CaptionLen = 48;
} // namespace btn

// Login pushbutton record (BtLoginRec): 121 bytes plus the caption and its NUL.
namespace login {
inline constexpr int MaxSize = 169;
inline constexpr int Semicolon = 119; // ';'
inline constexpr int Command = 120;   // 'N'
inline constexpr int Caption = 121;   // text, at most 47 characters
inline constexpr int CaptionLen = 48;
} // namespace login

// Date/time record (BtDateTimeRec): the common part and zeros.
namespace dt {
inline constexpr int RecordSize = 303;
}

// The end marker, read as a record length of 65535.
inline constexpr uint16_t EndMarker = 0xFFFF;

// BACnet object types and properties the point block uses.
inline constexpr uint16_t PtDevice = 8;
inline constexpr uint32_t InstDevice = 0xFFFFFFFFu;
inline constexpr uint8_t PropPresentValue = 85;
inline constexpr uint8_t PropObjectName = 77;
inline constexpr uint8_t PropDescription = 28;
inline constexpr uint8_t PropLocation = 58;
inline constexpr uint8_t PropPriorityArray = 87;
inline constexpr uint8_t PropRelinquishDefault = 104;
inline constexpr uint32_t CurrentDeviceId = 0xFFFFFF08u;
inline constexpr uint8_t CurrDevOn = 255;

// Object codes (dispObjID) the creation writes besides the kinds' defaults.
inline constexpr uint16_t CodeButtonDisplay = 0x1F04;
inline constexpr uint16_t CodeButtonTemplate = 0x0504;
inline constexpr uint16_t CodeButtonDevice = 0x1904;

// The record kinds the system writes.
enum class RecordKind {
    Text,
    GroupBox,
    Checkbox,
    ReadOnlyValue,
    PromptedValue,
    DateTime,
    StaticGraphic,
    AnimatedGraphic,
    AnalogGraphic,
    Button,
    Login,
};
inline constexpr int RecordKindCount = 11;

} // namespace vorlix::bt
