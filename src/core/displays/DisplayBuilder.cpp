#include "displays/DisplayBuilder.h"

#include "bactalk/BtPointBinding.h"
#include "project/ProjectVariables.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "translate/DisplayNaming.h"
#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/ByteWriter.h"
#include "util/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace vorlix {

using namespace bt;

DisplayBuilder::DisplayBuilder(const ProjectVariables &vars, const Settings &settings, SessionLog &log,
                               Prompter &prompter, DisplayNaming &naming, const QString &projectFolder,
                               const QString &localJobFolder)
    : m_vars(vars), m_settings(settings), m_log(log), m_prompter(prompter), m_naming(naming), m_messages(log),
      m_bitmaps(settings, m_messages, projectFolder, localJobFolder)
{
}

// --- the run ---------------------------------------------------------------

BuiltDisplay DisplayBuilder::build(Translation &t, int singleObject)
{
    m_ibex = &t.creationBytes();
    m_ibexLength = std::clamp(t.file().dataLength(), 0, static_cast<int>(m_ibex->size()));
    m_fileType = ibexFileTypeOf(t.displayName());
    t.sort(soIndex);

    m_messages.startDisplay();
    m_bitmaps.beginRun(m_vars.bactalkJobPath);
    m_writer.reset();
    m_writer.btCreateHeader();
    headerRecord(t);
    BuiltDisplay out;
    out.translated = objectRecords(t, singleObject);
    m_writer.finishDisplay();
    out.bytes = m_writer.bytes();
    out.records = m_writer.objCount;
    out.problems = m_messages.take();
    return out;
}

void DisplayBuilder::headerRecord(const Translation &t)
{
    const ByteReader h(*m_ibex, m_ibexLength); // the header; texts end with the data
    BtRecord r = m_writer.header();
    r.setU16(hdr::Width, h.u16(ibw::hdr::Width));
    r.setU16(hdr::Height, h.u16(ibw::hdr::Height));
    const TranslationRow &title = t.header();
    r.putText(hdr::Title, hdr::TitleLen,
              title.ovr == ObjOverride::Text ? title.btText
                                   : h.text(ibw::hdr::Description, ibw::HeaderSize - ibw::hdr::Description));

    const uint8_t kind = h.u8(ibw::hdr::BackgroundKind);
    if (kind == ibw::BackgroundBitmap) {
        const QString b = h.text(ibw::hdr::BitmapName, ibw::hdr::BackgroundKind);
        // A name read from the file never leads outside the Ibex job: of a
        // path ("C:\IBEX\LDISPLAY\BACK.BMP") only the file-name part counts,
        // looked up in the job's, then the local job's "ldisplay" folder.
        const QString part = fileNamePart(b);
        const QString name = isPlainFileName(part) ? part : QString();
        QString source;
        if (!name.isEmpty()) {
            source = findCaseInsensitive(m_bitmaps.ibexBitmapFolder(false), name);
            if (!QFileInfo::exists(source)) {
                const QString local = findCaseInsensitive(m_bitmaps.ibexBitmapFolder(true), name);
                if (QFileInfo::exists(local))
                    source = local;
            }
        }
        const bool a = m_bitmaps.libraryHasAll(m_bitmaps.alertonLibrary(), {name});
        const bool d = !a && m_bitmaps.libraryHasAll(m_bitmaps.dealerLibrary(), {name});
        QString rep, job;
        if (a) {
            rep = m_settings.alerRep;
            job = m_settings.alerJob;
        } else if (d) {
            rep = m_settings.dealerRep;
            job = m_settings.dealerJob;
        } else {
            if (name.isEmpty() && !b.isEmpty())
                m_bitmaps.report(BitmapCopy::Unsafe, b);
            else
                m_bitmaps.copyBackgroundBmp(source);
            rep = m_bitmaps.rep();
            job = m_bitmaps.job();
        }
        r.putText(hdr::BmpName, hdr::BmpNameLen, name);
        r.putText(hdr::BmpRep, hdr::RepJobLen, rep);
        r.putText(hdr::BmpJob, hdr::RepJobLen, job);
        r.setU8(hdr::BackgroundKind, 1);
        r.setU8(hdr::BmpSource, a || d ? 2 : 1);
    } else {
        r.setU8(hdr::BackgroundKind, 0);
        r.setU32(hdr::BackColor, kind == ibw::BackgroundNone ? 0x808080u : h.u32(ibw::hdr::BackgroundColor));
    }
    r.setU16(hdr::IbexByte70, h.u8(ibw::hdr::Byte70));
}

