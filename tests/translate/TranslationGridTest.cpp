// The translation grid: rows built by kind from real display bytes, the
// options, overrides and their precedence, override editing, sorting, the
// clipboard text and the column-width lists.
#include "support/TestProject.h"

#include "translate/GridColumns.h"
#include "translate/TranslationGrid.h"
#include "sample/IbexDisplayBuilder.h"

#include <gtest/gtest.h>

using namespace vorlix;
using sample::IbexDisplayBuilder;

namespace {

uint32_t ref(uint8_t code, uint32_t value) { return (uint32_t(code) << 16) | value; }

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.mapApex(1, u"12"_qs, 1100, 1200, 1300);
        p.addCpanel(1, 20, 7, 1, 4);
        p.addIbexPoint(1, 12, 2);
        p.vars.cpanelPlaceHolder = u"AV-999"_qs;
        p.vars.cpanelStatusBV = u"BV-1"_qs;
    }
    void load(const IbexDisplayBuilder &b, const QString &name = u"disp0001.ibw"_qs, bool local = false)
    {
        const QString path = p.writeDisplay(name, b.bytes(), local);
        grid.loadDisplay(path, name, local);
    }
    // Columns 0 to 7 of a row joined by "|".
    QString row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < TranslationGrid::ColCount; ++c)
            cells << grid.cell(c, r);
        return cells.join(u'|');
    }

    test::TestProject p;
    TranslationGrid grid{p.vars, p.pdb, p.map};
};

} // namespace

