// The translation of a display: rows built by kind from real display bytes,
// the options, overrides and their precedence, override editing, sorting,
// the clipboard text and the info boxes.
#include "support/TestProject.h"

#include "inventory/RedirectTable.h"
#include "sample/IbexDisplayBuilder.h"
#include "translate/DisplayTranslator.h"

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
        loaded(translator.load(path, DisplayRef{name, local}));
    }
    void loaded(Translation translation)
    {
        t = std::make_unique<Translation>(std::move(translation));
        edited = false;
    }
    // Rows are numbered as the grid shows them: row 1 is the header.
    TranslationRow &at(int r) { return t->rows().at(size_t(r - 1)); }
    QString cell(int c, int r) const { return t->cellText(r - 1, c); }
    // Columns 0 to 7 of a row joined by "|".
    QString row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < Translation::ColCount; ++c)
            cells << cell(c, r);
        return cells.join(u'|');
    }
    // An override edit as the grid makes it; false when the column cannot
    // be overridden. `edited` follows the grid's edited flag.
    bool edit(int c, int r, OverrideResult result, const QString &value = {})
    {
        const DisplayTranslator::Edit e = translator.editOverride(*t, r - 1, c, result, value);
        edited = edited || e == DisplayTranslator::Edit::Changed;
        return e != DisplayTranslator::Edit::NotAllowed;
    }

    test::TestProject p;
    DisplayTranslator translator{p.vars, p.map};
    std::unique_ptr<Translation> t;
    bool edited = false;
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

    EXPECT_EQ(t->totalObjects(), 18);
    EXPECT_EQ(row(1), u"Hdr|Display Info||||Air handler 1||"_qs);
    EXPECT_EQ(row(2), u"Obj.1|Text||Supply||Supply||"_qs);
    EXPECT_EQ(row(3), u"Obj.2|GroupBox||Fans||Fans||"_qs);
    EXPECT_EQ(row(4), u"Obj.3|DateTime||DateTime||DateTime||"_qs);
    EXPECT_EQ(row(5), u"Obj.4|Button-Default||Print||Print||No translation."_qs);
    EXPECT_EQ(at(5).ovr, ObjOverride::Skip);
    EXPECT_EQ(row(6), u"Obj.5|Button-Display||Next||Next||"_qs);
    EXPECT_EQ(row(7), u"Obj.6|Button-CPanel|1|Zone 7|CPanel 7|Zone 7|Dev-ID: 1204|"_qs);
    EXPECT_EQ(row(8), u"Obj.7|Button-TuxView|1|VAV|Tx-2-3|VAV|Dev-ID: 1303|"_qs);
    EXPECT_EQ(row(9), u"Obj.8|Button-Command||Login||Login||"_qs);
    EXPECT_EQ(at(9).exception, excLoginBtn);
    // The caption proper starts after ";" and the command character.
    EXPECT_EQ(row(10), u"Obj.9|Button-Command||uit||uit||No translation."_qs);
    EXPECT_EQ(at(10).exception, excNone);
    EXPECT_EQ(row(11), u"Obj.10|Analog-Readonly|1||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(12), u"Obj.11|Digital-Prompted|1||Tux-1-3-DO-6||1203:BO-6|"_qs);
    EXPECT_EQ(row(13), u"Obj.12|Checkbox|1|Pump|Tux-1-3-DO-6|Pump|1203:BO-6|Reversed DO state!"_qs);
    EXPECT_EQ(row(14), u"Obj.13|Checkbox|1|GL|GL-3|GL|AV-999|Global Pt"_qs);
    EXPECT_EQ(row(15), u"Obj.14|Airflow-Readonly|||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(16), u"Obj.15|Graphic-Pilot|1||CP-7: ZG-Cooldn,ZG Cooldown||1204:AV-999|Zone Generic"_qs);
    EXPECT_EQ(row(17), u"Obj.16|CPanel-Alarms|1|CPanel-Alarms||||Will be skipped."_qs);
    EXPECT_EQ(at(17).ovr, ObjOverride::Skip);
    EXPECT_EQ(row(18), u"Obj.17|Graphic-Microset|1||CPanel 7|||Will be skipped."_qs);
    EXPECT_EQ(row(19), u"Obj.18|Unknown-object||||||"_qs);
    EXPECT_EQ(at(19).kind, ioUnknown);
    EXPECT_EQ(at(2).position, 189);
    EXPECT_EQ(at(19).object, 18);
    EXPECT_EQ(t->rows().size(), 19u); // the header and 18 objects, nothing more
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
    EXPECT_EQ(at(5).ovr, ObjOverride::None);
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
    EXPECT_EQ(t->fileType(), ftTemplate);
    EXPECT_EQ(row(2), u"Obj.1|Button-Display||Back|Same Cpanel|Back||"_qs);
    EXPECT_EQ(row(3), u"Obj.2|Button-Display||Fn||Fn||"_qs);
    EXPECT_EQ(row(4), u"Obj.3|Analog-Readonly|||ZT-AI-5||AI-5|"_qs);
    EXPECT_EQ(row(5), u"Obj.4|Analog-Readonly|1||IB-12||1100:AV-12|"_qs);
    EXPECT_EQ(row(6), u"Obj.5|CPanel-Desc||CPanel-Desc||||Will be skipped."_qs);
    EXPECT_EQ(row(7), u"Obj.6|Graphic-Microset|1||CPanel 7|||Convert to button. Change text!"_qs);
    load(b, u"ctxd0002.ibw"_qs);
    EXPECT_EQ(t->fileType(), ftTuxTemplate);
    EXPECT_EQ(cell(4, 2), QString()); // "Same Cpanel" only in control-panel templates
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
    EXPECT_EQ(t->totalObjects(), 299);
    EXPECT_EQ(cell(3, 3), u"b"_qs);
    EXPECT_EQ(cell(0, 3), u"Obj.2"_qs);
    EXPECT_EQ(cell(0, 257), u"Obj.256"_qs);
    EXPECT_EQ(t->clipboardText().count(u'\n'), 257);
}

TEST_F(Grid, DamagedFilesListWhatCanBeListed)
{
    // A record claiming 200 bytes in a file that ends after 100 of them.
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"ok"_qs);
    b.add(ioCheckbox).caption(u"cut"_qs).point(1, ref(0xD0, 12)).length(200, true);
    load(b);
    EXPECT_EQ(t->totalObjects(), 2);
    EXPECT_EQ(cell(4, 3), u"IB-12"_qs);
    // A header shorter than 188 bytes: only the header row.
    const QString path = p.writeDisplay(u"disp0002.ibw"_qs, QByteArray(100, 'x'));
    loaded(translator.load(path, DisplayRef{u"disp0002.ibw"_qs, false}));
    EXPECT_EQ(t->totalObjects(), 0);
    EXPECT_EQ(cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(cell(5, 1), u"xxxxxxxxxxxxxxxxxxxxxxxx"_qs); // the title runs to the end of the data
    // A missing file: an error naming it, nothing loaded.
    EXPECT_THROW(translator.load(p.jobFolder() + u"/ldisplay/none.ibw"_qs, DisplayRef{u"none.ibw"_qs, false}),
                 std::exception);
}

TEST_F(Grid, OverridePrecedence)
{
    IbexDisplayBuilder b;
    b.add(ioCheckbox).caption(u"Pump"_qs).point(1, ref(0xD0, 12));
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioRoAnalog).point(1, ref(0x10, 5)).length(120);
    OverrideStore &s = translator.overrides();
    const DisplayRef disp0001{u"disp0001.ibw"_qs, false};
    s.globalOvrPut(1, u"ib-12"_qs, u"1100:AV-77"_qs);
    s.globalOvrPut(1, u"GL-5"_qs, SkipMark);
    s.displayOvrPut(disp0001, 1, false, u"Pump"_qs, u"Pump 1"_qs);
    s.displayOvrPut(disp0001, 1, true, u"IB-12"_qs, u"1100:AV-50"_qs);
    load(b);
    EXPECT_EQ(row(2), u"Obj.1|Checkbox|1|Pump|IB-12|Pump 1|1100:AV-50|"_qs);
    EXPECT_EQ(at(2).ovr, ObjOverride::TextAndPoint);
    EXPECT_EQ(cell(6, 3), u"1100:AV-77"_qs); // the project-wide override
    EXPECT_EQ(at(3).ovr, ObjOverride::Point);
    // A project-wide "$SKIP" skips the row and leaves its point as translated.
    EXPECT_EQ(at(4).ovr, ObjOverride::Skip);
    EXPECT_EQ(cell(6, 4), u"AV-999"_qs);
    // "$SKIP" per display wins over the text override.
    s.displayOvrPut(disp0001, 1, true, u"IB-12"_qs, SkipMark);
    load(b);
    EXPECT_EQ(at(2).ovr, ObjOverride::Skip);
    EXPECT_EQ(cell(5, 2), u"Pump 1"_qs);
    // The same name in the local job has none of these.
    load(b, u"disp0001.ibw"_qs, true);
    EXPECT_EQ(at(2).ovr, ObjOverride::Point);
    EXPECT_EQ(cell(6, 2), u"1100:AV-77"_qs);
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
    EXPECT_FALSE(edit(6, 2, OverrideResult::OK, u"1:AV-1"_qs));
    EXPECT_FALSE(edited);
    EXPECT_TRUE(Translation::canOverride(at(1), 5));
    EXPECT_FALSE(Translation::canOverride(at(1), 6));
    // The display title override comes back with the display.
    ASSERT_TRUE(edit(5, 1, OverrideResult::OK, u"New title"_qs));
    load(b);
    EXPECT_EQ(cell(5, 1), u"New title"_qs);
    EXPECT_EQ(at(1).ovr, ObjOverride::Text);
    ASSERT_TRUE(edit(5, 1, OverrideResult::Reset));
    EXPECT_EQ(at(1).ovr, ObjOverride::None);
    // A text refresh of the header fills nothing; the next load shows the
    // description again.
    EXPECT_EQ(cell(5, 1), QString());
    EXPECT_EQ(cell(0, 1), u"Hdr"_qs);
    load(b);
    EXPECT_EQ(at(1).ovr, ObjOverride::None);
    EXPECT_EQ(cell(5, 1), u"Boiler room"_qs);
    EXPECT_FALSE(edited);
    EXPECT_TRUE(edit(5, 3, OverrideResult::Cancel));
    EXPECT_FALSE(edited);

    ASSERT_TRUE(edit(5, 3, OverrideResult::OK, u"Pump 2"_qs));
    EXPECT_EQ(at(3).ovr, ObjOverride::Text);
    EXPECT_EQ(Translation::cellLook(at(3), 5), CellLook::Overridden);
    EXPECT_EQ(Translation::cellLook(at(3), 6), CellLook::Translated);
    EXPECT_EQ(Translation::cellLook(at(3), 4), CellLook::Plain);
    ASSERT_TRUE(edit(6, 3, OverrideResult::OK, u"1200:BO-4-P104"_qs));
    EXPECT_EQ(at(3).ovr, ObjOverride::TextAndPoint);
    EXPECT_TRUE(edited);
    // Reset in column 6 keeps the text override, in column 5 the point one.
    ASSERT_TRUE(edit(6, 3, OverrideResult::Reset));
    EXPECT_EQ(at(3).ovr, ObjOverride::Text);
    EXPECT_EQ(cell(6, 3), u"1100:AV-12"_qs);
    EXPECT_EQ(cell(5, 3), u"Pump 2"_qs);
    load(b);
    EXPECT_EQ(at(3).ovr, ObjOverride::Text);
    EXPECT_EQ(cell(5, 3), u"Pump 2"_qs);
    ASSERT_TRUE(edit(6, 3, OverrideResult::OK, u"BV-9"_qs));
    ASSERT_TRUE(edit(5, 3, OverrideResult::Reset));
    EXPECT_EQ(at(3).ovr, ObjOverride::Point);
    EXPECT_EQ(cell(5, 3), u"Pump"_qs);
    load(b);
    EXPECT_EQ(at(3).ovr, ObjOverride::Point);
    EXPECT_EQ(cell(6, 3), u"BV-9"_qs);

    // Skip stores "$SKIP"; a reload shows the row skipped.
    ASSERT_TRUE(edit(6, 4, OverrideResult::Skip));
    EXPECT_EQ(at(4).ovr, ObjOverride::Skip);
    EXPECT_EQ(Translation::cellLook(at(4), 5), CellLook::Skipped);
    EXPECT_EQ(Translation::cellLook(at(4), 6), CellLook::Skipped);
    load(b);
    EXPECT_EQ(at(4).ovr, ObjOverride::Skip);
    // Reset of a single override clears both columns back to the translation.
    ASSERT_TRUE(edit(6, 4, OverrideResult::Reset));
    EXPECT_EQ(at(4).ovr, ObjOverride::None);
    ASSERT_TRUE(edit(5, 3, OverrideResult::OK, u"X"_qs));
    ASSERT_TRUE(edit(6, 3, OverrideResult::Reset)); // state was TextAndPoint
    ASSERT_TRUE(edit(5, 3, OverrideResult::Reset)); // now Text: everything goes
    EXPECT_EQ(at(3).ovr, ObjOverride::None);
    EXPECT_EQ(cell(5, 3), u"Pump"_qs);
    EXPECT_EQ(cell(6, 3), u"1100:AV-12"_qs);
    load(b);
    EXPECT_EQ(at(3).ovr, ObjOverride::None);
    // Reset outside text-and-point deletes both overrides but rebuilds only
    // the edited column: a point skip reset in column 6 leaves the text
    // column as it was shown until the next load.
    ASSERT_TRUE(edit(5, 3, OverrideResult::OK, u"Pump 3"_qs));
    ASSERT_TRUE(edit(6, 3, OverrideResult::Skip));
    ASSERT_TRUE(edit(6, 3, OverrideResult::Reset));
    EXPECT_EQ(at(3).ovr, ObjOverride::None);
    EXPECT_EQ(cell(5, 3), u"Pump 3"_qs);
    EXPECT_EQ(cell(6, 3), u"1100:AV-12"_qs);
    load(b);
    EXPECT_EQ(at(3).ovr, ObjOverride::None);
    EXPECT_EQ(cell(5, 3), u"Pump"_qs);

    // A point reset with a project-wide override applies it again.
    translator.overrides().globalOvrPut(1, u"IB-12"_qs, u"1100:AV-5"_qs);
    ASSERT_TRUE(edit(6, 4, OverrideResult::OK, u"AV-1"_qs));
    ASSERT_TRUE(edit(6, 4, OverrideResult::Reset));
    EXPECT_EQ(at(4).ovr, ObjOverride::Point);
    EXPECT_EQ(cell(6, 4), u"1100:AV-5"_qs);
    // A project-wide "$SKIP" re-applied by a point refresh skips the row.
    translator.overrides().globalOvrPut(1, u"IB-12"_qs, SkipMark);
    ASSERT_TRUE(edit(6, 4, OverrideResult::OK, u"AV-1"_qs));
    ASSERT_TRUE(edit(6, 4, OverrideResult::Reset));
    EXPECT_EQ(at(4).ovr, ObjOverride::Skip);
    EXPECT_EQ(cell(6, 4), u"1100:AV-12"_qs);
}

