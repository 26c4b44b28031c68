// Building a display, continued: graphics with their bitmaps, pushbuttons,
// login buttons and microset graphics converted to pushbuttons.
#include "util/FileUtil.h"
#include "project/ProjectVariables.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "util/TextUtil.h"
#include "bactalk/BtBitmaps.h"
#include "displays/DisplayBuilder.h"
#include "translate/DisplayNaming.h"
#include "translate/PointRef.h"

#include <QFileInfo>

namespace vorlix {

using namespace bt;

namespace {

// A library name "rep-job" into a graphic record; without one the record
// names the default library.
void putLibrary(BtRecord &r, const QString &repJob)
{
    if (repJob.isEmpty()) {
        r.setU8(gfx::UseLibrary, 0);
        return;
    }
    QString name = repJob.toLower();
    const QString rep = nextToken(name, u'-');
    const QString job = nextToken(name, u'-');
    r.putText(gfx::LibRep, gfx::RepJobLen, rep);
    r.putText(gfx::LibJob, gfx::RepJobLen, job);
    r.setU8(gfx::UseLibrary, 1);
}

} // namespace

bool DisplayBuilder::flagIbexPoint()
{
    if (!m_vars.convertZonePts)
        return false;
    if (m_cur.row->hasPointOverride() && !m_cur.row->btPoint.isEmpty())
        return false;
    const SplitRef ref = splitPointRef(rec().pointRef());
    return ref.code == ptref::ZoneGeneric || (ref.code == ptref::Zone && (ref.value & 0x10000u) != 0);
}

void DisplayBuilder::createGraphic()
{
    const IbexObjRec o = rec();
    RecordKind kind = RecordKind::StaticGraphic;
    int n = 4;
    if (m_cur.kind == ioGrAnimated) {
        kind = RecordKind::AnimatedGraphic;
        n = 5;
    } else if (m_cur.kind == ioGrAnalog) {
        kind = RecordKind::AnalogGraphic;
        n = 8;
    }

    QStringList names;
    QString library;
    if (m_cur.kind == ioGrPilot) {
        names = {m_settings.ledOffFile(), m_settings.ledOnFile(), m_settings.ledOffFile(), m_settings.ledOnFile()};
        library = m_settings.ledRepJob();
    } else {
        for (int i = 1; i <= n; ++i)
            names << o.bitmapName(i);
        const bool isLocal = isLocalJobBit(o.options());
        const bool a = isLocal && m_bitmaps.libraryHasAll(m_bitmaps.alertonLibrary(), names);
        const bool d = !a && isLocal && m_bitmaps.libraryHasAll(m_bitmaps.dealerLibrary(), names);
        if (a || d) {
            library = a ? m_settings.alertonRepJob(u"-"_qs) : m_settings.dealerRepJob(u"-"_qs);
            m_messages.add(u"Found "_qs + library + u" bitmap match!"_qs, false);
        } else {
            for (const QString &b : names)
                m_bitmaps.copyGraphicBitmap(b, isLocal);
        }
    }

    BtRecord r = m_writer.append(kind);
    for (int i = 0; i < names.size(); ++i)
        r.putText(gfx::bitmapSlot(i + 1), gfx::BitmapLen, names.at(i));
    putLibrary(r, library);
    copySizingParams(r);
    if (flagIbexPoint()) {
        r.setU16(obj::W, static_cast<uint16_t>(r.u16(obj::W) + 5));
        r.setU16(obj::H, static_cast<uint16_t>(r.u16(obj::H) + 5));
    }
    copyPointData(r);
    r.setU16(obj::Options, static_cast<uint16_t>((o.options() & 0xBF) | (m_vars.setReadonly ? 0x2000 : 0)));
    r.setU8(obj::Level, o.u8(ibw::obj::Level));
    if (kind == RecordKind::AnalogGraphic) {
        r.setU16(gfx::RangeCount, o.u16(ibw::obj::RangeCount));
        for (int i = 1; i <= 4; ++i)
            r.setF64(gfx::rangeLimit(i), o.i16(ibw::obj::RangeLimits + 2 * (i - 1)) / 10.0);
    }
}

void DisplayBuilder::createButton(bool microset, const QString &microsetCaption)
{
    const IbexObjRec o = rec();
    BtRecord r = m_writer.append(RecordKind::Button);
    copySizingParams(r);
    copyFont(r);
    r.putText(btn::Caption, btn::CaptionLen, rowText(microset ? microsetCaption : o.caption()));
    r.setU8(obj::Level, o.u8(ibw::obj::Level));

    const bool displayButton = !microset && m_cur.kind == ioBtnDisp;
    const bool withDevice = !displayButton && (microset || m_fileType == ftDisplay);
    r.setU8(btn::IsTemplate, displayButton ? 0 : 1);

    if (displayButton && o.kindFlag() != 0) {
        // A built-in function, no display to open.
        r.setU16(obj::Options, o.kindFlag());
        r.setU16(obj::DispObjID, CodeButtonDisplay);
        return;
    }

    const ButtonTarget button = m_naming.buttonTarget(o, m_fileType);
    const QString &target = button.name;
    if (button.redirected)
        m_messages.add(u"Button redirected to: "_qs + target, false);

    if (target.contains(u'-')) {
        QString rest = target;
        const QString rep = nextToken(rest, u'-').toLower();
        const QString job = nextToken(rest, u'-').toLower();
        const bool sameJob = rep == m_bitmaps.rep().toLower() && job == m_bitmaps.job().toLower();
        if (sameJob || rest.isEmpty()) {
            r.setU8(btn::OtherJob, 0);
        } else {
            r.putText(btn::Rep, btn::RepJobLen, rep);
            r.putText(btn::Job, btn::RepJobLen, job);
            r.setU8(btn::OtherJob, 1);
        }
    }
    r.setU32(btn::Target, static_cast<uint32_t>(targetNumber(target)));

    if (displayButton && m_fileType == ftTemplate) {
        r.setCurrentDevice(true);
        r.setU16(obj::DispObjID, CodeButtonTemplate);
    } else if (!displayButton && !withDevice && m_fileType == ftTemplate) {
        r.setCurrentDevice(true);
        r.setU16(obj::DispObjID, CodeButtonTemplate);
    } else if (withDevice || m_cur.kind == ioBtnTux) {
        // Templates look no device up: their buttons address the current one.
        if (m_fileType == ftDisplay) {
            // Unmapped, the button opens the panel on a device that does not
            // exist; the grid's note already says so, it is no translation error.
            r.setDevice(static_cast<uint32_t>(button.device));
        } else {
            r.setCurrentDevice(true);
        }
        r.setU16(obj::DispObjID, CodeButtonDevice);
    }
}

void DisplayBuilder::createLoginButton()
{
    const IbexObjRec o = rec();
    if (!o.caption().startsWith(u';'))
        return;
    BtRecord r = m_writer.appendLogin(rowText(o.commandCaption()));
    copySizingParams(r);
}

void DisplayBuilder::mapMSetToBtn()
{
    // The loaded record becomes a 72 x 22 button captioned with its target;
    // the caption is cut to the room the record has, the whole name goes to
    // the button.
    const QString target = m_naming.buttonTarget(rec(), m_fileType).name;
    setIbexU16(ibw::obj::Width, 72);
    setIbexU16(ibw::obj::Height, 22);
    putIbexText(ibw::obj::Caption, 127, target);
    createButton(true, target);
}

} // namespace vorlix
