#include "sample/SampleDisplays.h"

#include "util/ByteWriter.h"
#include "util/FileUtil.h"
#include "sample/IbexDisplayBuilder.h"

namespace vorlix::sample {

namespace {

// Point types of Tux and zone references.
constexpr int DI = 0, DO = 1, AI = 2, AO = 3;
constexpr uint8_t kLocal = 0x40;
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kNavy = 0x800000, kRed = 0x0000FF;

IbexRecordBuilder &label(IbexDisplayBuilder &d, int x, int y, const QString &text)
{
    return d.add(ioText).rect(x, y, 160, 20).colors(kBlack, kWhite, kRed).font(u"Arial"_qs, 0, 400, 0).caption(text);
}

IbexRecordBuilder &button(IbexDisplayBuilder &d, IbexObject kind, int x, int y, const QString &caption)
{
    return d.add(kind).rect(x, y, 120, 28).colors(kBlack, 0xC0C0C0, kRed).font(u"Arial"_qs, 0, 700, 0).caption(caption);
}

IbexRecordBuilder &value(IbexDisplayBuilder &d, IbexObject kind, int x, int y, int apex, uint32_t pointRef, int cp = 0)
{
    IbexRecordBuilder &r = d.add(kind).rect(x, y, 80, 20).colors(kNavy, kWhite, kRed).point(apex, pointRef, cp);
    if (isDigitalValue(kind))
        r.text(ibw::obj::ActiveText, u"On"_qs).text(ibw::obj::InactiveText, u"Off"_qs).length(128);
    else
        r.text(ibw::obj::Units, u"degF"_qs).f64(ibw::obj::Factor, 1.0).u8(ibw::obj::Decimals, 1).u16(ibw::obj::Increment, 5).length(120);
    return r;
}

IbexRecordBuilder &graphic(IbexDisplayBuilder &d, IbexObject kind, int x, int y, int apex, uint32_t pointRef,
                           std::initializer_list<const char *> bitmaps, int cp = 0)
{
    IbexRecordBuilder &r = d.add(kind).rect(x, y, 48, 48).point(apex, pointRef, cp);
    int i = 1;
    for (const char *b : bitmaps)
        r.bitmap(i++, QLatin1String(b));
    if (kind == ioGrAnalog)
        r.u16(ibw::obj::RangeCount, 4).u16(202, 0).u16(204, 250).u16(206, 500).u16(208, 750);
    r.length(kind == ioGrAnalog ? 210 : 200);
    return r;
}

// The control-panel objects of a zone, on control panel `cp`.
void controlPanelObjects(IbexDisplayBuilder &d, int y, int apex, int cp)
{
    const IbexObject kinds[] = {ioCpStatus, ioCpDesc, ioCpAlarms, ioCpNum, ioCpType, ioCpTime, ioCpHoliday, ioCpEvent};
    int x = 20;
    for (IbexObject k : kinds) {
        d.add(k).rect(x, y, 70, 20).colors(kBlack, kWhite, kRed).point(apex, 0, cp);
        x += 75;
    }
}

IbexDisplayBuilder mainDisplay()
{
    IbexDisplayBuilder d;
    d.description(u"Plaza - Plant Overview"_qs).bitmapBackground(u"plant.bmp"_qs).size(800, 600);
    label(d, 20, 10, u"Central Plant"_qs);
    d.add(ioGroupBox).rect(10, 40, 380, 200).colors(kBlack, kWhite, kRed).caption(u"Navigation"_qs);
    d.add(ioTimeDate).rect(600, 10, 180, 20).colors(kBlack, kWhite, kRed);
    button(d, ioBtnDisp, 20, 60, u"Air Handler 1"_qs).point(0, 2);
    button(d, ioBtnDisp, 20, 95, u"Zones"_qs).point(0, 3);
    button(d, ioBtnDisp, 20, 130, u"Service"_qs).point(0, 4);
    button(d, ioBtnDisp, 20, 165, u"Local Overview"_qs).point(0, 10).options(kLocal);
    button(d, ioBtnDisp, 20, 200, u"Alarms"_qs).point(0, 0).kindFlag(7); // a built-in function
    button(d, ioBtnCP, 160, 60, u"Zone 1 Panel"_qs).point(1, 12).u16(ibw::obj::TemplateNumber, 1);
    button(d, ioBtnCP, 160, 95, u"Lobby Panel"_qs).point(2, 5).u16(ibw::obj::TemplateNumber, 5).options(kLocal);
    button(d, ioBtnTux, 160, 130, u"VAV 1-3"_qs).point(1, ref::tuxButton(1, 3)).u16(ibw::obj::TemplateNumber, 1);
    button(d, ioBtnTux, 160, 165, u"VAV 2-7"_qs).point(1, ref::tuxButton(2, 7)).u16(ibw::obj::TemplateNumber, 2).options(kLocal);
    button(d, ioBtnCPSetup, 160, 200, u"Panel Setup"_qs).point(1, 12).u16(ibw::obj::TemplateNumber, 1);
    button(d, ioBtnDef, 300, 60, u"Print"_qs);
    button(d, ioBtnCmd, 300, 95, u"Login"_qs).text(ibw::obj::Caption, u";LLogin"_qs);
    button(d, ioBtnCmd, 300, 130, u"Acknowledge"_qs).text(ibw::obj::Caption, u":AAcknowledge"_qs);
    value(d, ioRoAnalog, 420, 60, 1, ref::ibex(1));
    value(d, ioRoDigital, 420, 90, 1, ref::ibex(2));
    return d;
}

IbexDisplayBuilder airHandler()
{
    IbexDisplayBuilder d;
    d.description(u"Air Handler 1"_qs).bitmapBackground(u"ahu.bmp"_qs).size(800, 600);
    label(d, 20, 10, u"AHU-1 Supply Fan"_qs);
    value(d, ioRoDigital, 20, 40, 1, ref::tux(1, 3, DI, 1));
    value(d, ioRoAnalog, 20, 70, 1, ref::tux(1, 3, AI, 5));
    value(d, ioDigital, 20, 100, 1, ref::tux(1, 3, DO, 6));
    value(d, ioAnalog, 20, 130, 1, ref::tux(1, 3, AO, 2));
    value(d, ioRoAnalog, 20, 160, 1, ref::pulse(1, 3, 0, 6));
    value(d, ioRoAnalog, 20, 190, 1, ref::pulse(2, 7, 1, 6));
    value(d, ioAnalog, 20, 220, 1, ref::ibex(3));
    value(d, ioDigital, 20, 250, 2, ref::ibex(1));
    value(d, ioRoAnalog, 20, 280, 2, ref::tux(1, 4, AI, 1));
    d.add(ioCheckbox).rect(200, 40, 100, 20).colors(kBlack, kWhite, kRed).caption(u"Fan enable"_qs).point(1, ref::tux(1, 3, DO, 7));
    d.add(ioCheckbox).rect(200, 70, 100, 20).colors(kBlack, kWhite, kRed).caption(u"Heat lockout"_qs).point(1, ref::tux(2, 7, DO, 1)).kindFlag(1);
    d.add(ioAirflow).rect(200, 100, 80, 20).airflowPoint(1, ref::tux(1, 3, AI, 8)).length(120);
    d.add(ioRoAirflow).rect(200, 130, 80, 20).airflowPoint(1, ref::ibex(4)).length(120);
    graphic(d, ioGrPilot, 400, 40, 1, ref::tux(1, 3, DI, 1), {"fan_off.bmp", "fan_on.bmp"});
    graphic(d, ioGrStatic, 460, 40, 1, 0, {"duct.bmp"});
    graphic(d, ioGrAnalog, 520, 40, 1, ref::tux(1, 3, AO, 2), {"damper0.bmp", "damper1.bmp", "damper2.bmp", "damper3.bmp"});
    graphic(d, ioGrAnimated, 580, 40, 1, ref::tux(1, 3, DI, 1), {"fan_a.bmp", "fan_b.bmp", "fan_c.bmp"}).options(kLocal);
    button(d, ioBtnDisp, 20, 400, u"Back"_qs).point(0, 1);
    return d;
}

IbexDisplayBuilder zones()
{
    IbexDisplayBuilder d;
    d.description(u"Zones"_qs).colorBackground(0xC0C0C0).size(800, 600);
    label(d, 20, 10, u"Zone 1 (panel 12)"_qs);
    value(d, ioRoAnalog, 20, 40, 1, ref::zone(AI, 5), 12);
    value(d, ioDigital, 120, 40, 1, ref::zone(DO, 2), 12);
    value(d, ioAnalog, 220, 40, 1, ref::genericZone(6), 12);
    value(d, ioRoAnalog, 320, 40, 1, ref::customZone(256), 12);
    controlPanelObjects(d, 70, 1, 12);
    label(d, 20, 110, u"Lobby (Apex 2, panel 5)"_qs);
    value(d, ioRoAnalog, 20, 140, 2, ref::zone(AI, 1), 5);
    value(d, ioRoDigital, 120, 140, 2, ref::genericZone(0), 5);
    d.add(ioTuxAddress).rect(220, 140, 60, 20).point(1, ref::tuxButton(1, 3));
    graphic(d, ioGrMicroset, 20, 200, 1, 12, {"microset.bmp"}).u16(ibw::obj::TemplateNumber, 1);
    graphic(d, ioGrMicroset, 80, 200, 1, 9, {"microset.bmp"}).u16(ibw::obj::TemplateNumber, 1);
    button(d, ioBtnDisp, 20, 400, u"Back"_qs).point(0, 1);
    return d;
}

// Objects whose points cannot be translated, so the notes show every problem.
IbexDisplayBuilder service()
{
    IbexDisplayBuilder d;
    d.description(u"Service - translation problems"_qs).size(640, 480);
    label(d, 20, 10, u"Points to review"_qs);
    value(d, ioRoAnalog, 20, 40, 1, ref::global(12));
    value(d, ioRoAnalog, 20, 70, 40, ref::tux(1, 1, AI, 1));   // no such Apex
    value(d, ioRoAnalog, 20, 100, 40, ref::ibex(7));
    value(d, ioRoAnalog, 20, 130, 1, ref::ibex(999));          // point never read
    value(d, ioRoAnalog, 20, 160, 1, ref::zone(AI, 3, 2), 12); // Tux offset
    value(d, ioRoAnalog, 20, 190, 1, ref::zone(AI, 3), 9);     // control panel not in the map
    value(d, ioRoAnalog, 20, 220, 1, ref::genericZone(22), 9);
    button(d, ioBtnCP, 200, 40, u"Panel 9"_qs).point(1, 9).u16(ibw::obj::TemplateNumber, 1);
    button(d, ioBtnTux, 200, 75, u"VAV 3-1"_qs).point(1, ref::tuxButton(3, 1)).u16(ibw::obj::TemplateNumber, 1);
    d.add(ioText).length(22);                        // stepped over by the grid
    d.addCode(0x0909).rect(200, 120, 10, 10);        // an object code no kind has
    button(d, ioBtnDisp, 20, 400, u"Back"_qs).point(0, 1);
    button(d, ioBtnDisp, 160, 400, u"Floors"_qs).point(0, 5);
    return d;
}

// A chain of floor displays, each opening the next: the scan reaches them
// level by level (disp0008 lies beyond the default depth of 5, so its button
// to disp0009 is not followed). `missing` adds a button to a display the job
// does not have.
IbexDisplayBuilder floorDisplay(int floor, int next, int missing = 0)
{
    IbexDisplayBuilder d;
    d.description(QStringLiteral("Floor %1").arg(floor)).colorBackground(0xE0E0E0).size(640, 480);
    label(d, 20, 10, QStringLiteral("Floor %1 overview").arg(floor));
    value(d, ioRoAnalog, 20, 40, 1, ref::ibex(1));
    button(d, ioBtnDisp, 20, 400, u"Plant"_qs).point(0, 1);
    if (next > 0)
        button(d, ioBtnDisp, 160, 400, u"Next floor"_qs).point(0, uint32_t(next));
    if (missing > 0)
        button(d, ioBtnDisp, 300, 400, u"Roof"_qs).point(0, uint32_t(missing));
    return d;
}

IbexDisplayBuilder panelTemplate(const QString &title, int nextPage, bool local)
{
    IbexDisplayBuilder d;
    d.description(title).bitmapBackground(u"panel.bmp"_qs).size(640, 480);
    label(d, 20, 10, title);
    value(d, ioRoAnalog, 20, 40, 1, ref::zone(AI, 1));
    value(d, ioAnalog, 20, 70, 1, ref::zone(AO, 2));
    value(d, ioDigital, 20, 100, 1, ref::zone(DO, 3));
    value(d, ioRoDigital, 20, 130, 1, ref::genericZone(12));
    value(d, ioRoAnalog, 20, 160, 1, ref::ibex(3));
    controlPanelObjects(d, 200, 1, 0);
    graphic(d, ioGrMicroset, 20, 240, 1, 0, {"microset.bmp"}).u16(ibw::obj::TemplateNumber, nextPage);
    button(d, ioBtnDisp, 20, 300, u"Next page"_qs).point(0, nextPage).options(local ? kLocal : 0);
    button(d, ioBtnDisp, 160, 300, u"Trend"_qs).point(0, 0).kindFlag(2);
    return d;
}

IbexDisplayBuilder tuxTemplate(const QString &title)
{
    IbexDisplayBuilder d;
    d.description(title).colorBackground(0xFFFFFF).size(640, 480);
    label(d, 20, 10, title);
    d.add(ioTuxAddress).rect(200, 10, 60, 20).point(1, 0);
    value(d, ioRoAnalog, 20, 40, 1, ref::zone(AI, 1));
    value(d, ioAnalog, 20, 70, 1, ref::zone(AO, 1));
    value(d, ioRoDigital, 20, 100, 1, ref::zone(DI, 2));
    graphic(d, ioGrPilot, 200, 40, 1, ref::zone(DI, 2), {"fan_off.bmp", "fan_on.bmp"});
    button(d, ioBtnDisp, 20, 300, u"Setup"_qs).point(0, 1);
    return d;
}

IbexDisplayBuilder localOverview()
{
    IbexDisplayBuilder d;
    d.description(u"Local Overview"_qs).bitmapBackground(u"lobby.bmp"_qs).size(800, 600);
    label(d, 20, 10, u"Lobby"_qs);
    value(d, ioRoAnalog, 20, 40, 2, ref::tux(1, 4, AI, 2));
    value(d, ioRoDigital, 20, 70, 2, ref::ibex(2));
    graphic(d, ioGrPilot, 200, 40, 2, ref::tux(1, 4, DI, 1), {"lamp_off.bmp", "lamp_on.bmp"}).options(kLocal);
    button(d, ioBtnDisp, 20, 300, u"Plant"_qs).point(0, 1);
    button(d, ioBtnCP, 160, 300, u"Lobby Panel"_qs).point(2, 1).u16(ibw::obj::TemplateNumber, 5).options(kLocal);
    return d;
}

void writeBitmaps(const QString &folder, std::initializer_list<const char *> names)
{
    uint32_t color = 0x203040;
    for (const char *n : names) {
        writeFileAtomically(folder + u'/' + QLatin1String(n), tinyBitmap(color));
        color = (color * 7 + 0x101010) & 0xFFFFFF;
    }
}

} // namespace

QByteArray tinyBitmap(uint32_t color)
{
    constexpr int kRow = 8; // 2 pixels x 3 bytes, padded to 4
    constexpr int kSize = 14 + 40 + 2 * kRow;
    QByteArray b(kSize, '\0');
    ByteWriter w(b, ByteWriter::Extent::Fixed);
    w.bytes(0, "BM").u32(2, kSize).u32(10, 54); // file header
    w.u32(14, 40).u32(18, 2).u32(22, 2).u16(26, 1).u16(28, 24).u32(34, 2 * kRow); // 2 x 2 pixels of 24 bits
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            const int off = 54 + y * kRow + 3 * x;
            // A pixel is blue, green, red; the colour is 0x00BBGGRR.
            w.u8(off, (color >> 16) & 0xFF).u8(off + 1, (color >> 8) & 0xFF).u8(off + 2, color & 0xFF);
        }
    return b;
}