int DisplayBuilder::objectRecords(Translation &t, int singleObject)
{
    int handled = 0;
    for (const TranslationRow &row : t.rows()) {
        if (row.isHeader())
            continue;
        if (m_writer.bufferFull(&m_prompter)) {
            m_log.logMsg(u"Maximum display objects reached."_qs);
            break;
        }
        if (singleObject >= 0 && row.object != singleObject)
            continue;
        if (row.ovr == ObjOverride::Skip)
            continue;
        if (row.position < 1 || row.position > m_ibexLength) {
            // A row that points outside the loaded display cannot be read.
            m_messages.startObject(row.object);
            m_messages.add(u"The object record lies outside the display file."_qs, true);
            continue;
        }
        m_cur = Current{};
        m_cur.row = &row;
        m_cur.kind = rec().kind();
        m_cur.typeName = ibexObjectName(m_cur.kind);
        m_messages.startObject(row.object, m_cur.typeName);
        dispatch();
        ++handled;
    }
    m_log.logMsg(QStringLiteral("Translated %1 objects.").arg(handled));
    return handled;
}

void DisplayBuilder::dispatch()
{
    switch (m_cur.kind) {
    case ioText:
    case ioUnknown:
    case ioHdrDesc:
        createText();
        break;
    case ioGroupBox:
    case ioTimeDate:
        createStatic();
        break;
    case ioRoDigital:
    case ioRoAnalog:
    case ioRoAirflow:
        createRoPr(true);
        break;
    case ioDigital:
    case ioAnalog:
    case ioAirflow:
        createRoPr(false);
        break;
    case ioCheckbox:
        createCheckbox();
        break;
    case ioGrPilot:
    case ioGrStatic:
    case ioGrAnimated:
    case ioGrAnalog:
        createGraphic();
        break;
    case ioBtnDisp:
    case ioBtnCP:
    case ioBtnTux:
        createButton(false);
        break;
    case ioBtnCmd:
        createLoginButton();
        break;
    case ioCpStatus:
    case ioCpDesc:
    case ioCpNum:
        // Whatever the grid shows (a value, or with the conversion options
        // off a text): the object becomes a value bound to the panel's
        // status, description or name. A row the grid skips never gets here.
        remapZoneObj();
        break;
    case ioGrMicroset:
    case ioBtnDef:
    case ioBtnCPSetup:
    case ioTuxAddress:
    case ioCpAlarms:
    case ioCpType:
    case ioCpTime:
    case ioCpHoliday:
    case ioCpEvent:
    case ioShortDesc:
        createObjAsText();
        break;
    }
}

// --- helpers ---------------------------------------------------------------

IbexObjRec DisplayBuilder::rec() const { return IbexObjRec(m_ibex, m_cur.row->position, m_ibexLength); }

QString DisplayBuilder::rowText(const QString &ibexText) const
{
    const ObjOverride ovr = m_cur.row->ovr;
    const bool textOverride =
        ovr == ObjOverride::Text || (m_cur.kind == ioCheckbox && ovr == ObjOverride::TextAndPoint);
    return textOverride && !m_cur.row->btText.isEmpty() ? m_cur.row->btText : ibexText;
}

ByteWriter DisplayBuilder::ibexRecord()
{
    const int start = m_cur.row->position - 1;
    const int end = std::min(start + rec().length(), m_ibexLength);
    return ByteWriter(m_ibex->data() + start, std::max(0, end - start));
}

