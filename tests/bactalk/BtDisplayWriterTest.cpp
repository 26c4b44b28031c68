// The BACtalk display file writer, byte for byte against the documented
// record defaults.
#include "util/Error.h"
#include "util/Prompter.h"
#include "bactalk/BtDisplayDump.h"
#include "bactalk/BtDisplayWriter.h"
#include "support/BtRecordBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::bt;
using namespace vorlix::test;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void startRun(BtDisplayWriter &w)
{
    w.reset();
    w.btCreateHeader();
}

} // namespace

TEST(BtDisplayWriter, EmptyDisplayIsHeaderAndEndMarker)
{
    BtDisplayWriter w;
    startRun(w);
    EXPECT_EQ(w.writePos, 395);
    EXPECT_EQ(w.objBytes, 394);
    w.finishDisplay();
    const QByteArray out = w.bytes();
    ASSERT_EQ(out.size(), 396);
    EXPECT_EQ(out, expectedFile(expectedHeader(), {}, 0));
    EXPECT_EQ(static_cast<uint8_t>(out[388]), 394 & 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(out[389]), 394 >> 8);
}

TEST(BtDisplayWriter, OneTextObjectIs643Bytes)
{
    BtDisplayWriter w;
    startRun(w);
    w.append(RecordKind::Text);
    w.finishDisplay();
    const QByteArray out = w.bytes();
    ASSERT_EQ(out.size(), 643);
    EXPECT_EQ(out, expectedFile(expectedHeader(), expectedText(), 1));
    // 641 at header offset 388, count 1 at 372, marker at 641 and 642.
    EXPECT_EQ(static_cast<uint8_t>(out[388]) | (static_cast<uint8_t>(out[389]) << 8), 641);
    EXPECT_EQ(static_cast<uint8_t>(out[372]), 1);
    EXPECT_EQ(static_cast<uint8_t>(out[641]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(out[642]), 0xFF);
}

struct KindCase {
    RecordKind kind;
    QByteArray (*expected)();
    const char *name;
};

class BtDefaultRecord : public ::testing::TestWithParam<KindCase> {};

TEST_P(BtDefaultRecord, AppendedRecordIsTheDocumentedDefault)
{
    BtDisplayWriter w;
    startRun(w);
    const BtRecord r = w.append(GetParam().kind);
    const QByteArray expected = GetParam().expected();
    ASSERT_EQ(r.size(), expected.size());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.data()), r.size()), expected);
    EXPECT_EQ(w.objBytes, 394 + expected.size());
    EXPECT_EQ(w.writePos, 395 + expected.size());
    EXPECT_EQ(w.objCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BtDefaultRecord,
    ::testing::Values(KindCase{RecordKind::Text, expectedText, "Text"},
                      KindCase{RecordKind::GroupBox, expectedGroupBox, "GroupBox"},
                      KindCase{RecordKind::Checkbox, expectedCheckbox, "Checkbox"},
                      KindCase{RecordKind::ReadOnlyValue, expectedReadOnlyValue, "ReadOnlyValue"},
                      KindCase{RecordKind::PromptedValue, expectedPromptedValue, "PromptedValue"},
                      KindCase{RecordKind::DateTime, expectedDateTime, "DateTime"},
                      KindCase{RecordKind::StaticGraphic, expectedStaticGraphic, "StaticGraphic"},
                      KindCase{RecordKind::AnimatedGraphic, expectedAnimatedGraphic, "AnimatedGraphic"},
                      KindCase{RecordKind::AnalogGraphic, expectedAnalogGraphic, "AnalogGraphic"},
                      KindCase{RecordKind::Button, expectedButton, "Button"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BtDisplayWriter, LoginRecordIsAsLongAsItsCaption)
{
    BtDisplayWriter w;
    startRun(w);
    const BtRecord login = w.appendLogin(u"Login"_qs);
    EXPECT_EQ(login.size(), 127);
    w.append(RecordKind::Text);
    w.finishDisplay();
    const QByteArray out = w.bytes();
    EXPECT_EQ(out, expectedFile(expectedHeader(), expectedLogin("Login") + expectedText(), 2));
    // The text record starts right after the caption's NUL.
    EXPECT_EQ(static_cast<uint8_t>(out[394 + 127]), 247);
    EXPECT_EQ(w.recordOffsets().at(1), 394 + 127);

    // A caption longer than 47 characters is cut: the record is 169 bytes.
    startRun(w);
    EXPECT_EQ(w.appendLogin(QString(60, u'x')).size(), 169);
    EXPECT_EQ(w.objBytes, 394 + 169);
    // An empty caption: 121 + NUL.
    EXPECT_EQ(w.appendLogin(QString()).size(), 122);
}

TEST(BtDisplayWriter, FitFieldCutsAndKeepsTheBytesAfterTheNul)
{
    // Windows-1252 bytes, cut to n - 1 plus the NUL.
    EXPECT_EQ(fitField(u"Caf\u00e9 \u20ac5"_qs, 16), QByteArray("Caf\xE9 \x80" "5", 7) + QByteArray(1, '\0'));
    EXPECT_EQ(fitField(u"\u4e2d"_qs, 8), QByteArray("?\0", 2));
    EXPECT_EQ(fitField(u"abcdef"_qs, 4), QByteArray("abc\0", 4));
    EXPECT_EQ(fitField(QString(), 4), QByteArray(1, '\0'));

    BtDisplayWriter w;
    startRun(w);
    BtRecord r = w.append(RecordKind::Text);
    EXPECT_EQ(r.putText(119, 128, QString(200, u'A')), 128);
    QByteArray expected = expectedText();
    expected.replace(119, 127, QByteArray(127, 'A'));
    expected[119 + 127] = '\0';
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r.data()), r.size()), expected);

    // A short caption leaves the default byte at 129 in place.
    BtRecord r2 = w.append(RecordKind::Text);
    r2.putText(119, 128, u"Hi"_qs);
    QByteArray expected2 = expectedText();
    expected2.replace(119, 3, QByteArray("Hi\0", 3));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(r2.data()), r2.size()), expected2);
    EXPECT_EQ(r2.u8(129), 0x70);
}

