#include "ibex/ApexReader.h"

#include "util/ByteReader.h"
#include "util/TextUtil.h"
#include "project/ControllerMap.h"
#include "ibex/JobFiles.h"

#include <QLocale>
#include <QSet>

namespace vorlix {

using namespace apexfile;

namespace {

// Operands per opcode; -1 marks 'B' (from the length) and 'C' (33).
constexpr std::array<int8_t, 256> buildOperandCounts()
{
    std::array<int8_t, 256> t{}; // every opcode not listed (and all above 'P') has none
    auto set = [&t](std::initializer_list<int> ops, int n) {
        for (int op : ops)
            t[static_cast<size_t>(op)] = static_cast<int8_t>(n);
    };
    set({'>', 'O'}, 1);
    set({0x03, 0x04, 0x05, 0x07, 0x0E, 0x0F, 0x1A, ' ', '"', '+', ',', '-', '4', 'P'}, 2);
    set({0x08, 0x0A, 0x0C, 0x10, 0x11, 0x12, 0x14, 0x17, 0x19, 0x1C, 0x1D, 0x1E, 0x1F, '!', '#', '$', '/',
         '0', 0x40, 'F', 'K'},
        3);
    set({0x06, 0x09, 0x13, 0x15, 0x16, '\'', '(', ')', '*', '.', 'G', 'L'}, 4);
    set({0x18, '7', '8', 'H', 'M'}, 5);
    set({';', '<'}, 6);
    set({0x0B, 0x0D, 0x1B, '&'}, 7);
    set({'%', '2', '3'}, 8);
    set({'='}, 10);
    set({'5', '9'}, 13);
    set({'6'}, 14);
    set({':'}, 15);
    set({'D', 'E'}, 17);
    set({'B', 'C'}, -1);
    return t;
}
constexpr std::array<int8_t, 256> kOperandCounts = buildOperandCounts();

// The class table: class number -> code of the type byte's high nibble.
// The first entry with the code wins.
constexpr uint8_t kClassCodes[15] = {0x40, 0xC0, 0xD0, 0x80, 0x10, 0x70, 0x60, 0x00,
                                     0x00, 0x20, 0x00, 0x20, 0x00, 0x50, 0x00};

QString suffixOf(uint8_t typeByte)
{
    switch (typeByte & 0x0C) {
    case 0x04: return QStringLiteral("-N");
    case 0x08: return QStringLiteral("-R");
    default: return {};
    }
}

struct TuxBits {
    int trunk, address, point, type;
};
TuxBits tuxBits(uint8_t b, uint16_t v)
{
    return {2 * (b & 3) + (v >> 15) + 1, (v >> 9) & 63, (v & 63) + 1, (v >> 6) & 7};
}

QString zoneTypeName(int type)
{
    static const char *names[] = {"DI", "DO", "AI", "AO"};
    // Types 4 to 7 have no name in the Ibex; show their number.
    return type < 4 ? QLatin1String(names[type]) : u'T' + QString::number(type);
}

struct Renderer {
    int apex = 0;
    QString decimalPoint = u"."_qs;
    QString minus = u"-"_qs;

    // A value in tenths as the shortest decimal text (120 is 12, 125 is
    // 12.5, -5 is -0.5), with the user's decimal separator.
    QString tenthsText(int16_t tenths) const
    {
        const int v = tenths;
        const int whole = std::abs(v) / 10;
        const int tenth = std::abs(v) % 10;
        QString t = v < 0 ? minus : QString();
        t += QString::number(whole);
        if (tenth != 0)
            t += decimalPoint + QChar(u'0' + tenth);
        return t;
    }
    const std::function<int32_t(int)> *baseAddr = nullptr;

