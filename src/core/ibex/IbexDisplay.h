#pragma once
// One Ibex display file in memory: the file's bytes (read whole, with the end
// marker appended), the walk over its object records and bounded access to
// the fields of the header and of each record. A loaded display owns its
// bytes: reading other files never changes it.
#include "ibex/IbexDisplayLayout.h"
#include "ibex/IbexObject.h"
#include "util/ByteReader.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix {

// An object record: a bounded view into the display's bytes at its 1-based
// position. Fields are read by their offsets in the record; a byte outside
// the bytes reads as 0, and texts end at `textEnd` (an index into `bytes`;
// the end of the array when negative).
class IbexObjRec : public ByteReader {
public:
    IbexObjRec() = default;
    IbexObjRec(const QByteArray *bytes, int position, int textEnd = -1)
        : ByteReader(bytes ? ByteReader(*bytes, textEnd).at(position - 1) : ByteReader()), m_position(position)
    {
    }

    int position() const { return m_position; } // 1-based
    uint16_t length() const { return u16(ibw::obj::Length); }
    uint16_t code() const { return u16(ibw::obj::Code); }
    IbexObject kind() const { return objectKindOf(code()); }
    uint8_t kindFlag() const { return u8(ibw::obj::KindFlag); }
    uint8_t options() const { return u8(ibw::obj::Options); }
    uint8_t apex() const { return u8(ibw::obj::Apex); }
    uint8_t cpNumber() const { return u8(ibw::obj::CpNumber); }
    uint32_t pointRef() const { return u32(ibw::obj::PointRef); }
    QString caption() const { return text(ibw::obj::Caption); }
    QString commandCaption() const { return text(ibw::obj::CommandCaption); }
    // Graphic bitmap name i (1 to 8).
    QString bitmapName(int i) const { return text(ibw::obj::Bitmaps + ibw::obj::BitmapSize * (i - 1), ibw::obj::BitmapSize); }

private:
    int m_position = 0;
};

// The airflow scratch record: the first 104 bytes of an airflow object with
// its Apex (89), control panel (91) and byte-reversed point reference (92)
// moved to the ordinary places 16, 25 and 18, so the ordinary point decoding
// reads it.
QByteArray airflowScratchRecord(const IbexObjRec &rec);

// Bit 6 of an object's option byte: its target display or bitmaps lie in the
// local job.
inline bool isLocalJobBit(uint8_t options) { return (options & ibw::LocalJobBit) != 0; }

class IbexDisplay {
public:
    IbexDisplay() = default;

    // Reads the whole file (up to the buffer size) and appends the end
    // marker. Throws Error naming the file when it cannot be read.
    static IbexDisplay read(const QString &path);
    // The same from bytes already in memory (tests, fuzzing).
    static IbexDisplay fromBytes(const QByteArray &fileBytes);

    // Length of the file data (without the end marker).
    int dataLength() const { return m_length; }
    bool isEmpty() const { return m_length == 0; }

    // The header fields.
    ByteReader header() const { return ByteReader(m_bytes, m_length); }
    QString description() const { return header().text(ibw::hdr::Description); }
    QString bitmapName() const { return header().text(ibw::hdr::BitmapName); }
    uint8_t backgroundKind() const { return header().u8(ibw::hdr::BackgroundKind); }
    uint32_t backgroundColor() const { return header().u32(ibw::hdr::BackgroundColor); }

    // The 1-based positions of the object records in file order. The walk
    // starts after the header and ends at a length of 0 or of 255 and more
    // (the end marker included), at position 61118, or at a length word
    // that is not wholly inside the file's data (so a file too short to
    // hold a header and one length word has no records).
    std::vector<int> walkObjectRecords() const;

    // Where the damage starts when the walk did not end exactly at the end
    // of the file's data: the 0-based file offset of the length word that
    // stopped it (a damaged length, the position limit), of the last record
    // when the end of the file cuts that record short, or of the first
    // record when the file is too short to hold one. -1 when the walk ended
    // exactly at the end of the data.
    int walkStopOffset() const;

    IbexObjRec record(int position) const { return IbexObjRec(&m_bytes, position, m_length); }

    // The data with the end marker, as the walk reads it.
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    int m_length = 0;
};

} // namespace vorlix