TEST(BtDisplayWriter, FieldsOutsideTheRecordAreRefused)
{
    BtDisplayWriter w;
    startRun(w);
    BtRecord r = w.append(RecordKind::Button);
    EXPECT_THROW(r.setU32(203, 1), Error);
    EXPECT_THROW(r.putText(200, 48, u"x"_qs), Error);
    EXPECT_THROW(r.u8(-1), Error);
    EXPECT_NO_THROW(r.setU8(204, 1));
}

TEST(BtDisplayWriter, PointBindingOperations)
{
    BtDisplayWriter w;
    startRun(w);
    BtRecord r = w.append(RecordKind::ReadOnlyValue);
    r.setDevice(1203);
    EXPECT_EQ(r.u32(28), 1203u * 256 + 0x00);
    EXPECT_EQ(r.u8(32), 0);
    r.bindPriority(4, 6, 8);
    EXPECT_EQ(r.u16(33), 4);
    EXPECT_EQ(r.u32(35), 6u);
    EXPECT_EQ(r.u8(39), 87);
    EXPECT_EQ(r.u8(40), 1);
    EXPECT_EQ(r.u8(41), 8);
    r.bindRelinquishDefault(4, 6);
    EXPECT_EQ(r.u8(39), 104);
    EXPECT_EQ(r.u8(40), 0);
    r.bindObjectName();
    EXPECT_EQ(r.u16(33), 8);
    EXPECT_EQ(r.u32(35), 0xFFFFFFFFu);
    EXPECT_EQ(r.u8(39), 77);
    r.bindDescription();
    EXPECT_EQ(r.u8(39), 28);
    r.bindLocation();
    EXPECT_EQ(r.u8(39), 58);
    r.bindPresentValue(2, 32);
    EXPECT_EQ(r.u16(33), 2);
    EXPECT_EQ(r.u32(35), 32u);
    EXPECT_EQ(r.u8(39), 85);
    r.setCurrentDevice(true);
    EXPECT_EQ(r.u32(28), 0xFFFFFF08u);
    EXPECT_EQ(r.u8(32), 255);
    r.setCurrentDevice(false);
    EXPECT_EQ(r.u8(32), 0);
    EXPECT_EQ(r.u32(28), 0xFFFFFF08u);

    // The kind's low byte stays: 8 in a pushbutton.
    BtRecord b = w.append(RecordKind::Button);
    b.setDevice(1203);
    EXPECT_EQ(b.u32(28), 0x0004B308u);
}

