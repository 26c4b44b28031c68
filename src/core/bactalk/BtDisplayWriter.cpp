#include "bactalk/BtDisplayWriter.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/Prompter.h"
#include "bactalk/BtDefaultRecords.h"

#include <cstring>

namespace vorlix::bt {

BtDisplayWriter::BtDisplayWriter() : m_buf(ObjBufSize, 0)
{
    m_offsets.reserve(MaxDisplayObjects);
}

void BtDisplayWriter::reset()
{
    WritePos = 1;
    ObjBytes = 0;
    ObjCount = 0;
    m_offsets.clear();
}

void BtDisplayWriter::requireRoom(int bytes) const
{
    if (WritePos - 1 + bytes > ObjBufSize)
        throw Error(QStringLiteral("The display object buffer has no room for %1 more bytes.").arg(bytes));
}

void BtDisplayWriter::BTCreateHeader()
{
    const QByteArray &h = defaultHeader();
    requireRoom(static_cast<int>(h.size()));
    std::memcpy(m_buf.data() + WritePos - 1, h.constData(), static_cast<size_t>(h.size()));
    WritePos += hdr::Size;
    ObjBytes += hdr::Size;
}

BufferState BtDisplayWriter::bufferState() const
{
    if (ObjCount >= MaxDisplayObjects)
        return BufferState::MaxObjects;
    if (ObjBytes + ObjectReserve > ObjBufSize)
        return BufferState::OutOfSpace;
    return BufferState::Room;
}

bool BtDisplayWriter::BufferFull(Prompter *prompter) const
{
    const BufferState s = bufferState();
    if (s == BufferState::Room)
        return false;
    if (prompter)
        prompter->inform(QString::fromLatin1(s == BufferState::MaxObjects ? MsgMaxObjects : MsgOutOfSpace));
    return true;
}

BtRecord BtDisplayWriter::append(RecordKind kind)
{
    if (bufferState() != BufferState::Room)
        throw Error(QStringLiteral("No further object fits into the display."));
    const QByteArray &def = defaultRecord(kind);
    const int size = static_cast<int>(def.size());
    requireRoom(size);
    const int index = WritePos - 1;
    std::memcpy(m_buf.data() + index, def.constData(), static_cast<size_t>(size));
    ObjBytes += size;
    WritePos += size;
    ++ObjCount;
    m_offsets.push_back(index);
    return BtRecord(m_buf.data() + index, size);
}

BtRecord BtDisplayWriter::appendLogin(const QString &caption)
{
    if (bufferState() != BufferState::Room)
        throw Error(QStringLiteral("No further object fits into the display."));
    const QByteArray &def = defaultRecord(RecordKind::Login);
    requireRoom(static_cast<int>(def.size()));
    const int index = WritePos - 1;
    std::memcpy(m_buf.data() + index, def.constData(), static_cast<size_t>(def.size()));
    BtRecord full(m_buf.data() + index, static_cast<int>(def.size()));
    const int captionBytes = full.putText(login::Caption, login::CaptionLen, caption);
    const int size = login::Caption + captionBytes;
    full.setU16(obj::Size, static_cast<uint16_t>(size));
    ObjBytes += size;
    WritePos += size;
    ++ObjCount;
    m_offsets.push_back(index);
    return BtRecord(m_buf.data() + index, size);
}

BtRecord BtDisplayWriter::header() { return BtRecord(m_buf.data(), hdr::Size); }

BtRecord BtDisplayWriter::recordAt(int index)
{
    if (index < 0 || index + 2 > ObjBytes)
        throw Error(QStringLiteral("No display record at %1.").arg(index));
    BtRecord len(m_buf.data() + index, 2);
    const int size = len.u16(obj::Size);
    if (index + size > ObjBytes)
        throw Error(QStringLiteral("No display record at %1.").arg(index));
    return BtRecord(m_buf.data() + index, size);
}

void BtDisplayWriter::FinishDisplay()
{
    requireRoom(2);
    m_buf[static_cast<size_t>(WritePos - 1)] = 0xFF;
    m_buf[static_cast<size_t>(WritePos)] = 0xFF;
    WritePos += 1;
    ObjBytes += 2;
    BtRecord h = header();
    h.setU32(hdr::EndOffset, static_cast<uint32_t>(ObjBytes - 2));
    h.setU16(hdr::ObjectCount, static_cast<uint16_t>(ObjCount & 0xFFFF));
}

QByteArray BtDisplayWriter::bytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_buf.data()), ObjBytes);
}

void BtDisplayWriter::WriteDisplayFile(const QString &path) const
{
    // No copy of the buffer: the file is written straight from it.
    const QByteArray view = QByteArray::fromRawData(reinterpret_cast<const char *>(m_buf.data()), ObjBytes);
    writeFileAtomically(path, view);
}

} // namespace vorlix::bt