TEST_F(Grid, RowsOfAPlainDisplay)
{
    IbexDisplayBuilder b;
    b.description(u"Air handler 1"_qs);
    b.add(ioText).caption(u"Supply"_qs);
    b.add(ioGroupBox).caption(u"Fans"_qs);
    b.add(ioTimeDate);
    b.add(ioBtnDef).caption(u"Print"_qs).point(1, 0);
    b.add(ioBtnDisp).caption(u"Next"_qs).point(1, 5);
    b.add(ioBtnCP).caption(u"Zone 7"_qs).point(1, 7).u16(22, 2);
    b.add(ioBtnTux).caption(u"VAV"_qs).point(1, (1u << 15) | (3u << 9)).u16(22, 1); // trunk 2
    b.add(ioBtnCmd).caption(u";LLogin"_qs);
    b.add(ioBtnCmd).caption(u"xQuit"_qs);
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioDigital).point(1, ref(0xC0, 0x645)).length(130);
    b.add(ioCheckbox).caption(u"Pump"_qs).point(1, ref(0xC0, 0x645)).kindFlag(1);
    b.add(ioCheckbox).caption(u"GL"_qs).point(1, ref(0x10, 3)).kindFlag(1);
    b.add(ioRoAirflow).airflowPoint(1, ref(0xD0, 12)).length(120);
    b.add(ioGrPilot).point(1, ref(0x22, 2), 7).bitmap(1, u"on.bmp"_qs).bitmap(2, u"off.bmp"_qs);
    b.add(ioCpAlarms).point(1, 0);
    b.add(ioGrMicroset).point(1, 7).u16(22, 3);
    b.addCode(0x7777).caption(u"?"_qs);
    load(b);

    EXPECT_EQ(grid.totalObj, 18);
    EXPECT_EQ(row(1), u"Hdr|Display Info||||Air handler 1||"_qs);
    EXPECT_EQ(row(2), u"Obj.1|Text||Supply||Supply||"_qs);
    EXPECT_EQ(row(3), u"Obj.2|GroupBox||Fans||Fans||"_qs);
    EXPECT_EQ(row(4), u"Obj.3|DateTime||DateTime||DateTime||"_qs);
    EXPECT_EQ(row(5), u"Obj.4|Button-Default||Print||Print||No translation."_qs);
    EXPECT_EQ(grid.gridGetOvr(5), ovrSkip);
    EXPECT_EQ(row(6), u"Obj.5|Button-Display||Next||Next||"_qs);
    EXPECT_EQ(row(7), u"Obj.6|Button-CPanel|1|Zone 7|CPanel 7|Zone 7|Dev-ID: 1204|"_qs);
    EXPECT_EQ(row(8), u"Obj.7|Button-TuxView|1|VAV|Tx-2-3|VAV|Dev-ID: 1303|"_qs);
    EXPECT_EQ(row(9), u"Obj.8|Button-Command||Login||Login||"_qs);
    EXPECT_EQ(grid.gridGetException(9), excLoginBtn);
    // The caption proper starts after ";" and the command character.
    EXPECT_EQ(row(10), u"Obj.9|Button-Command||uit||uit||No translation."_qs);
    EXPECT_EQ(grid.gridGetException(10), excNone);
    EXPECT_EQ(row(11), u"Obj.10|Analog-Readonly|1||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(12), u"Obj.11|Digital-Prompted|1||Tux-1-3-DO-6||1203:BO-6|"_qs);
    EXPECT_EQ(row(13), u"Obj.12|Checkbox|1|Pump|Tux-1-3-DO-6|Pump|1203:BO-6|Reversed DO state!"_qs);
    EXPECT_EQ(row(14), u"Obj.13|Checkbox|1|GL|GL-3|GL|AV-999|Global Pt"_qs);
    EXPECT_EQ(row(15), u"Obj.14|Airflow-Readonly|||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(16), u"Obj.15|Graphic-Pilot|1||CP-7: ZG-Cooldn,ZG Cooldown||1204:AV-999|Zone Generic"_qs);
    EXPECT_EQ(row(17), u"Obj.16|CPanel-Alarms|1|CPanel-Alarms||||Will be skipped."_qs);
    EXPECT_EQ(grid.gridGetOvr(17), ovrSkip);
    EXPECT_EQ(row(18), u"Obj.17|Graphic-Microset|1||CPanel 7|||Will be skipped."_qs);
    EXPECT_EQ(row(19), u"Obj.18|Unknown-object||||||"_qs);
    EXPECT_EQ(grid.gridGetObjType(19), ioUnknown);
    EXPECT_EQ(grid.gridGetBufferStart(2), 189);
    EXPECT_EQ(grid.gridGetObjIndex(19), 18);
    EXPECT_TRUE(grid.cell(0, 20).isEmpty());
    EXPECT_EQ(grid.data(0, 20), TranslationGrid::ClearedData);
}

TEST_F(Grid, ControlPanelOptions)
{
    IbexDisplayBuilder b;
    b.add(ioCpStatus).point(1, 0);
    b.add(ioCpDesc).point(1, 0);
    b.add(ioCpNum).point(1, 0);
    b.add(ioTuxAddress).point(2, 0);
    b.add(ioGrMicroset).point(1, 8).u16(22, 3); // control panel 8 is not in the map
    b.add(ioGrMicroset).point(1, 7).u16(22, 3);
    p.vars.convertCpStatus = true;
    p.vars.convertCpName = true;
    p.vars.showZoneObjAsText = true;
    p.vars.mapMSetGraphicToBtn = true;
    load(b);
    EXPECT_EQ(row(2), u"Obj.1|CPanel-Status|1|||BV-1|Convert to prompted pt."_qs.replace(u"|||"_qs, u"||||"_qs));
    EXPECT_EQ(row(3), u"Obj.2|CPanel-Desc|1||||description|Convert to readonly pt."_qs);
    EXPECT_EQ(row(4), u"Obj.3|CPanel-Number|1||||object-name|Convert to readonly pt."_qs);
    EXPECT_EQ(row(5), u"Obj.4|TuxAddress|2|TuxAddress||TuxAddress||Convert to text"_qs);
    EXPECT_EQ(grid.gridGetOvr(5), ovrNone);
    EXPECT_EQ(row(6), u"Obj.5|Graphic-Microset|1||CPanel 8|||Device-ID cannot be mapped!"_qs);
    EXPECT_EQ(row(7), u"Obj.6|Graphic-Microset|1||CPanel 7||Dev-ID: 1204|"_qs);

    p.vars.convertCpStatus = false;
    p.vars.convertCpName = false;
    load(b);
    EXPECT_EQ(row(2), u"Obj.1|CPanel-Status|1|CPanel-Status||CPanel-Status||Convert to text"_qs);
    EXPECT_EQ(row(4), u"Obj.3|CPanel-Number|1|CPanel-Number||CPanel-Number||Convert to text"_qs);
}

TEST_F(Grid, TemplatesDropPrefixesAndApexes)
{
    IbexDisplayBuilder b;
    b.add(ioBtnDisp).caption(u"Back"_qs).point(1, 3).kindFlag(0);
    b.add(ioBtnDisp).caption(u"Fn"_qs).point(1, 3).kindFlag(2);
    b.add(ioRoAnalog).point(1, ref(0x20, 0x84), 7).length(120);
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioCpDesc).point(1, 0);
    b.add(ioGrMicroset).point(1, 7).u16(22, 3);
    p.vars.mapMSetGraphicToBtn = true;
    load(b, u"ccpd0002.ibw"_qs);
    EXPECT_EQ(grid.fileType(), ftTemplate);
    EXPECT_EQ(row(2), u"Obj.1|Button-Display||Back|Same Cpanel|Back||"_qs);
    EXPECT_EQ(row(3), u"Obj.2|Button-Display||Fn||Fn||"_qs);
    EXPECT_EQ(row(4), u"Obj.3|Analog-Readonly|||ZT-AI-5||AI-5|"_qs);
    EXPECT_EQ(row(5), u"Obj.4|Analog-Readonly|1||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(6), u"Obj.5|CPanel-Desc||CPanel-Desc||||Will be skipped."_qs);
    EXPECT_EQ(row(7), u"Obj.6|Graphic-Microset|1||CPanel 7|||Convert to button. Change text!"_qs);
    load(b, u"ctxd0002.ibw"_qs);
    EXPECT_EQ(grid.fileType(), ftTuxTemplate);
    EXPECT_EQ(grid.cell(4, 2), QString()); // "Same Cpanel" only in control-panel templates
}

TEST_F(Grid, RecordsOf22BytesAndTheRowLimit)
{
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"a"_qs);
    b.add(ioText).length(22);
    b.add(ioText).caption(u"b"_qs);
    for (int i = 0; i < 297; ++i)
        b.add(ioText).caption(QString::number(i + 3));
    load(b);
    EXPECT_EQ(grid.totalObj, 299);
    EXPECT_EQ(grid.cell(3, 3), u"b"_qs);
    EXPECT_EQ(grid.cell(0, 3), u"Obj.2"_qs);
    EXPECT_EQ(grid.cell(0, 257), u"Obj.256"_qs);
    EXPECT_EQ(grid.clipboardText().count(u'\n'), 257);
}

