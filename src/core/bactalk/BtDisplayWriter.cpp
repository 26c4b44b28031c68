#include "bactalk/BtDisplayWriter.h"

#include "util/ByteWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/Prompter.h"
#include "bactalk/BtDefaultRecords.h"

namespace vorlix::bt {

BtDisplayWriter::BtDisplayWriter() : m_buf(std::make_unique_for_overwrite<uint8_t[]>(ObjBufSize))
{
    m_offsets.reserve(MaxDisplayObjects);
}

void BtDisplayWriter::reset()
{
    writePos = 1;
    objBytes = 0;
    objCount = 0;
    m_offsets.clear();
}

ByteWriter BtDisplayWriter::buffer() { return ByteWriter(m_buf.get(), ObjBufSize); }

void BtDisplayWriter::requireRoom(int bytes) const
{
    if (writePos - 1 + bytes > ObjBufSize)
        throw Error(QStringLiteral("The display object buffer has no room for %1 more bytes.").arg(bytes));
}

void BtDisplayWriter::btCreateHeader()
{
    const QByteArray &h = defaultHeader();
    requireRoom(static_cast<int>(h.size()));
    buffer().bytes(writePos - 1, h);
    writePos += hdr::Size;
    objBytes += hdr::Size;
}

BufferState BtDisplayWriter::bufferState() const
{
    if (objCount >= MaxDisplayObjects)
        return BufferState::MaxObjects;
    if (objBytes + ObjectReserve > ObjBufSize)
        return BufferState::OutOfSpace;
    return BufferState::Room;
}

bool BtDisplayWriter::bufferFull(Prompter *prompter) const
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
    const int index = writePos - 1;
    buffer().bytes(index, def);
    objBytes += size;
    writePos += size;
    ++objCount;
    m_offsets.push_back(index);
    return BtRecord(m_buf.get() + index, size);
}

BtRecord BtDisplayWriter::appendLogin(const QString &caption)
{
    if (bufferState() != BufferState::Room)
        throw Error(QStringLiteral("No further object fits into the display."));
    const QByteArray &def = defaultRecord(RecordKind::Login);
    requireRoom(static_cast<int>(def.size()));
    const int index = writePos - 1;
    buffer().bytes(index, def);
    BtRecord full(m_buf.get() + index, static_cast<int>(def.size()));
    const int captionBytes = full.putText(login::Caption, login::CaptionLen, caption);
    const int size = login::Caption + captionBytes;
    full.setU16(obj::Size, static_cast<uint16_t>(size));
    objBytes += size;
    writePos += size;
    ++objCount;
    m_offsets.push_back(index);
    return BtRecord(m_buf.get() + index, size);
}

BtRecord BtDisplayWriter::header() { return BtRecord(m_buf.get(), hdr::Size); }

void BtDisplayWriter::finishDisplay()
{
    requireRoom(2);
    buffer().u16(writePos - 1, EndMarker);
    writePos += 1;
    objBytes += 2;
    BtRecord h = header();
    h.setU32(hdr::EndOffset, static_cast<uint32_t>(objBytes - 2));
    h.setU16(hdr::ObjectCount, static_cast<uint16_t>(objCount & 0xFFFF));
}

QByteArray BtDisplayWriter::bytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_buf.get()), objBytes);
}

void BtDisplayWriter::writeDisplayFile(const QString &path) const
{
    // No copy of the buffer: the file is written straight from it.
    const QByteArray view = QByteArray::fromRawData(reinterpret_cast<const char *>(m_buf.get()), objBytes);
    writeFileAtomically(path, view);
}

} // namespace vorlix::bt
