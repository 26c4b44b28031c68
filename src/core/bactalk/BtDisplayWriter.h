#pragma once
// Assembles a BACtalk display in one preallocated object buffer: the header,
// the object records in creation order and the end marker, then writes the
// file in one piece (atomically: a failure leaves an existing file as it was).
#include "bactalk/BtRecord.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace vorlix {
class ByteWriter;
class Prompter;
} // namespace vorlix

namespace vorlix::bt {

inline constexpr int ObjBufSize = 1048575;
inline constexpr int MaxDisplayObjects = 256;
// Room kept free before each object: more than the largest record.
inline constexpr int ObjectReserve = 548;

inline constexpr auto MsgMaxObjects = "Maximum object count reached!";
inline constexpr auto MsgOutOfSpace = "Object buffer is out of space!";

enum class BufferState { Room, MaxObjects, OutOfSpace };

class BtDisplayWriter {
public:
    BtDisplayWriter();

    // Counters back to the start of a run (writePos 1, no objects, no bytes).
    void reset();
    // Copies the default header to the start of the buffer.
    void btCreateHeader();

    BufferState bufferState() const;
    // True when no further object may be added; tells the reason through
    // `prompter` (information box) when one is given.
    bool bufferFull(Prompter *prompter) const;

    // Appends a copy of `kind`'s default record and returns it for filling.
    // Throws Error when the buffer is full (callers test bufferFull first).
    BtRecord append(RecordKind kind);
    // Appends a login pushbutton with its caption (at most 47 characters):
    // the default record is copied, the caption placed and Size set, and the
    // record is counted with its real size (121 + caption bytes + NUL).
    BtRecord appendLogin(const QString &caption);

    // The header record of the display being built.
    BtRecord header();

    // End marker, file length and object count into the header.
    void finishDisplay();
    // Writes the first objBytes bytes to `path`, replacing any file there.
    // Throws Error naming the file; an existing file is kept on failure.
    void writeDisplayFile(const QString &path) const;

    // The file image built so far (the first objBytes bytes).
    QByteArray bytes() const;

    int writePos = 1; // 1-based position of the next record
    int objBytes = 0;
    int objCount = 0;
    // Buffer index of each object record, in creation order.
    const std::vector<int> &recordOffsets() const { return m_offsets; }

private:
    void requireRoom(int bytes) const;
    // Writes into the object buffer, never past its end.
    ByteWriter buffer();

    // Not cleared when made: only bytes written are ever read, and pages
    // never written cost nothing.
    std::unique_ptr<uint8_t[]> m_buf;
    std::vector<int> m_offsets;
};

} // namespace vorlix::bt