TEST_F(Grid, DamagedFilesListWhatCanBeListed)
{
    // A record claiming 200 bytes in a file that ends after 100 of them.
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"ok"_qs);
    b.add(ioCheckbox).caption(u"cut"_qs).point(1, ref(0xD0, 12)).length(200, true);
    load(b);
    EXPECT_EQ(grid.totalObj, 2);
    EXPECT_EQ(grid.cell(4, 3), u"IB-12"_qs);
    // A header shorter than 188 bytes: only the header row.
    const QString path = p.writeDisplay(u"disp0002.ibw"_qs, QByteArray(100, 'x'));
    grid.loadDisplay(path, u"disp0002.ibw"_qs, false);
    EXPECT_EQ(grid.totalObj, 0);
    EXPECT_EQ(grid.cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(grid.cell(5, 1), u"xxxxxxxxxxxxxxxxxxxxxxxx"_qs); // the title runs to the end of the data
    // A missing file: an error naming it, nothing loaded.
    EXPECT_THROW(grid.loadDisplay(p.jobFolder() + u"/ldisplay/none.ibw"_qs, u"none.ibw"_qs, false), std::exception);
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_EQ(grid.clipboardText(), QString());
}

TEST_F(Grid, OverridePrecedence)
{
    IbexDisplayBuilder b;
    b.add(ioCheckbox).caption(u"Pump"_qs).point(1, ref(0xD0, 12));
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioRoAnalog).point(1, ref(0x10, 5)).length(120);
    OverrideStore &s = grid.overrides();
    s.globalOvrPut(1, u"ib-12"_qs, u"1100:AV-77"_qs);
    s.globalOvrPut(1, u"GL-5"_qs, SkipMark);
    s.setDisplay(u"disp0001.ibw"_qs, false);
    s.displayOvrPut(1, false, u"Pump"_qs, u"Pump 1"_qs);
    s.displayOvrPut(1, true, u"IB-12"_qs, u"1100:AV-50"_qs);
    load(b);
    EXPECT_EQ(row(2), u"Obj.1|Checkbox|1|Pump|IB-12|Pump 1|1100:AV-50|"_qs);
    EXPECT_EQ(grid.gridGetOvr(2), ovrTextAndPoint);
    EXPECT_EQ(grid.cell(6, 3), u"1100:AV-77"_qs); // the project-wide override
    EXPECT_EQ(grid.gridGetOvr(3), ovrPoint);
    // A project-wide "$SKIP" skips the row and leaves its point as translated.
    EXPECT_EQ(grid.gridGetOvr(4), ovrSkip);
    EXPECT_EQ(grid.cell(6, 4), u"AV-999"_qs);
    // "$SKIP" per display wins over the text override.
    s.displayOvrPut(1, true, u"IB-12"_qs, SkipMark);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(2), ovrSkip);
    EXPECT_EQ(grid.cell(5, 2), u"Pump 1"_qs);
    // The same name in the local job has none of these.
    load(b, u"disp0001.ibw"_qs, true);
    EXPECT_EQ(grid.gridGetOvr(2), ovrPoint);
    EXPECT_EQ(grid.cell(6, 2), u"1100:AV-77"_qs);
}