TEST(BtDisplayWriter, StopsAt256Objects)
{
    BtDisplayWriter w;
    startRun(w);
    ScriptedPrompter prompter;
    int appended = 0;
    for (int i = 0; i < 300; ++i) {
        if (w.bufferFull(&prompter))
            break;
        w.append(RecordKind::Text);
        ++appended;
    }
    EXPECT_EQ(appended, 256);
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_EQ(prompter.informed.front(), u"Maximum object count reached!"_qs);
    EXPECT_THROW(w.append(RecordKind::Text), Error);
    w.finishDisplay();
    QByteArray records;
    for (int i = 0; i < 256; ++i)
        records += expectedText();
    const QByteArray out = w.bytes();
    EXPECT_EQ(out.size(), 394 + 256 * 247 + 2);
    // The count word holds 256; the file holds 256 records.
    EXPECT_EQ(out, expectedFile(expectedHeader(), records, 256));
}

TEST(BtDisplayWriter, OutOfSpaceMessage)
{
    BtDisplayWriter w;
    startRun(w);
    w.objBytes = ObjBufSize - 547; // 548 more would not fit
    ScriptedPrompter prompter;
    EXPECT_TRUE(w.bufferFull(&prompter));
    EXPECT_EQ(prompter.informed, QStringList{u"Object buffer is out of space!"_qs});
    w.objBytes = ObjBufSize - 548;
    EXPECT_FALSE(w.bufferFull(nullptr));
}

TEST(BtDisplayWriter, ResetStartsANewRunWithNothingOfThePrevious)
{
    BtDisplayWriter w;
    startRun(w);
    w.append(RecordKind::AnalogGraphic).putText(152, 14, u"zz.bmp"_qs);
    w.finishDisplay();
    startRun(w);
    w.finishDisplay();
    EXPECT_EQ(w.bytes(), expectedFile(expectedHeader(), {}, 0));
}

TEST(BtDisplayWriter, WriteReplacesTheFileAndKeepsItOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"00000012.dsp"_qs);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    BtDisplayWriter w;
    startRun(w);
    w.append(RecordKind::Text);
    w.finishDisplay();
    w.writeDisplayFile(path);
    EXPECT_EQ(readFile(path), expectedFile(expectedHeader(), expectedText(), 1));

    // The folder vanished: an error naming the file; nothing else written.
    const QString gone = dir.filePath(u"missing/00000013.dsp"_qs);
    try {
        w.writeDisplayFile(gone);
        FAIL() << "no error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(u"00000013.dsp"_qs)) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_EQ(readFile(path).size(), 643);
}

TEST(BtDisplayDump, ListsEveryRecordAndRejectsDamage)
{
    BtDisplayWriter w;
    startRun(w);
    w.append(RecordKind::Text).putText(119, 128, u"Zone 1"_qs);
    w.append(RecordKind::PromptedValue).bindPriority(4, 6, 8);
    w.append(RecordKind::AnalogGraphic);
    w.append(RecordKind::Button).setU32(153, 12);
    w.appendLogin(u"Login"_qs);
    w.finishDisplay();
    const DumpResult d = dumpDisplay(w.bytes(), u"x.dsp"_qs);
    ASSERT_TRUE(d.ok) << d.error.toStdString();
    EXPECT_EQ(d.records, 5);
    const QString all = d.lines.join(u'\n');
    EXPECT_TRUE(all.contains(u"Record 1 at offset 394: text (247 bytes)"_qs));
    EXPECT_TRUE(all.contains(u"  Text: \"Zone 1\""_qs));
    EXPECT_TRUE(all.contains(u"  ObjProp: 87"_qs));
    EXPECT_TRUE(all.contains(u"  Range4: 76"_qs));
    EXPECT_TRUE(all.contains(u"  Target: 12"_qs));
    EXPECT_TRUE(all.contains(u"login pushbutton (127 bytes)"_qs));

    // A record length running past the end, a cut file, a wrong count.
    QByteArray bad = w.bytes();
    bad[394] = '\x10';
    bad[395] = '\x27';
    DumpResult r = dumpDisplay(bad, u"bad.dsp"_qs);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith(u"bad.dsp: the record at offset 394"_qs)) << r.error.toStdString();
    EXPECT_FALSE(dumpDisplay(w.bytes().left(700), u"cut.dsp"_qs).ok);
    EXPECT_FALSE(dumpDisplay(QByteArray(10, '\0'), u"tiny.dsp"_qs).ok);
    QByteArray wrongCount = w.bytes();
    wrongCount[372] = 9;
    EXPECT_FALSE(dumpDisplay(wrongCount, u"count.dsp"_qs).ok);
}
