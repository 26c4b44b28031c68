// DDC framework scripts: whole texts, byte for byte, for the page layout,
// the end and subroutine pages, and the pin coordinates in two locales.
#include "ddc/DdcScript.h"
#include "project/ControllerMap.h"

#include "support/TestProject.h"

#include <QStringList>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

const QString kDate = u"14.06.2024 09:30:00"_qs;

// The pin coordinates of the eight columns and seven rows of a page, as the
// drawing tool expects them (written out here, not computed).
const char *const kPinX[8] = {"1.4505", "3.4505", "5.4505", "7.4505", "9.4505", "11.4505", "13.4505", "15.4505"};
const char *const kPinY[7] = {"9.5495", "8.0495", "6.5495", "5.0495", "3.5495", "2.0495", "0.5495"};

// The expected script, line by line, from the script format's templates.
class Expected {
public:
    explicit Expected(bool comma = false) : m_comma(comma)
    {
        m_lines << u"  <ddcScript  platform=\"pellum\"  createDate=\""_qs + kDate +
                       u"\"  ddcVerList=\"3,4,6,\"  multiPage=\"Y\" >"_qs
                << u"     <scriptOptions  startCurrentPage=\"Y\"  useDeviceSettings=\"N\"  usePointDatabase=\"Y\" />"_qs
                << u"     <configuration>"_qs << u"       <pointDatabase>"_qs << u"       </pointDatabase>"_qs
                << u"     </configuration>"_qs << u"     <fontStyles>"_qs << u"       <fontStyle  id=\"1\">"_qs
                << u"         <item  cell=\"angle\"  val=\"0\" />"_qs << u"       </fontStyle>"_qs
                << u"     </fontStyles>"_qs << u"     <pages>"_qs;
    }
    void page(int index, const char *name)
    {
        m_lines << QStringLiteral("       <page  index=\"%1\"  name=\"%2\" >").arg(index).arg(QLatin1String(name))
                << u"         <ddc  pinX=\"0\"  pinY=\"0\"  >"_qs;
    }
    void closePage() { m_lines << u"         </ddc>"_qs << u"       </page>"_qs; }
    void device(const QString &function, const QString &seq, const QString &callTo, int slot,
                const QString &obj = {})
    {
        m_lines << QStringLiteral("           <device  id=\"%1\" function=\"%2\"  sequence=\"%3\" callto=\"%4\"  "
                                  "pinX=\"%5\" pinY=\"%6\">")
                       .arg(m_id++)
                       .arg(function, seq, callTo, pin(kPinX[slot % 8]), pin(kPinY[slot / 8]));
        if (!obj.isEmpty())
            m_lines << QStringLiteral("             <param index=\"1\" obj=\"%1\" />").arg(obj);
        m_lines << u"           </device>"_qs;
    }
    void end() { m_lines << u"    </pages>"_qs << u"  </ddcScript>"_qs; }
    const QStringList &lines() const { return m_lines; }

private:
    QString pin(const char *text) const
    {
        QString s = QLatin1String(text);
        return m_comma ? s.replace(u'.', u',') : s;
    }
    QStringList m_lines;
    int m_id = 0;
    bool m_comma;
};