    // Renders operand k of `rec`; `opText` (when given) receives the text
    // the transfer lines use.
    void render(DdcRecord &rec, int k, uint8_t b, uint16_t v, bool inCall, QString *opText) const
    {
        const int cls = operandClass(b, v);
        const int16_t sv = static_cast<int16_t>(v);
        QString &pt = rec.points[k - 1];
        bool counted = false;
        QString text;
        auto withValue = [&](const char *prefix, const QString &suffix) {
            return QLatin1String(prefix) + QString::number(sv) + suffix;
        };
        switch (cls) {
        case ocBR:
        case ocIbex:
        case ocG:
        case ocTP:
        case ocParam: {
            static const char *prefixes[] = {"BR-", nullptr, "IB-", nullptr, "G-", "S-", "TP-"};
            counted = true;
            if (cls == ocParam && v == 0)
                break;
            pt = withValue(prefixes[cls], QString());
            if (opText)
                text = withValue(prefixes[cls], suffixOf(b));
            break;
        }
        case ocTux: {
            const TuxBits t = tuxBits(b, v);
            pt = QString::number(t.trunk) + u'-' + QString::number(t.address);
            rec.tuxOperands |= uint64_t(1) << (k - 1);
            counted = true;
            if (opText) {
                const int32_t base = (baseAddr && *baseAddr) ? (*baseAddr)(t.trunk) : NotMapped;
                text = tuxRefText(base, t.address, t.type, t.point);
            }
            break;
        }
        case ocConst:
            pt = tenthsText(sv);
            counted = true;
            break;
        case ocFail:
        case ocInit:
        case ocMinMid:
            if (inCall)
                break;
            pt = QLatin1String(cls == ocFail ? "Fail" : cls == ocInit ? "Init" : "Min-Mid") + suffixOf(b);
            text = pt;
            counted = true;
            break;
        case ocZoneCustom:
            pt = u"ZC-"_qs + QString::number(sv + 1) + suffixOf(b);
            text = pt;
            break;
        case ocZoneGeneric:
            if (sv < 1 || sv > 32) {
                pt = u"<err>"_qs;
            } else {
                pt = suffixOf(b);
                text = pt;
            }
            break;
        case ocZoneTux: {
            const int offset = (v >> 9) & 63;
            const QString offText = offset == 0 ? QString() : (QString::number(offset) + u'-').left(2);
            pt = u"ZT-"_qs + offText + zoneTypeName((v >> 6) & 7) + u'-' + QString::number((v & 63) + 1) +
                 suffixOf(b);
            text = pt;
            break;
        }
        case ocPulse: {
            const TuxBits t = tuxBits(b, v);
            pt = u"P-"_qs + QString::number(t.trunk) + u'-' + QString::number(t.address) + u'-' +
                 QString::number(t.point) + suffixOf(b);
            text = pt;
            counted = true;
            break;
        }
        default:
            break;
        }
        if (pt.size() > kMaxPointText)
            pt.truncate(kMaxPointText);
        if (counted)
            ++rec.pointCount;
        if (opText)
            *opText = text;
    }
};

} // namespace

int operandCount(uint8_t opcode, uint8_t length)
{
    if (opcode == kOpCallFixed)
        return kMaxOperands;
    if (opcode == kOpCallVar)
        return (static_cast<int>(length) - 6) / 3; // truncates toward zero, as the Ibex does
    return kOperandCounts[opcode];
}

int operandTableClass(uint8_t typeByte)
{
    const uint8_t code = typeByte & 0xF0;
    for (int i = 0; i < 15; ++i)
        if (kClassCodes[i] == code)
            return i;
    return ocNone;
}

int operandClass(uint8_t typeByte, uint16_t value)
{
    const int cls = operandTableClass(typeByte);
    const int low = typeByte & 0x0F;
    if (cls == ocTP && (low == 2 || low == 6))
        return value == 1 ? ocInit : value == 2 ? ocMinMid : ocFail;
    if (cls == ocZoneCustom) {
        switch (low) {
        case 0: case 4: case 8: case 12: return ocZoneTux;
        case 1: case 5: case 9: return ocZoneCustom;
        case 2: case 6: case 10: return ocZoneGeneric;
        default: return ocNone;
        }
    }
    return cls;
}

QString tuxRefText(int32_t baseAddr, int address, int pointType, int point)
{
    static const char *objects[] = {"BI", "BO", "AI", "AO"};
    // A point type of 4 to 7 has no BACtalk object: as unusable as an
    // unmapped trunk.
    if (baseAddr == NotMapped || pointType < 0 || pointType > 3)
        return u"err"_qs;
    return QString::number(static_cast<int64_t>(baseAddr) + address) + u':' + QLatin1String(objects[pointType]) +
           u'-' + QString::number(point);
}

QString tuxRefText(ControllerMap &map, int apex, int trunk, int address, int pointType, int point)
{
    return tuxRefText(map.apexBaseAddr(apex, trunk), address, pointType, point);
}

QString PointTransfer::text() const
{
    return u"Seq:"_qs + QString::number(seq) + u"\tApex: "_qs + QString::number(apex) + u'\t' + ibexPoint + u'\t'
           + btPoint;
}

DdcProgram parseDdcFile(QByteArrayView data, int apex, bool collectTransfers,
                        const std::function<int32_t(int trunk)> &baseAddr)
{
    DdcProgram prog;
    if (data.size() < kMinParsedSize)
        return prog;
    const ByteReader c(data);
    Renderer r;
    r.apex = apex;
    const QLocale locale = QLocale::system();
    r.decimalPoint = locale.decimalPoint();
    r.minus = locale.negativeSign();
    r.baseAddr = &baseAddr;

    qsizetype cur = kHeaderSize;
    prog.records.reserve(static_cast<size_t>(std::min<qsizetype>(kMaxRecords, data.size() / 8 + 1)));
    while (static_cast<int>(prog.records.size()) < kMaxRecords) {
        // A record needs its number, length and opcode inside the data;
        // otherwise the data ends here (as if terminated).
        if (!c.has(cur, kOperands) || c.u16(cur + kSeq) == kTerminator)
            break;
        DdcRecord &rec = prog.records.emplace_back();
        rec.seq = c.u16(cur + kSeq);
        const uint8_t length = c.u8(cur + kLength);
        const uint8_t op = c.u8(cur + kOpcode);
        rec.dev = op;
        rec.ptCnt = static_cast<uint16_t>(std::clamp(operandCount(op, length), 0, kMaxOperands));
        rec.points.resize(rec.ptCnt);
        const bool call = isCall(op);
        const bool transfer = op == kOpTransfer && collectTransfers;
        QString opTexts[2];
        for (int k = 1; k <= rec.ptCnt; ++k) {
            const qsizetype at = cur + operandOffset(k);
            if (!c.has(at, kOperandSize))
                break; // the operands stop where the data does
            if (call && k == 1) {
                rec.callTo = c.u16(cur + kCallTarget);
                if (!prog.targetIndex.contains(rec.callTo)) {
                    prog.targetIndex.insert(rec.callTo, static_cast<int>(prog.targets.size()));
                    prog.targets.push_back(CallTarget{rec.callTo, {}, false});
                }
                continue;
            }
            r.render(rec, k, c.u8(at), c.u16BigEndian(at + 1), call, (transfer && k <= 2) ? &opTexts[k - 1] : nullptr);
        }
        const size_t linesBefore = prog.transfers.size();
        if (transfer && c.has(cur + operandOffset(2), kOperandSize)) {
            const int c1 = operandTableClass(c.u8(cur + operandOffset(1)));
            const int c2 = operandTableClass(c.u8(cur + operandOffset(2)));
            // The Ibex point always comes before the Tux point.
            if (c2 == ocIbex && c1 == ocTux)
                prog.transfers.push_back({rec.seq, apex, opTexts[1], opTexts[0]});
            else if (c1 == ocIbex && c2 == ocTux)
                prog.transfers.push_back({rec.seq, apex, opTexts[0], opTexts[1]});
        }
        if (length == 0) {
            // The cursor stays: every further record up to the cap decodes
            // the same bytes to the same statement.
            const DdcRecord same = prog.records.back();
            const bool withLine = prog.transfers.size() > linesBefore;
            const PointTransfer line = withLine ? prog.transfers.back() : PointTransfer{};
            prog.records.reserve(kMaxRecords);
            while (static_cast<int>(prog.records.size()) < kMaxRecords) {
                prog.records.push_back(same);
                if (withLine)
                    prog.transfers.push_back(line);
            }
            break;
        }
        cur += length;
    }
    return prog;
}

void resolveCallTargets(DdcProgram &prog)
{
    if (prog.targets.empty())
        return;
    const auto &recs = prog.records;
    const int n = static_cast<int>(recs.size());
    // For every record, what a walk from it to the end of its subroutine
    // finds: the last 'P' record and whether an 'O' record is on the way.
    std::vector<int> lastPanel(n, -1);
    std::vector<char> hasTux(n, 0);
    for (int i = n - 1; i >= 0; --i) {
        const uint16_t op = recs[i].dev;
        const bool ownPanel = op == kOpPanel;
        const bool ownTux = op == kOpTux;
        if (isSubroutineEnd(static_cast<uint8_t>(op)) || i == n - 1) {
            lastPanel[i] = ownPanel ? i : -1;
            hasTux[i] = ownTux;
        } else {
            lastPanel[i] = lastPanel[i + 1] >= 0 ? lastPanel[i + 1] : (ownPanel ? i : -1);
            hasTux[i] = ownTux || hasTux[i + 1];
        }
    }
    QHash<uint16_t, int> firstBySeq;
    firstBySeq.reserve(n);
    for (int i = 0; i < n; ++i)
        if (!firstBySeq.contains(recs[i].seq))
            firstBySeq.insert(recs[i].seq, i);
    for (CallTarget &t : prog.targets) {
        const auto it = firstBySeq.constFind(t.target);
        if (it == firstBySeq.constEnd())
            continue;
        const int p = lastPanel[*it];
        if (p >= 0)
            t.cpText = recs[p].point(1) + u',' + recs[p].point(2);
        if (hasTux[*it])
            t.tux = true;
    }
}

QString resolveParam(const QString &text, const DdcRecord &call)
{
    if (!text.contains(u"S-"_qs))
        return text;
    QString rest = text.mid(2);
    const int32_t n = nextTokenInt(rest, u',');
    if (n < 1 || n > kMaxOperands - 1)
        return {};
    return call.point(n + 1);
}

CallRow callRowOf(const DdcProgram &prog, const DdcRecord &call)
{
    CallRow row;
    row.sequence = call.seq;
    row.callTo = call.callTo;
    QString cpText = u"9999"_qs;
    QString tuxText = u"9-1"_qs;
    const auto it = prog.targetIndex.constFind(call.callTo);
    if (it != prog.targetIndex.constEnd()) {
        const CallTarget &d = prog.targets[static_cast<size_t>(*it)];
        if (!d.cpText.isEmpty()) {
            tuxText = d.cpText;
            cpText = nextToken(tuxText, u',');
            if (!cpText.isEmpty() && !tuxText.isEmpty()) {
                cpText = resolveParam(cpText, call);
                tuxText = resolveParam(tuxText, call);
            }
        }
        row.expanded = d.tux;
    }
    // The upsert takes 16-bit numbers: a negative number is far above 9999.
    row.cpNumber = nextTokenInt16(cpText, u',');
    row.trunk = nextTokenInt16(tuxText, u'-');
    row.address = nextTokenInt16(tuxText, u',');
    return row;
}

void buildCpanelMap(ControllerMap &map, int apex, DdcProgram &prog, bool lostTux)
{
    resolveCallTargets(prog);
    for (const DdcRecord &rec : prog.records) {
        if (!isCall(static_cast<uint8_t>(rec.dev)))
            continue;
        const CallRow row = callRowOf(prog, rec);
        map.putCpanelMap(apex, row.sequence, row.callTo, row.cpNumber, row.trunk, row.address, row.expanded);
    }
    if (!lostTux)
        return;
    // Tux controllers that no row names yet get a row of their own. Once a
    // pair was seen it has a row, so it is asked only once.
    QSet<int> seen;
    for (const DdcRecord &rec : prog.records) {
        const int count = std::min<int>(rec.pointCount, kMaxOperands);
        for (int k = 1; k <= count; ++k) {
            if (!rec.isTux(k))
                continue;
            QString text = rec.point(k);
            const int trunk = nextTokenInt16(text, u'-');
            const int address = nextTokenInt16(text, u',');
            const int key = trunk * 65536 + address;
            if (seen.contains(key))
                continue;
            seen.insert(key);
            if (!map.cpanelTuxExists(apex, trunk, address))
                map.putCpanelMap(apex, 10000 + 100 * trunk + address, 9999, 9999, trunk, address, false);
        }
    }
}

QString ApexReader::fileName(int apex) { return QString::asprintf("apex%.2d.adc", apex); }

void ApexReader::scanTable(const QString &jobFolder, int apex, QStringList &missing)
{
    filesRead += forEachApexFile(m_map, jobFolder, apex < 0 ? 0 : apex, apex < 0 ? 31 : apex, &fileName,
                                 kMaxReachedBytes, missing, onApex,
                                 [this](int a, const QString &, const QByteArray &bytes) {
                                     DdcProgram prog = parseDdcFile(bytes, a, false);
                                     buildCpanelMap(m_map, a, prog, lostTux);
                                 });
}

std::vector<PointTransfer> ApexReader::scanListing(const QString &jobFolder, int apex, QStringList &missing)
{
    std::vector<PointTransfer> transfers;
    QSet<QString> seen;
    const auto perFile = [&](int a, const QString &, const QByteArray &bytes) {
        std::array<int32_t, 4> bases{};
        for (int t = 1; t <= 4; ++t)
            bases[t - 1] = m_map.apexBaseAddr(a, t);
        const std::function<int32_t(int)> baseAddr = [&bases](int trunk) {
            return trunk >= 1 && trunk <= 4 ? bases[trunk - 1] : NotMapped;
        };
        const DdcProgram prog = parseDdcFile(bytes, a, true, baseAddr);
        for (const PointTransfer &t : prog.transfers) {
            const QString text = t.text();
            if (!seen.contains(text)) {
                seen.insert(text);
                transfers.push_back(t);
            }
        }
    };
    filesRead += forEachApexFile(m_map, jobFolder, apex < 0 ? 0 : apex, apex < 0 ? 31 : apex, &fileName,
                                 kMaxReachedBytes, missing, onApex, perFile);
    return transfers;
}

} // namespace vorlix