TEST_F(Grid, EditOverrideStateRules)
{
    IbexDisplayBuilder b;
    b.description(u"Boiler room"_qs);
    b.add(ioText).caption(u"Title"_qs);
    b.add(ioCheckbox).caption(u"Pump"_qs).point(1, ref(0xD0, 12));
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    load(b);
    // Texts have no point; the header has a text.
    EXPECT_FALSE(grid.editOverride(6, 2, orOK, u"1:AV-1"_qs));
    EXPECT_FALSE(grid.gridEdited);
    EXPECT_TRUE(grid.canOverride(5, 1));
    EXPECT_FALSE(grid.canOverride(6, 1));
    // The display title override comes back with the display.
    ASSERT_TRUE(grid.editOverride(5, 1, orOK, u"New title"_qs));
    load(b);
    EXPECT_EQ(grid.cell(5, 1), u"New title"_qs);
    EXPECT_EQ(grid.gridGetOvr(1), ovrText);
    ASSERT_TRUE(grid.editOverride(5, 1, orReset));
    EXPECT_EQ(grid.gridGetOvr(1), ovrNone);
    EXPECT_EQ(grid.cell(5, 1), u"Boiler room"_qs);
    EXPECT_EQ(grid.cell(0, 1), u"Hdr"_qs);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(1), ovrNone);
    EXPECT_FALSE(grid.gridEdited);
    EXPECT_TRUE(grid.editOverride(5, 3, orCancel));
    EXPECT_FALSE(grid.gridEdited);

    ASSERT_TRUE(grid.editOverride(5, 3, orOK, u"Pump 2"_qs));
    EXPECT_EQ(grid.gridGetOvr(3), ovrText);
    EXPECT_EQ(grid.cellLook(5, 3), CellLook::Overridden);
    EXPECT_EQ(grid.cellLook(6, 3), CellLook::Translated);
    EXPECT_EQ(grid.cellLook(4, 3), CellLook::Plain);
    ASSERT_TRUE(grid.editOverride(6, 3, orOK, u"1200:BO-4-P104"_qs));
    EXPECT_EQ(grid.gridGetOvr(3), ovrTextAndPoint);
    EXPECT_TRUE(grid.gridEdited);
    // Reset in column 6 keeps the text override, in column 5 the point one.
    ASSERT_TRUE(grid.editOverride(6, 3, orReset));
    EXPECT_EQ(grid.gridGetOvr(3), ovrText);
    EXPECT_EQ(grid.cell(6, 3), u"1100:AV-12"_qs);
    EXPECT_EQ(grid.cell(5, 3), u"Pump 2"_qs);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(3), ovrText);
    EXPECT_EQ(grid.cell(5, 3), u"Pump 2"_qs);
    ASSERT_TRUE(grid.editOverride(6, 3, orOK, u"BV-9"_qs));
    ASSERT_TRUE(grid.editOverride(5, 3, orReset));
    EXPECT_EQ(grid.gridGetOvr(3), ovrPoint);
    EXPECT_EQ(grid.cell(5, 3), u"Pump"_qs);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(3), ovrPoint);
    EXPECT_EQ(grid.cell(6, 3), u"BV-9"_qs);

    // Skip stores "$SKIP"; a reload shows the row skipped.
    ASSERT_TRUE(grid.editOverride(6, 4, orSkip));
    EXPECT_EQ(grid.gridGetOvr(4), ovrSkip);
    EXPECT_EQ(grid.cellLook(5, 4), CellLook::Skipped);
    EXPECT_EQ(grid.cellLook(6, 4), CellLook::Skipped);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(4), ovrSkip);
    // Reset of a single override clears both columns back to the translation.
    ASSERT_TRUE(grid.editOverride(6, 4, orReset));
    EXPECT_EQ(grid.gridGetOvr(4), ovrNone);
    ASSERT_TRUE(grid.editOverride(5, 3, orOK, u"X"_qs));
    ASSERT_TRUE(grid.editOverride(6, 3, orReset)); // state was ovrTextAndPoint
    ASSERT_TRUE(grid.editOverride(5, 3, orReset)); // now ovrText: everything goes
    EXPECT_EQ(grid.gridGetOvr(3), ovrNone);
    EXPECT_EQ(grid.cell(5, 3), u"Pump"_qs);
    EXPECT_EQ(grid.cell(6, 3), u"1100:AV-12"_qs);
    load(b);
    EXPECT_EQ(grid.gridGetOvr(3), ovrNone);

    // A point reset with a project-wide override applies it again.
    grid.overrides().globalOvrPut(1, u"IB-12"_qs, u"1100:AV-5"_qs);
    ASSERT_TRUE(grid.editOverride(6, 4, orOK, u"AV-1"_qs));
    ASSERT_TRUE(grid.editOverride(6, 4, orReset));
    EXPECT_EQ(grid.gridGetOvr(4), ovrPoint);
    EXPECT_EQ(grid.cell(6, 4), u"1100:AV-5"_qs);
    // A project-wide "$SKIP" re-applied by a point refresh skips the row.
    grid.overrides().globalOvrPut(1, u"IB-12"_qs, SkipMark);
    ASSERT_TRUE(grid.editOverride(6, 4, orOK, u"AV-1"_qs));
    ASSERT_TRUE(grid.editOverride(6, 4, orReset));
    EXPECT_EQ(grid.gridGetOvr(4), ovrSkip);
    EXPECT_EQ(grid.cell(6, 4), u"1100:AV-12"_qs);
}

