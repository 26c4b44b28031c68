// Display creation over a listed display: rows in object order with the
// overrides made in the grid, single-row mode on the selected row, and a
// new load starting from the file again.
#include "commands/CreateDisplayCommands.h"
#include "commands/TranslateCommands.h"
#include "sample/IbexDisplayBuilder.h"
#include "util/Error.h"
#include "support/CreationHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;
using sample::IbexDisplayBuilder;

namespace {

QString captionAt(const QByteArray &file, int offset)
{
    return QString::fromLatin1(file.constData() + offset + 119);
}

} // namespace

TEST(DisplayCreationGrid, SingleRowModeWritesTheSelectedObjectAfterAnySort)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"Charlie"_qs);
    d.add(ioText).caption(u"Alpha"_qs);
    d.add(ioText).caption(u"Bravo"_qs);
    h.list(u"disp0001.ibw"_qs, d.bytes());
    Translation &t = h.translation();
    t.sort(soBtText);
    ASSERT_EQ(t.cellText(1, Translation::colBtText), u"Alpha"_qs);
    const CreationOutcome r = h.create(1);
    ASSERT_TRUE(r.written);
    const QByteArray out = fileBytes(r.path);
    ASSERT_EQ(out.size(), 394 + 247 + 2);
    EXPECT_EQ(captionAt(out, 394), u"Alpha"_qs);
    // The grid is back in object order.
    EXPECT_EQ(t.cellText(1, Translation::colBtText), u"Charlie"_qs);

    // The whole display, in object order.
    t.sort(soBtText);
    ASSERT_TRUE(h.create().written);
    const QByteArray all = fileBytes(r.path);
    EXPECT_EQ(captionAt(all, 394), u"Charlie"_qs);
    EXPECT_EQ(captionAt(all, 394 + 247), u"Alpha"_qs);
    EXPECT_EQ(captionAt(all, 394 + 2 * 247), u"Bravo"_qs);
}

TEST(DisplayCreationGrid, OverridesOfTheGridAreWritten)
{
    CreationHarness h;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"Ibex caption"_qs);
    d.add(ioRoAnalog).point(1, 0xD00005);
    d.add(ioText).caption(u"left out"_qs);
    h.list(u"disp0002.ibw"_qs, d.bytes());
    Workbench &wb = h.project.wb;
    EXPECT_FALSE(wb.gridEdited);
    ASSERT_EQ(overrideCommand(wb, {1, OverrideAction::Text, u"Typed caption"_qs}), 1);
    EXPECT_TRUE(wb.gridEdited);
    ASSERT_EQ(overrideCommand(wb, {2, OverrideAction::Point, u"1203:BO-6-P87[8]"_qs}), 2);
    ASSERT_EQ(overrideCommand(wb, {3, OverrideAction::Skip, {}}), 3);
    const CreationOutcome r = h.create();
    ASSERT_TRUE(r.written);
    EXPECT_FALSE(wb.gridEdited);
    const QByteArray out = fileBytes(r.path);
    ASSERT_EQ(out.size(), 394 + 247 + 301 + 2);
    EXPECT_EQ(captionAt(out, 394), u"Typed caption"_qs);
    const int v = 394 + 247;
    EXPECT_EQ(static_cast<uint8_t>(out[v + 39]), 87);
    EXPECT_EQ(static_cast<uint8_t>(out[v + 41]), 8);
    EXPECT_EQ(static_cast<uint8_t>(out[v + 32]), 0);
}

TEST(DisplayCreationGrid, ANewLoadStartsFromTheFile)
{
    CreationHarness h;
    IbexDisplayBuilder a;
    a.add(ioText).colors(0, 0, 0).caption(u"A"_qs);
    h.list(u"disp0003.ibw"_qs, a.bytes());
    ASSERT_TRUE(h.create().written);
    IbexDisplayBuilder b;
    b.add(ioText).colors(0x10, 0x20, 0x30).caption(u"B"_qs);
    h.list(u"disp0004.ibw"_qs, b.bytes());
    const CreationOutcome r = h.create();
    ASSERT_TRUE(r.written);
    const QByteArray out = fileBytes(r.path);
    EXPECT_EQ(captionAt(out, 394), u"B"_qs);
    EXPECT_EQ(static_cast<uint8_t>(out[394 + 20]), 0x20);

    // Nothing loaded: nothing happens.
    h.project.wb.loadedTranslation.reset();
    EXPECT_FALSE(h.create().written);
    EXPECT_TRUE(h.create().path.isEmpty());
}

TEST(DisplayCreationGrid, LoadingOverGridEditsAsksFirst)
{
    CreationHarness h;
    IbexDisplayBuilder a;
    a.add(ioText).caption(u"A"_qs);
    h.list(u"disp0005.ibw"_qs, a.bytes());
    Workbench &wb = h.project.wb;
    overrideCommand(wb, {1, OverrideAction::Text, u"Edited"_qs});
    ASSERT_TRUE(wb.gridEdited);
    // Keeping the edits: the display stays loaded, nothing else is read.
    h.prompter.pushYesNo(false);
    h.project.writeDisplay(u"disp0006.ibw"_qs, a.bytes());
    EXPECT_FALSE(loadDisplayCommand(wb, findDisplayFile(wb, u"disp0006.ibw"_qs, false)));
    EXPECT_EQ(h.prompter.asked.last(), unsavedGridEditsQuestion());
    EXPECT_EQ(h.translation().displayName(), u"disp0005.ibw"_qs);
    EXPECT_TRUE(wb.gridEdited);
    // Giving them up loads the other display.
    h.prompter.pushYesNo(true);
    EXPECT_TRUE(loadDisplayCommand(wb, findDisplayFile(wb, u"disp0006.ibw"_qs, false)));
    EXPECT_EQ(h.translation().displayName(), u"disp0006.ibw"_qs);
    EXPECT_FALSE(wb.gridEdited);
    // A missing file leaves the loaded display as it was.
    EXPECT_THROW(loadDisplayCommand(wb, findDisplayFile(wb, u"disp0099.ibw"_qs, false)), Error);
    EXPECT_EQ(h.translation().displayName(), u"disp0006.ibw"_qs);
}
