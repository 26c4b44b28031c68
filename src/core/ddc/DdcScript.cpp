#include "ddc/DdcScript.h"

#include "project/ControllerMap.h"
#include "project/ProjectDatabase.h"
#include "util/Ansi.h"
#include "util/NullChecks.h"

#include <QSqlQuery>
#include <algorithm>
#include <array>

namespace vorlix {

namespace {

constexpr int kColumns = 8;
constexpr double kFirstPin = 1.4505;
constexpr double kColumnStep = 2.0;
constexpr double kRowStep = 1.5;
constexpr double kPageHeight = 11.0;
// The end block of a subroutine frame sits in the last row.
constexpr int kFrameEndSlot = 52;
// The sequence that stands for "to the end of the program".
constexpr int kOpenEnd = 9999;

// The functions of the drawing tool's blocks.
constexpr char kFunctionCall[] = "67";
constexpr char kFunctionEnd[] = "1";
constexpr char kFunctionSubEnd[] = "2";
constexpr char kFunctionSubStart[] = "3";

// The script's lines, indented as the drawing tool writes them.
constexpr char kHeader[] =
    "     <scriptOptions  startCurrentPage=\"Y\"  useDeviceSettings=\"N\"  usePointDatabase=\"Y\" />\r\n"
    "     <configuration>\r\n"
    "       <pointDatabase>\r\n"
    "       </pointDatabase>\r\n"
    "     </configuration>\r\n"
    "     <fontStyles>\r\n"
    "       <fontStyle  id=\"1\">\r\n"
    "         <item  cell=\"angle\"  val=\"0\" />\r\n"
    "       </fontStyle>\r\n"
    "     </fontStyles>\r\n"
    "     <pages>\r\n";
constexpr char kPageClose[] = "         </ddc>\r\n"
                              "       </page>\r\n";
constexpr char kDeviceClose[] = "           </device>\r\n";
constexpr char kEnd[] = "    </pages>\r\n"
                        "  </ddcScript>\r\n";

// Builds the text of one script; the device id runs on across pages.
class ScriptWriter {
public:
    explicit ScriptWriter(const QLocale &locale)
    {
        for (int slot = 0; slot < kScriptSlotsPerPage; ++slot) {
            m_pinX[slot] = ansi::encode(locale.toString(scriptPinX(slot), 'g', 15));
            m_pinY[slot] = ansi::encode(locale.toString(scriptPinY(slot), 'g', 15));
        }
    }

    void header(const QString &createDate)
    {
        m_out += "  <ddcScript  platform=\"pellum\"  createDate=\"";
        m_out += ansi::encode(createDate);
        m_out += "\"  ddcVerList=\"3,4,6,\"  multiPage=\"Y\" >\r\n";
        m_out += kHeader;
    }

    void openPage(int index, const char *name)
    {
        m_out += "       <page  index=\"";
        m_out += QByteArray::number(index);
        m_out += "\"  name=\"";
        m_out += name;
        m_out += "\" >\r\n"
                 "         <ddc  pinX=\"0\"  pinY=\"0\"  >\r\n";
    }

    void closePage() { m_out += kPageClose; }

    // A block; `callTo` empty for the frame blocks, `param` empty for none.
    void device(const char *function, const QByteArray &sequence, const QByteArray &callTo, int slot,
                const QByteArray &param = {})
    {
        m_out += "           <device  id=\"";
        m_out += QByteArray::number(m_deviceId++);
        m_out += "\" function=\"";
        m_out += function;
        m_out += "\"  sequence=\"";
        m_out += sequence;
        m_out += "\" callto=\"";
        m_out += callTo;
        m_out += "\"  pinX=\"";
        m_out += m_pinX[slot];
        m_out += "\" pinY=\"";
        m_out += m_pinY[slot];
        m_out += "\">\r\n";
        if (!param.isEmpty()) {
            m_out += "             <param index=\"1\" obj=\"";
            m_out += param;
            m_out += "\" />\r\n";
        }
        m_out += kDeviceClose;
    }