TEST_F(Grid, SortingAndClipboard)
{
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"beta"_qs);
    b.add(ioText).caption(u"Alpha"_qs);
    b.add(ioCheckbox).caption(u"alpha"_qs).point(1, ref(0xD0, 12));
    load(b);
    grid.sortGrid(soObjType);
    // "Checkbox" < "Display Info" < "Text". A selection sort: the exchanges
    // leave the two "Text" rows in reverse order.
    EXPECT_EQ(grid.cell(0, 1), u"Obj.3"_qs);
    EXPECT_EQ(grid.cell(0, 2), u"Hdr"_qs);
    EXPECT_EQ(grid.cell(0, 3), u"Obj.2"_qs);
    EXPECT_EQ(grid.cell(0, 4), u"Obj.1"_qs);
    EXPECT_EQ(grid.gridGetBufferStart(1), grid.display().walkObjectRecords()[2]);
    EXPECT_EQ(grid.gridGetObjType(2), ioHdrDesc);
    grid.sortGrid(soIndex);
    EXPECT_EQ(grid.cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(grid.cell(0, 4), u"Obj.3"_qs);
    // Ibex Text: the header's empty text is never strictly smaller.
    grid.sortGrid(soIbexText);
    EXPECT_EQ(grid.cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(grid.cell(0, 2), u"Obj.2"_qs); // Alpha, found before alpha
    EXPECT_EQ(grid.cell(0, 3), u"Obj.3"_qs);
    EXPECT_EQ(grid.cell(0, 4), u"Obj.1"_qs);
    grid.sortGrid(soIndex);
    EXPECT_EQ(grid.clipboardText(),
              u"Obj#\tType\tApex#\tIbex-Text\tIbex-Pt\tBT-Text\tBT-Pt\tNotes\n"
              "Hdr\tDisplay Info\t\t\t\t\t\t\n"
              "Obj.1\tText\t\tbeta\t\tbeta\t\t\n"
              "Obj.2\tText\t\tAlpha\t\tAlpha\t\t\n"
              "Obj.3\tCheckbox\t1\talpha\tIB-12\talpha\t1100:AV-12\t"_qs);
    EXPECT_EQ(grid.rowOfObject(3), 4);
    EXPECT_EQ(grid.rowOfObject(4), -1);
}

TEST_F(Grid, InfoBoxes)
{
    IbexDisplayBuilder b;
    b.bitmapBackground(u"C:\\pics\\plant.bmp"_qs);
    b.add(ioBtnDisp).caption(u"Next"_qs).point(0, 12).options(0x40);
    b.add(ioBtnCP).caption(u"Zone"_qs).point(1, 7).u16(22, 3);
    b.add(ioText).caption(u"t"_qs);
    grid.redirects().setRedirect(u"disp0012.ibw"_qs, u"alerton-standard-00000099.dsp"_qs, true);
    load(b);
    EXPECT_EQ(grid.info(1).ibex, u"C:\\pics\\plant.bmp"_qs);
    EXPECT_EQ(grid.info(1).bactalk, u"plant.bmp"_qs);
    EXPECT_EQ(grid.info(2).ibex, u"localjob:disp0012.ibw"_qs);
    EXPECT_EQ(grid.info(2).bactalk, u"Redirected: alerton-standard-00000099.dsp"_qs);
    EXPECT_EQ(grid.info(3).ibex, u"ccpd0003.ibw"_qs);
    EXPECT_EQ(grid.info(3).bactalk, u"00000003.dvt"_qs);
    EXPECT_EQ(grid.info(4).ibex, QString());
    IbexDisplayBuilder c;
    c.colorBackground(0x0000FF);
    load(c);
    EXPECT_EQ(grid.info(1).ibex, u"Color: clRed"_qs);
    EXPECT_EQ(colorToString(0x00123456), u"$00123456"_qs);
}

TEST(GridColumns, WidthLists)
{
    EXPECT_EQ(formatColumnWidths({40, 90, 90}), u"40,90,90,"_qs);
    std::vector<int> w{1, 2, 3, 4};
    applyColumnWidths(u"5,500,120,"_qs, w);
    EXPECT_EQ(w, (std::vector<int>{30, 30, 120, 30}));
    applyColumnWidths(QString(), w);
    EXPECT_EQ(w, (std::vector<int>{30, 30, 120, 30}));
    applyColumnWidths(u"x,64"_qs, w);
    EXPECT_EQ(w, (std::vector<int>{30, 64, 30, 30}));

    std::vector<DbColumn> cols{{50, true}, {60, false}, {8, true}};
    QString widths, flags;
    formatDbColumns(cols, widths, flags);
    EXPECT_EQ(widths, u"50,8,"_qs);
    EXPECT_EQ(flags, u"1,0,1,"_qs);
    std::vector<DbColumn> back{{1, false}, {1, true}, {1, false}};
    applyDbColumns(widths, flags, back);
    EXPECT_TRUE(back[0].visible);
    EXPECT_EQ(back[0].width, 50);
    EXPECT_FALSE(back[1].visible);
    EXPECT_TRUE(back[2].visible);
    EXPECT_EQ(back[2].width, 12);
}

TEST_F(Grid, ChangesMadeElsewhereShowAtTheNextListingOrRefresh)
{
    IbexDisplayBuilder b;
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioRoAnalog).point(1, ref(0xD0, 13)).length(120);
    load(b);
    EXPECT_EQ(grid.cell(6, 2), u"1100:AV-12"_qs);
    EXPECT_EQ(grid.cell(7, 3), u"Ibex point type unassigned."_qs);
    // Step 3 reads a point type, the user edits the project-wide list.
    p.addIbexPoint(1, 13, 3);
    OverrideStore other(p.pdb);
    other.globalOvrPut(1, u"IB-12"_qs, u"1100:AV-40"_qs);
    load(b);
    EXPECT_EQ(grid.cell(6, 2), u"1100:AV-40"_qs);
    EXPECT_EQ(grid.cell(6, 3), u"1100:BV-13"_qs);
    // Edited in the table directly while the display stays loaded: a point
    // reset applies the current project-wide override.
    p.exec(u"UPDATE GlobalOVR SET BTPoint = '1100:AV-41'"_qs);
    ASSERT_TRUE(grid.editOverride(6, 2, orOK, u"AV-1"_qs));
    ASSERT_TRUE(grid.editOverride(6, 2, orReset));
    EXPECT_EQ(grid.cell(6, 2), u"1100:AV-41"_qs);
}