TEST_F(Grid, SortingAndClipboard)
{
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"beta"_qs);
    b.add(ioText).caption(u"Alpha"_qs);
    b.add(ioCheckbox).caption(u"alpha"_qs).point(1, ref(0xD0, 12));
    load(b);
    t->sort(soObjType);
    // "Checkbox" < "Display Info" < "Text". A selection sort: the exchanges
    // leave the two "Text" rows in reverse order.
    EXPECT_EQ(cell(0, 1), u"Obj.3"_qs);
    EXPECT_EQ(cell(0, 2), u"Hdr"_qs);
    EXPECT_EQ(cell(0, 3), u"Obj.2"_qs);
    EXPECT_EQ(cell(0, 4), u"Obj.1"_qs);
    EXPECT_EQ(at(1).position, t->file().walkObjectRecords()[2]);
    EXPECT_EQ(at(2).kind, ioHdrDesc);
    t->sort(soIndex);
    EXPECT_EQ(cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(cell(0, 4), u"Obj.3"_qs);
    // Ibex Text: the header's empty text is never strictly smaller.
    t->sort(soIbexText);
    EXPECT_EQ(cell(0, 1), u"Hdr"_qs);
    EXPECT_EQ(cell(0, 2), u"Obj.2"_qs); // Alpha, found before alpha
    EXPECT_EQ(cell(0, 3), u"Obj.3"_qs);
    EXPECT_EQ(cell(0, 4), u"Obj.1"_qs);
    t->sort(soIndex);
    EXPECT_EQ(t->clipboardText(),
              u"Obj#\tType\tApex#\tIbex-Text\tIbex-Pt\tBT-Text\tBT-Pt\tNotes\n"
              "Hdr\tDisplay Info\t\t\t\t\t\t\n"
              "Obj.1\tText\t\tbeta\t\tbeta\t\t\n"
              "Obj.2\tText\t\tAlpha\t\tAlpha\t\t\n"
              "Obj.3\tCheckbox\t1\talpha\tIB-12\talpha\t1100:AV-12\t"_qs);
    EXPECT_EQ(t->indexOfObject(3), 3); // grid row 4
    EXPECT_EQ(t->indexOfObject(4), -1);
}

