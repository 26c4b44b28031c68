#pragma once
// The layout of an Ibex display file (*.ibw): a 188-byte header followed by
// object records that each start with their own length. The one definition
// of every offset the program reads; readers, builders and writers use these
// names. Multi-byte numbers are little-endian except the airflow point
// reference, which is big-endian.
#include <cstdint>

namespace vorlix::ibw {

// --- header (IbexHdrRec), offsets from the start of the file -------------
inline constexpr int HeaderSize = 188;
namespace hdr {
inline constexpr int BitmapName = 0;      // text: bare file name or a path
inline constexpr int BackgroundKind = 65; // uint8: 2 bitmap, 0 none, else colour
inline constexpr int Byte70 = 70;         // uint8, copied to the BACtalk header
inline constexpr int Width = 72;          // uint16
inline constexpr int Height = 74;         // uint16
inline constexpr int Description = 76;    // text: the display title
inline constexpr int BackgroundColor = 118; // uint32 0x00BBGGRR
} // namespace hdr

inline constexpr uint8_t BackgroundNone = 0;
inline constexpr uint8_t BackgroundBitmap = 2;
inline constexpr uint8_t BackgroundShownColor = 3;

// --- object record (IbexObjRec), offsets from the start of the record ----
namespace obj {
inline constexpr int Length = 0;         // uint16, this word included
inline constexpr int X = 2;              // uint16
inline constexpr int Y = 4;              // uint16
inline constexpr int Width = 6;          // uint16
inline constexpr int Height = 8;         // uint16
inline constexpr int Code = 10;          // uint16: low byte control kind, high byte data kind
inline constexpr int KindFlag = 13;      // uint8: checkbox reversed / display button function code
inline constexpr int Options = 14;       // uint8: option bits (bit 6 = local job)
inline constexpr int Apex = 16;          // uint8
inline constexpr int PointRef = 18;      // uint32
inline constexpr int TemplateNumber = 22; // uint16: template opened by non-display buttons
inline constexpr int Level = 24;         // uint8
inline constexpr int CpNumber = 25;      // uint8
inline constexpr int FontValid = 27;     // uint8: 13 = the font block is valid
inline constexpr uint8_t FontValidMark = 13;
inline constexpr int ForeColor = 28;     // uint32
inline constexpr int BackColor = 32;     // uint32
inline constexpr int AlarmColor = 36;    // uint32
inline constexpr int FontPitch = 40;     // uint8
inline constexpr int FontWeight = 42;    // uint16
inline constexpr int FontStyle = 46;     // uint8
inline constexpr int FontName = 50;      // text

// Kind-specific fields.
inline constexpr int Caption = 88;        // text: texts, group boxes, buttons, checkboxes
inline constexpr int ActiveText = 88;     // text: digital values
inline constexpr int InactiveText = 108;  // text: digital values
inline constexpr int Units = 88;          // text: analog values
inline constexpr int CommandCaption = 90; // text: command button caption after ";" and the command
inline constexpr int Factor = 96;         // float64: analog values
inline constexpr int Decimals = 104;      // uint8: analog values
inline constexpr int Increment = 106;     // int16 tenths: prompted analog values
inline constexpr int Bitmaps = 88;        // 8 texts of BitmapSize bytes: graphics
inline constexpr int BitmapSize = 14;
inline constexpr int BitmapCount = 8;
inline constexpr int RangeCount = 200;    // uint16: analog graphic
inline constexpr int RangeLimits = 202;   // 4 x int16 tenths: analog graphic
inline constexpr int AirflowApex = 89;    // uint8
inline constexpr int AirflowCp = 91;      // uint8
inline constexpr int AirflowRef = 92;     // uint32 big-endian
} // namespace obj

// An airflow object's point fields are moved into the ordinary places of a
// scratch copy of the record's first bytes before the point is decoded.
inline constexpr int AirflowScratchSize = 104;

// Option byte bit: the target display or the bitmaps lie in the local job.
inline constexpr uint8_t LocalJobBit = 0x40;

// --- reading and walking -------------------------------------------------
// The program's file buffer: a display is read whole up to this size.
inline constexpr int BufferSize = 1048575;
// Appended after the data; read as a length word it ends the walk.
inline constexpr uint8_t EndMarkerByte = 0x0F;
// The walk ends at a length of 0 or of this and more, or at this position.
inline constexpr int MaxRecordLength = 255;
inline constexpr int WalkLimit = 61118; // 1-based position
inline constexpr int FirstRecordPosition = HeaderSize + 1; // 1-based
// Records of this length are stepped over by the translation grid.
inline constexpr int SkippedRecordLength = 22;

} // namespace vorlix::ibw