TEST_F(Grid, EveryTruncationOfADisplayLists)
{
    IbexDisplayBuilder b;
    b.description(u"Cut"_qs);
    b.add(ioText).caption(u"Label"_qs);
    b.add(ioCheckbox).caption(u"Pump"_qs).point(1, ref(0xC0, 0x645)).kindFlag(1);
    b.add(ioAirflow).airflowPoint(1, ref(0xD0, 12)).length(120);
    b.add(ioGrAnalog).point(1, ref(0x20, 0x84), 7).bitmap(1, u"a.bmp"_qs).length(210);
    b.add(ioBtnCmd).caption(u";LLogin"_qs);
    const QByteArray full = b.bytes();
    const std::vector<int> positions = IbexDisplay::fromBytes(full).walkObjectRecords();
    ASSERT_EQ(positions.size(), 5u);
    for (qsizetype n = 0; n <= full.size(); ++n) {
        grid.loadDisplay(IbexDisplay::fromBytes(full.left(n)), u"disp0001.ibw"_qs, u"disp0001.ibw"_qs, false);
        // A record is listed once its length word is in the file.
        int complete = 0;
        for (int p : positions)
            complete += p - 1 + 2 <= n ? 1 : 0;
        ASSERT_EQ(grid.totalObj, complete) << n;
        ASSERT_TRUE(grid.clipboardText().startsWith(u"Obj#"_qs));
    }
    EXPECT_EQ(grid.cell(6, 4), u"1100:AV-12"_qs);
    EXPECT_EQ(grid.cell(6, 5), u"1204:AI-5"_qs);
}