void writeSampleDisplays(const SampleJobPaths &p)
{
    const QString job = p.job + u"/ldisplay"_qs;
    const QString local = p.localJob + u"/ldisplay"_qs;
    mainDisplay().write(job + u"/disp0001.ibw"_qs);
    airHandler().write(job + u"/disp0002.ibw"_qs);
    zones().write(job + u"/disp0003.ibw"_qs);
    service().write(job + u"/disp0004.ibw"_qs);
    panelTemplate(u"Zone panel - page 1"_qs, 2, false).write(job + u"/ccpd0001.ibw"_qs);
    panelTemplate(u"Zone panel - page 2"_qs, 1, false).write(job + u"/ccpd0002.ibw"_qs);
    tuxTemplate(u"VAV controller"_qs).write(job + u"/ctxd0001.ibw"_qs);
    floorDisplay(1, 6).write(job + u"/disp0005.ibw"_qs);
    floorDisplay(2, 7, 42).write(job + u"/disp0006.ibw"_qs);
    floorDisplay(3, 8).write(job + u"/disp0007.ibw"_qs);
    floorDisplay(4, 9).write(job + u"/disp0008.ibw"_qs);
    floorDisplay(5, 0).write(job + u"/disp0009.ibw"_qs);
    writeBitmaps(job, {"plant.bmp", "ahu.bmp", "panel.bmp", "fan_off.bmp", "fan_on.bmp", "duct.bmp", "damper0.bmp",
                       "damper1.bmp", "damper2.bmp", "damper3.bmp", "microset.bmp"});

    localOverview().write(local + u"/disp0010.ibw"_qs);
    panelTemplate(u"Lobby panel"_qs, 5, true).write(local + u"/ccpd0005.ibw"_qs);
    tuxTemplate(u"Lobby VAV"_qs).write(local + u"/ctxd0002.ibw"_qs);
    writeBitmaps(local, {"lobby.bmp", "panel.bmp", "fan_a.bmp", "fan_b.bmp", "fan_c.bmp", "lamp_off.bmp", "lamp_on.bmp"});
}

} // namespace vorlix::sample
