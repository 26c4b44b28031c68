// Display creation over the translation grid: rows in object order with
// the grid's overrides, single-row mode on the selected row, and a new load
// starting from the file again.
#include "displays/DisplayCreation.h"
#include "translate/TranslationGrid.h"
#include "sample/IbexDisplayBuilder.h"
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
    GridCreation s;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"Charlie"_qs);
    d.add(ioText).caption(u"Alpha"_qs);
    d.add(ioText).caption(u"Bravo"_qs);
    s.load(u"disp0001.ibw"_qs, d.bytes());
    s.grid.sortGrid(soBtText);
    ASSERT_EQ(s.grid.cell(TranslationGrid::colBtText, 2), u"Alpha"_qs);
    const CreationResult r = s.creation.createBtDisplay(2);
    ASSERT_TRUE(r.written);
    const QByteArray out = fileBytes(r.path);
    ASSERT_EQ(out.size(), 394 + 247 + 2);
    EXPECT_EQ(captionAt(out, 394), u"Alpha"_qs);
    // The grid is back in object order.
    EXPECT_EQ(s.grid.cell(TranslationGrid::colBtText, 2), u"Charlie"_qs);

    // The whole display, in object order.
    s.grid.sortGrid(soBtText);
    ASSERT_TRUE(s.creation.createBtDisplay().written);
    const QByteArray all = fileBytes(r.path);
    EXPECT_EQ(captionAt(all, 394), u"Charlie"_qs);
    EXPECT_EQ(captionAt(all, 394 + 247), u"Alpha"_qs);
    EXPECT_EQ(captionAt(all, 394 + 2 * 247), u"Bravo"_qs);
}

TEST(DisplayCreationGrid, OverridesOfTheGridAreWritten)
{
    GridCreation s;
    IbexDisplayBuilder d;
    d.add(ioText).caption(u"Ibex caption"_qs);
    d.add(ioRoAnalog).point(1, 0xD00005);
    d.add(ioText).caption(u"left out"_qs);
    s.load(u"disp0002.ibw"_qs, d.bytes());
    ASSERT_TRUE(s.grid.editOverride(TranslationGrid::colBtText, 2, orOK, u"Typed caption"_qs));
    ASSERT_TRUE(s.grid.editOverride(TranslationGrid::colBtPoint, 3, orOK, u"1203:BO-6-P87[8]"_qs));
    ASSERT_TRUE(s.grid.editOverride(TranslationGrid::colBtText, 4, orSkip));
    s.grid.gridEdited = true;
    const CreationResult r = s.creation.createBtDisplay();
    ASSERT_TRUE(r.written);
    EXPECT_FALSE(s.grid.gridEdited);
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
    GridCreation s;
    IbexDisplayBuilder a;
    a.add(ioText).colors(0, 0, 0).caption(u"A"_qs);
    s.load(u"disp0003.ibw"_qs, a.bytes());
    ASSERT_TRUE(s.creation.createBtDisplay().written);
    IbexDisplayBuilder b;
    b.add(ioText).colors(0x10, 0x20, 0x30).caption(u"B"_qs);
    s.load(u"disp0004.ibw"_qs, b.bytes());
    const CreationResult r = s.creation.createBtDisplay();
    ASSERT_TRUE(r.written);
    const QByteArray out = fileBytes(r.path);
    EXPECT_EQ(captionAt(out, 394), u"B"_qs);
    EXPECT_EQ(static_cast<uint8_t>(out[394 + 20]), 0x20);

    // Nothing loaded: nothing happens.
    TranslationGrid empty(s.h.project.vars, s.h.project.pdb, s.h.project.map);
    DisplayCreation none(s.h.project.vars, s.h.settings, s.h.log, s.h.prompter, empty);
    EXPECT_FALSE(none.createBtDisplay().written);
}