void DisplayBuilder::setIbexU16(int off, uint16_t v)
{
    ByteWriter w = ibexRecord();
    if (off >= 0 && off + 2 <= w.size())
        w.u16(off, v);
}

void DisplayBuilder::setIbexU32(int off, uint32_t v)
{
    ByteWriter w = ibexRecord();
    if (off >= 0 && off + 4 <= w.size())
        w.u32(off, v);
}

void DisplayBuilder::putIbexText(int off, int n, const QString &text)
{
    ByteWriter w = ibexRecord();
    const qsizetype room = std::min<qsizetype>(n, w.size() - off);
    if (off >= 0 && room > 0)
        w.text(off, room, text);
}

// --- copy operations -------------------------------------------------------

void DisplayBuilder::copySizingParams(BtRecord &r)
{
    const IbexObjRec o = rec();
    r.setU16(obj::X, o.u16(ibw::obj::X));
    r.setU16(obj::Y, o.u16(ibw::obj::Y));
    r.setU16(obj::W, o.u16(ibw::obj::Width));
    r.setU16(obj::H, o.u16(ibw::obj::Height));
}

void DisplayBuilder::copyColors(BtRecord &r)
{
    if (rec().u32(ibw::obj::ForeColor) == 0 && rec().u32(ibw::obj::BackColor) == 0) {
        // The loaded record itself takes the defaults, so a second creation
        // gives the same result.
        setIbexU32(ibw::obj::BackColor, 0xFFFFFF);
        setIbexU32(ibw::obj::AlarmColor, 0x0000FF);
    }
    const IbexObjRec o = rec();
    r.setU32(obj::Fgrnd, o.u32(ibw::obj::ForeColor));
    r.setU32(obj::Bgrnd, o.u32(ibw::obj::BackColor));
    r.setU32(obj::Alarm, o.u32(ibw::obj::AlarmColor));
}

void DisplayBuilder::copyFont(BtRecord &r)
{
    const IbexObjRec o = rec();
    if (o.u8(ibw::obj::FontValid) != ibw::obj::FontValidMark)
        return;
    r.setU8(obj::Font + font::Pitch, o.u8(ibw::obj::FontPitch));
    r.setU16(obj::Font + font::Weight, o.u16(ibw::obj::FontWeight));
    r.setU8(obj::Font + font::Style, o.u8(ibw::obj::FontStyle));
    if (m_vars.copyFont == 0)
        r.putText(obj::Font + font::Name, font::NameLen, o.text(ibw::obj::FontName, ibw::obj::Caption - ibw::obj::FontName));
}

void DisplayBuilder::copyOptions(BtRecord &r)
{
    r.setU16(obj::Options, static_cast<uint16_t>(rec().options() | 0x0E));
}

void DisplayBuilder::copyPointData(BtRecord &r)
{
    QString p;
    if (!m_cur.row->btPoint.isEmpty() && m_cur.row->hasPointOverride()) {
        p = m_cur.row->btPoint;
    } else {
        // The row's own translation: a point is translated once, when listed.
        const BtPoint &t = m_cur.row->translated;
        p = isAirflow(m_cur.kind) ? t.text : t.text.toUpper();
        if (!t.problem.isEmpty())
            m_messages.add(m_cur.typeName + u": "_qs + t.problem + u" <"_qs + p + u'>', true);
    }
    bindPointText(r, p);
}

// --- object operations -----------------------------------------------------

void DisplayBuilder::createText()
{
    BtRecord r = m_writer.append(RecordKind::Text);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyOptions(r);
    r.putText(txt::Text, txt::TextLen, rowText(rec().caption()));
}

void DisplayBuilder::createStatic()
{
    const bool groupBox = m_cur.kind == ioGroupBox;
    BtRecord r = m_writer.append(groupBox ? RecordKind::GroupBox : RecordKind::DateTime);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyOptions(r);
    if (groupBox)
        r.putText(txt::Text, txt::TextLen, rowText(rec().caption()));
}