    void end() { m_out += kEnd; }
    void reserve(qsizetype bytes) { m_out.reserve(bytes); }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
    int m_deviceId = 0;
    std::array<QByteArray, kScriptSlotsPerPage> m_pinX, m_pinY;
};

} // namespace

double scriptPinX(int slot) { return kFirstPin + kColumnStep * (slot % kColumns); }

double scriptPinY(int slot) { return kPageHeight - (kFirstPin + kRowStep * (slot / kColumns)); }

namespace {
// A time format without its time zone ("t" outside quotes, with the blank
// before it): Windows' long time never shows one.
QString withoutTimeZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't') {
            out += c;
            continue;
        }
        while (out.endsWith(u' '))
            out.chop(1);
    }
    return out.trimmed();
}
} // namespace

QString scriptCreateDate(const QDateTime &when, const QLocale &locale)
{
    return locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

QByteArray buildDdcScript(const QList<ScriptCall> &calls, const QString &createDate, const QLocale &locale)
{
    // The calls in statement order; the distinct call targets in ascending order.
    QList<ScriptCall> ordered = calls;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ScriptCall &a, const ScriptCall &b) { return a.seq < b.seq; });
    QList<uint16_t> targets;
    for (const ScriptCall &c : calls)
        targets << c.callTo;
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());

    ScriptWriter w(locale);
    w.reserve(1024 + 230 * (ordered.size() + 2 * targets.size()));
    w.header(createDate);

    int page = 1;
    int slot = 0;
    w.openPage(page, "SC");
    for (const ScriptCall &c : ordered) {
        const QByteArray param = c.address.isEmpty() ? QByteArray() : ansi::encode(c.address) + ":BV-1";
        w.device(kFunctionCall, QByteArray::number(c.seq), QByteArray::number(c.callTo), slot, param);
        if (++slot == kScriptSlotsPerPage) {
            w.closePage();
            w.openPage(++page, "SC");
            slot = 0;
        }
    }
    w.closePage();

    // The end of the main program: one before the first subroutine (a
    // subroutine at statement 0 gives -1).
    w.openPage(++page, "EN");
    const int endSeq = targets.isEmpty() ? kOpenEnd : int(targets.first()) - 1;
    w.device(kFunctionEnd, QByteArray::number(endSeq), {}, 0);
    w.closePage();

    // One frame per subroutine, up to the statement before the next one.
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const int start = targets[i];
        const int last = i + 1 < targets.size() ? int(targets[i + 1]) - 1 : kOpenEnd;
        w.openPage(++page, "SR");
        w.device(kFunctionSubStart, QByteArray::number(start), {}, 0, QByteArrayLiteral("SU-0"));
        w.device(kFunctionSubEnd, QByteArray::number(last), {}, kFrameEndSlot);
        w.closePage();
    }
    w.end();
    return w.take();
}

QList<ScriptCall> scriptCalls(ProjectDatabase &pdb, ControllerMap &map, int apex, int com)
{
    const qint64 base = map.apexBaseAddr(apex, com);
    QSqlQuery &q = pdb.prepared(
        u"SELECT Sequence, CallTo, Address FROM CpanelMap WHERE Apex = ? AND Trunk = ? "
        "AND +CallTo IS NOT NULL AND +CallTo <> '' ORDER BY +CPanelNumber, rowid"_qs);
    q.bindValue(0, apex);
    q.bindValue(1, com);
    ProjectDatabase::run(q);
    QList<ScriptCall> calls;
    while (q.next()) {
        ScriptCall c;
        c.seq = static_cast<uint16_t>(nullToLong(q.value(0)));
        c.callTo = static_cast<uint16_t>(nullToLong(q.value(1)));
        const QVariant address = q.value(2);
        if (!address.isNull() && !address.toString().isEmpty())
            c.address = QString::number(nullToLong(address) + base);
        calls << c;
    }
    q.finish();
    return calls;
}

QString frameworkScriptName(int32_t devId) { return QStringLiteral("Framework-Script-Dev-%1.dsr").arg(devId); }

} // namespace vorlix
