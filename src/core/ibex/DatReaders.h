#pragma once
// The Apex data files: PNTSnn.DAT (point setups), PDATnn.DAT (point values)
// and CNTPnn.DAT (control-panel names), decoded into rows for IbexPtMap and
// CpanelNames.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace vorlix {

class ControllerMap;

// PNTSnn.DAT: a 28-byte header, then 68-byte point records.
namespace pntsfile {
inline constexpr qsizetype kHeaderSize = 28;
inline constexpr qsizetype kRecordSize = 68;
inline constexpr qsizetype kNumber = 0;       // u16; 0xFFFF ends the list
inline constexpr qsizetype kType = 4;         // u16: 1 BI, 2 AI, 3 BO, 4 AO
inline constexpr qsizetype kDescription = 38; // text
inline constexpr qsizetype kDescriptionSize = 30;
inline constexpr int kMaxRecords = 1010;
inline constexpr int kMaxPoint = 1000;
inline constexpr qsizetype kMaxReachedBytes = kHeaderSize + kMaxRecords * kRecordSize;
} // namespace pntsfile

// PDATnn.DAT: variable-length blocks from offset 0.
namespace pdatfile {
inline constexpr qsizetype kLength = 0;  // u16 L: the block takes L + 2 bytes
inline constexpr qsizetype kKind = 2;    // u8; 0xFF ends the list
inline constexpr qsizetype kCount = 3;   // u8: values in the block
inline constexpr qsizetype kBase = 6;    // u16: value j is point base + j
inline constexpr qsizetype kValues = 8;  // value j (s16, tenths) at 8 + 3(j-1)
inline constexpr qsizetype kValueStride = 3;
inline constexpr uint8_t kPointValues = 2;
inline constexpr uint8_t kEndKind = 0xFF;
// Point-value files are a few KiB; anything this large is not one.
inline constexpr qsizetype kMaxFileBytes = qsizetype(64) * 1024 * 1024;
} // namespace pdatfile

// CNTPnn.DAT: a 28-byte header, then 78-byte panel records.
namespace cntpfile {
inline constexpr qsizetype kHeaderSize = 28;
inline constexpr qsizetype kRecordSize = 78;
inline constexpr qsizetype kNumber = 0; // u16; 0xFFFF ends the list
inline constexpr qsizetype kName = 48;  // text
inline constexpr qsizetype kNameSize = 30;
inline constexpr int kMaxRecords = 360;
inline constexpr int kMaxPanel = 256;
inline constexpr qsizetype kMaxReachedBytes = kHeaderSize + kMaxRecords * kRecordSize;
} // namespace cntpfile

inline constexpr uint16_t kDatListEnd = 0xFFFF;

struct PointSetup {
    int point = 0;
    int type = 0;
    QString description;
};
struct PointValue {
    int point = 0;
    double value = 0.0;
};
struct PanelName {
    int number = 0;
    QString name;
};

// The records each file stores, in file order. A field that reaches past
// the data holds only the bytes present; a text ends at its first zero
// byte, at its field's end or at the end of the data.
std::vector<PointSetup> decodePnts(QByteArrayView data);
std::vector<PointValue> decodePdat(QByteArrayView data);
std::vector<PanelName> decodeCntp(QByteArrayView data);

// The readers walk Apex 0 to 31, read the file of every mapped Apex and
// report missing files of mapped Apexes by bare name. A file that cannot be
// read ends the walk with an Error naming it.
class DatReaders {
public:
    explicit DatReaders(ControllerMap &map) : m_map(map) {}

    // Called once per Apex before its file is looked at.
    std::function<void(int apex)> onApex;
    // Files read so far.
    int filesRead = 0;

    void readPntsFiles(const QString &jobFolder, QStringList &missing);
    void readPdatFiles(const QString &jobFolder, QStringList &missing);
    void readCntpFiles(const QString &jobFolder, QStringList &missing);

    static QString pntsName(int apex); // pntsNN.dat
    static QString pdatName(int apex);
    static QString cntpName(int apex);

private:
    ControllerMap &m_map;
};

} // namespace vorlix