// The script's bytes as lines: CR LF after every line, the last included,
// no byte-order mark, nothing but Windows-1252.
QStringList linesOf(const QByteArray &script)
{
    EXPECT_FALSE(script.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(script.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(script).split(u"\r\n"_qs);
    EXPECT_EQ(lines.takeLast(), QString());
    for (const QString &l : lines)
        EXPECT_FALSE(l.contains(u'\r') || l.contains(u'\n')) << l.toStdString();
    return lines;
}

void expectSameLines(const QStringList &actual, const QStringList &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i)
        ASSERT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

QList<ScriptCall> callsTo(int count, uint16_t callTo)
{
    QList<ScriptCall> calls;
    for (int i = 0; i < count; ++i)
        calls.append({uint16_t(100 + i), callTo, {}});
    return calls;
}

// The script of callsTo(count, 500): call pages of 56 slots, then the end
// page and the one subroutine frame.
Expected pagedCalls(int count, bool comma = false)
{
    Expected e(comma);
    int page = 1;
    e.page(page, "SC");
    for (int i = 0; i < count; ++i) {
        e.device(u"67"_qs, QString::number(100 + i), u"500"_qs, i % 56);
        if (i % 56 == 55) {
            e.closePage();
            e.page(++page, "SC");
        }
    }
    e.closePage();
    e.page(++page, "EN");
    e.device(u"1"_qs, u"499"_qs, {}, 0);
    e.closePage();
    e.page(++page, "SR");
    e.device(u"3"_qs, u"500"_qs, {}, 0, u"SU-0"_qs);
    e.device(u"2"_qs, u"9999"_qs, {}, 52);
    e.closePage();
    e.end();
    return e;
}

} // namespace

TEST(DdcScript, SlotGeometryOfTheWorkedExample)
{
    EXPECT_DOUBLE_EQ(scriptPinX(0), 1.4505);
    EXPECT_DOUBLE_EQ(scriptPinY(0), 9.5495);
    EXPECT_DOUBLE_EQ(scriptPinX(52), 9.4505);
    EXPECT_DOUBLE_EQ(scriptPinY(52), 0.5495);
}

TEST(DdcScript, CallsSortedTargetsFramedAndAddressesAsParameters)
{
    // Given in table order; three distinct targets 10, 20, 35; two calls to 20.
    const QList<ScriptCall> calls = {
        {30, 35, u"105"_qs}, {12, 20, {}}, {5, 10, u"1203"_qs}, {40, 20, u"7"_qs},
    };
    Expected e;
    e.page(1, "SC");
    e.device(u"67"_qs, u"5"_qs, u"10"_qs, 0, u"1203:BV-1"_qs);
    e.device(u"67"_qs, u"12"_qs, u"20"_qs, 1);
    e.device(u"67"_qs, u"30"_qs, u"35"_qs, 2, u"105:BV-1"_qs);
    e.device(u"67"_qs, u"40"_qs, u"20"_qs, 3, u"7:BV-1"_qs);
    e.closePage();
    e.page(2, "EN");
    e.device(u"1"_qs, u"9"_qs, {}, 0);
    e.closePage();
    const int frames[3][2] = {{10, 19}, {20, 34}, {35, 9999}};
    for (int i = 0; i < 3; ++i) {
        e.page(3 + i, "SR");
        e.device(u"3"_qs, QString::number(frames[i][0]), {}, 0, u"SU-0"_qs);
        e.device(u"2"_qs, QString::number(frames[i][1]), {}, 52);
        e.closePage();
    }
    e.end();
    expectSameLines(linesOf(buildDdcScript(calls, kDate, QLocale::c())), e.lines());
}

TEST(DdcScript, NoCallsGiveAnEmptyCallPageAndAnOpenEnd)
{
    Expected e;
    e.page(1, "SC");
    e.closePage();
    e.page(2, "EN");
    e.device(u"1"_qs, u"9999"_qs, {}, 0);
    e.closePage();
    e.end();
    expectSameLines(linesOf(buildDdcScript({}, kDate, QLocale::c())), e.lines());
}

TEST(DdcScript, FiftySevenCallsFillOnePageAndStartTheNext)
{
    const Expected e = pagedCalls(57);
    // Page 2 holds the 57th call in slot 0; the end page is page 3.
    EXPECT_TRUE(e.lines().contains(u"       <page  index=\"2\"  name=\"SC\" >"_qs));
    EXPECT_TRUE(e.lines().contains(u"       <page  index=\"3\"  name=\"EN\" >"_qs));
    expectSameLines(linesOf(buildDdcScript(callsTo(57, 500), kDate, QLocale::c())), e.lines());
}

TEST(DdcScript, ExactlyFiftySixCallsLeaveAnEmptySecondCallPage)
{
    const Expected e = pagedCalls(56);
    const qsizetype second = e.lines().indexOf(u"       <page  index=\"2\"  name=\"SC\" >"_qs);
    ASSERT_GT(second, 0);
    EXPECT_EQ(e.lines()[second + 2], u"         </ddc>"_qs); // nothing on it
    expectSameLines(linesOf(buildDdcScript(callsTo(56, 500), kDate, QLocale::c())), e.lines());
}

TEST(DdcScript, ACallToStatementZeroEndsTheProgramAtMinusOne)
{
    Expected e;
    e.page(1, "SC");
    e.device(u"67"_qs, u"100"_qs, u"0"_qs, 0);
    e.closePage();
    e.page(2, "EN");
    e.device(u"1"_qs, u"-1"_qs, {}, 0);
    e.closePage();
    e.page(3, "SR");
    e.device(u"3"_qs, u"0"_qs, {}, 0, u"SU-0"_qs);
    e.device(u"2"_qs, u"9999"_qs, {}, 52);
    e.closePage();
    e.end();
    expectSameLines(linesOf(buildDdcScript(callsTo(1, 0), kDate, QLocale::c())), e.lines());
}

TEST(DdcScript, ACommaLocaleChangesOnlyThePinCoordinates)
{
    const QList<ScriptCall> calls = callsTo(57, 500);
    const QLocale german(QLocale::German, QLocale::Germany);
    const QStringList point = linesOf(buildDdcScript(calls, kDate, QLocale::c()));
    const QStringList comma = linesOf(buildDdcScript(calls, kDate, german));
    ASSERT_EQ(point.size(), comma.size());
    int changed = 0;
    for (qsizetype i = 0; i < point.size(); ++i) {
        if (point[i] == comma[i])
            continue;
        ++changed;
        // Only the two pin attributes differ, by their decimal separator.
        QString back = comma[i];
        const qsizetype pins = back.indexOf(u"pinX=\""_qs);
        ASSERT_GT(pins, 0) << comma[i].toStdString();
        back = back.left(pins) + back.mid(pins).replace(u',', u'.');
        EXPECT_EQ(back, point[i]);
    }
    EXPECT_EQ(changed, 57 + 1 + 2); // every block line
    // And the whole text against the templates.
    const Expected e = pagedCalls(57, true);
    expectSameLines(comma, e.lines());
}

TEST(DdcScript, HeaderDateIsWrittenInWindows1252)
{
    const QByteArray script = buildDdcScript({}, u"14 juin 2024 09:30 \u00e9t\u00e9 \u20ac"_qs, QLocale::c());
    EXPECT_TRUE(script.startsWith("  <ddcScript  platform=\"pellum\"  createDate=\"14 juin 2024 09:30 \xE9t\xE9 \x80\""));
}

// Short date, a blank, the long time as Windows writes it: without the time
// zone that the locale's long time format carries.
TEST(DdcScript, TheCreateDateHasNoTimeZone)
{
    const QDateTime when(QDate(2024, 6, 14), QTime(9, 30, 5), QTimeZone("America/New_York"));
    EXPECT_EQ(scriptCreateDate(when, QLocale(QLocale::German, QLocale::Germany)), u"14.06.24 09:30:05"_qs);
    EXPECT_EQ(scriptCreateDate(when, QLocale(QLocale::English, QLocale::UnitedStates)), u"6/14/24 9:30:05 AM"_qs);
    EXPECT_EQ(scriptCreateDate(when, QLocale(QLocale::French, QLocale::France)), u"14/06/2024 09:30:05"_qs);
    EXPECT_EQ(scriptCreateDate(when, QLocale::c()), u"14 Jun 2024 09:30:05"_qs);
}

TEST(DdcScript, CallsComeFromTheDevicesCpanelMapRows)
{
    TestProject tp;
    tp.mapApex(3, u"12"_qs, 3000, 100, 4000);
    // Apex 3, com 1: an address 5 with base 100; a null address; a row
    // without CallTo; a row of com 2 and one of another Apex.
    tp.addCpanel(3, 20, 7, 1, 5, 300);
    tp.exec(u"INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk) VALUES (3, 10, 200, 8, 1)"_qs);
    tp.exec(u"INSERT INTO CpanelMap (Apex, Sequence, CPanelNumber, Trunk, Address) VALUES (3, 10105, 9, 1, 5)"_qs);
    tp.addCpanel(3, 30, 1, 2, 4, 400);
    tp.addCpanel(4, 40, 1, 1, 4, 400);
    const QList<ScriptCall> calls = scriptCalls(tp.pdb, tp.map, 3, 1);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].seq, 20); // control panel 7 before 8: the table's order
    EXPECT_EQ(calls[0].callTo, 300);
    EXPECT_EQ(calls[0].address, u"105"_qs);
    EXPECT_EQ(calls[1].seq, 10);
    EXPECT_EQ(calls[1].callTo, 200);
    EXPECT_TRUE(calls[1].address.isEmpty());
    const QList<ScriptCall> com2 = scriptCalls(tp.pdb, tp.map, 3, 2);
    ASSERT_EQ(com2.size(), 1);
    EXPECT_EQ(com2[0].address, u"4004"_qs);
}