TEST_F(Grid, InfoBoxes)
{
    IbexDisplayBuilder b;
    b.bitmapBackground(u"C:\\pics\\plant.bmp"_qs);
    b.add(ioBtnDisp).caption(u"Next"_qs).point(0, 12).options(0x40);
    b.add(ioBtnCP).caption(u"Zone"_qs).point(1, 7).u16(22, 3);
    b.add(ioText).caption(u"t"_qs);
    RedirectTable(p.pdb).setRedirect(u"disp0012.ibw"_qs, u"alerton-standard-00000099.dsp"_qs, true);
    load(b);
    EXPECT_EQ(translator.info(*t, 0).ibex, u"C:\\pics\\plant.bmp"_qs);
    EXPECT_EQ(translator.info(*t, 0).bactalk, u"plant.bmp"_qs);
    EXPECT_EQ(translator.info(*t, 1).ibex, u"localjob:disp0012.ibw"_qs);
    EXPECT_EQ(translator.info(*t, 1).bactalk, u"Redirected: alerton-standard-00000099.dsp"_qs);
    EXPECT_EQ(translator.info(*t, 2).ibex, u"ccpd0003.ibw"_qs);
    EXPECT_EQ(translator.info(*t, 2).bactalk, u"00000003.dvt"_qs);
    EXPECT_EQ(translator.info(*t, 3).ibex, QString());
    IbexDisplayBuilder c;
    c.colorBackground(0x0000FF);
    load(c);
    EXPECT_EQ(translator.info(*t, 0).ibex, u"Color: clRed"_qs);
    EXPECT_EQ(colorToString(0x00123456), u"$00123456"_qs);
}