void DisplayBuilder::createRoPr(bool readOnly)
{
    BtRecord r = m_writer.append(readOnly ? RecordKind::ReadOnlyValue : RecordKind::PromptedValue);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyPointData(r);
    copyOptions(r);
    const IbexObjRec o = rec();
    if (m_cur.kind == ioRoAnalog || m_cur.kind == ioAnalog) {
        // The factor's eight bytes are copied as they stand.
        r.setBytes(val::Factor, o.bytes(ibw::obj::Factor, 8));
        r.setU8(val::Decimal, o.u8(ibw::obj::Decimals));
        if (m_cur.kind == ioAnalog) {
            const double increment = o.i16(ibw::obj::Increment) / 10.0;
            const double f = r.f64(val::Factor);
            // A factor of 0 (or one that is no number) leaves the increment unscaled.
            double spin = f != 0.0 ? increment / f : increment;
            if (!std::isfinite(spin))
                spin = increment;
            r.setF64(val::Spin, spin);
        }
    }
    if (!readOnly)
        r.setU8(obj::Level, o.u8(ibw::obj::Level));
    if (isDigitalValue(m_cur.kind)) {
        const auto keepsDefault = [this](const QString &t) {
            return t.isEmpty()
                || (m_vars.mapStateText
                    && (t.compare(u"on"_qs, Qt::CaseInsensitive) == 0 || t.compare(u"off"_qs, Qt::CaseInsensitive) == 0));
        };
        const QString active = o.text(ibw::obj::ActiveText, ibw::obj::InactiveText - ibw::obj::ActiveText);
        const QString inactive = o.text(ibw::obj::InactiveText);
        if (!keepsDefault(active))
            r.putText(val::ActiveTxt, val::StateTxtLen, active);
        if (!keepsDefault(inactive))
            r.putText(val::InactiveTxt, val::StateTxtLen, inactive);
    }
    if (isAnalogValue(m_cur.kind) && m_vars.copyUnits) {
        QString units = isAirflow(m_cur.kind) ? u"cfm"_qs : o.text(ibw::obj::Units, ibw::obj::Factor - ibw::obj::Units);
        if (m_vars.padUnits)
            units.prepend(u' ');
        r.putText(val::UnitsText, val::UnitsTextLen, units);
        r.setU8(val::UnitsType, 1);
    }
}

void DisplayBuilder::createCheckbox()
{
    BtRecord r = m_writer.append(RecordKind::Checkbox);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyPointData(r);
    copyOptions(r);
    r.putText(txt::Text, txt::TextLen, rowText(rec().caption()));
    r.setU8(obj::Level, rec().u8(ibw::obj::Level));
    if (rec().kindFlag() == 1)
        m_messages.add(m_cur.typeName + u": Reversed DO state!"_qs, true);
}

void DisplayBuilder::createObjAsText()
{
    if (!m_vars.showZoneObjAsText || m_cur.kind == ioShortDesc)
        return;
    if (m_cur.kind == ioGrMicroset && m_vars.mapMSetGraphicToBtn) {
        mapMSetToBtn();
        return;
    }
    BtRecord r = m_writer.append(RecordKind::Text);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyOptions(r);
    r.putText(txt::Text, txt::TextLen - 1, rowText(m_cur.typeName));
}

void DisplayBuilder::remapZoneObj()
{
    BtRecord r = m_writer.append(m_cur.kind == ioCpStatus ? RecordKind::PromptedValue : RecordKind::ReadOnlyValue);
    copySizingParams(r);
    copyColors(r);
    copyFont(r);
    copyOptions(r);
    QString p;
    if (m_cur.row->hasPointOverride() && !m_cur.row->btPoint.isEmpty())
        p = m_cur.row->btPoint;
    else if (m_cur.kind == ioCpStatus)
        p = m_vars.cpanelStatusBV;
    else
        p = m_cur.kind == ioCpDesc ? u"description"_qs : u"object-name"_qs;
    bindPointText(r, p);
}

} // namespace vorlix