TEST_F(Grid, ChangesMadeElsewhereShowAtTheNextListingOrRefresh)
{
    IbexDisplayBuilder b;
    b.add(ioRoAnalog).point(1, ref(0xD0, 12)).length(120);
    b.add(ioRoAnalog).point(1, ref(0xD0, 13)).length(120);
    load(b);
    EXPECT_EQ(cell(6, 2), u"1100:AV-12"_qs);
    EXPECT_EQ(cell(7, 3), u"Ibex point type unassigned."_qs);
    // Step 3 reads a point type, the user edits the project-wide list.
    p.addIbexPoint(1, 13, 3);
    OverrideStore other(p.pdb);
    other.globalOvrPut(1, u"IB-12"_qs, u"1100:AV-40"_qs);
    load(b);
    EXPECT_EQ(cell(6, 2), u"1100:AV-40"_qs);
    EXPECT_EQ(cell(6, 3), u"1100:BV-13"_qs);
    // Edited in the table directly while the display stays loaded: a point
    // reset applies the current project-wide override.
    p.exec(u"UPDATE GlobalOVR SET BTPoint = '1100:AV-41'"_qs);
    ASSERT_TRUE(edit(6, 2, OverrideResult::OK, u"AV-1"_qs));
    ASSERT_TRUE(edit(6, 2, OverrideResult::Reset));
    EXPECT_EQ(cell(6, 2), u"1100:AV-41"_qs);
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
        loaded(translator.load(IbexDisplay::fromBytes(full.left(n)), u"disp0001.ibw"_qs,
                               DisplayRef{u"disp0001.ibw"_qs, false}));
        // A record is listed once its length word is in the file.
        int complete = 0;
        for (int p : positions)
            complete += p - 1 + 2 <= n ? 1 : 0;
        ASSERT_EQ(t->totalObjects(), complete) << n;
        ASSERT_TRUE(t->clipboardText().startsWith(u"Obj#"_qs));
    }
    EXPECT_EQ(cell(6, 4), u"1100:AV-12"_qs);
    EXPECT_EQ(cell(6, 5), u"1204:AI-5"_qs);
}
