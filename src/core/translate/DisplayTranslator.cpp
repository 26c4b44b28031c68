#include "translate/DisplayTranslator.h"

#include "project/ControllerMap.h"
#include "translate/DisplayNaming.h"

namespace vorlix {

DisplayTranslator::DisplayTranslator(const ProjectVariables &vars, ControllerMap &map)
    : m_vars(vars), m_map(map), m_overrides(map.database()), m_naming(vars, map), m_points(vars, map)
{
}

Translation DisplayTranslator::load(const QString &path, const DisplayRef &display)
{
    return load(IbexDisplay::read(path), path, display); // read throws with the file named
}

Translation DisplayTranslator::load(IbexDisplay file, const QString &path, const DisplayRef &display)
{
    Translation t(std::move(file), path, display, ibexFileTypeOf(path));
    // One read transaction for every lookup of the listing.
    ProjectDatabase::Transaction reading(m_map.database(), ProjectDatabase::Transaction::Kind::Read);
    TranslationRow &header = t.header();
    header.btText = t.file().description();
    // A title override made earlier comes back with the display, as the
    // overrides of the objects do.
    if (const auto title = m_overrides.displayOvrGet(display, 0, false)) {
        header.btText = *title;
        header.ovr = ObjOverride::Text;
    }
    int total = 0;
    for (int p : t.file().walkObjectRecords()) {
        if (t.file().record(p).length() == ibw::SkippedRecordLength)
            continue;
        ++total;
        // Objects beyond the listed ones are counted, not listed.
        if (total <= Translation::MaxObjects)
            t.rows().push_back(objectRow(t, total, p));
    }
    t.setTotalObjects(total);
    reading.commit();
    return t;
}

// --- the rules of each kind ---------------------------------------------------

void DisplayTranslator::pointColumns(Automatic &a, const IbexObjRec &rec, bool airflow, bool templateContext)
{
    a.ibexPoint = airflow ? m_points.ibexAirflowPointText(rec, templateContext)
                          : m_points.ibexPointText(rec, templateContext);
    a.point = airflow ? m_points.btAirflowPointText(rec, templateContext)
                      : m_points.btPointText(rec, templateContext);
    a.btPoint = a.point.text;
    if (!a.point.problem.isEmpty())
        a.note = a.point.problem;
}

void DisplayTranslator::controlPanelAsText(Automatic &a, IbexObject kind, const QString &apexText)
{
    a.apex = apexText;
    a.ibexText = ibexObjectName(kind);
    if (m_vars.showZoneObjAsText) {
        a.btText = a.ibexText;
        a.note = u"Convert to text"_qs;
    } else {
        a.note = u"Will be skipped."_qs;
        a.skip = true;
    }
}

void DisplayTranslator::buttonDevice(Automatic &a, const IbexObjRec &rec, IbexFileType type)
{
    const ButtonTarget target = m_naming.buttonTarget(rec, type);
    if (type != ftDisplay)
        return;
    if (target.mapped)
        a.btPoint = u"Dev-ID: "_qs + QString::number(target.device);
    else
        a.note = u"Device-ID cannot be mapped!"_qs;
}

void DisplayTranslator::buttonColumns(Automatic &a, const IbexObjRec &rec, IbexFileType type, const QString &apexText)
{
    switch (rec.kind()) {
    case ioBtnDef:
    case ioBtnCPSetup:
        a.ibexText = a.btText = rec.caption();
        a.note = u"No translation."_qs;
        a.skip = true;
        break;
    case ioBtnDisp:
        a.ibexText = a.btText = rec.caption();
        if (type == ftTemplate && rec.kindFlag() != 1 && rec.kindFlag() != 2)
            a.ibexPoint = u"Same Cpanel"_qs;
        break;
    case ioBtnCP:
    case ioBtnTux:
        a.apex = apexText;
        a.ibexText = a.btText = rec.caption();
        a.ibexPoint = buttonTargetText(rec, type);
        buttonDevice(a, rec, type);
        break;
    case ioBtnCmd:
        a.ibexText = a.btText = rec.commandCaption();
        if (rec.caption().startsWith(u';'))
            a.exception = excLoginBtn;
        else
            a.note = u"No translation."_qs;
        break;
    default:
        break;
    }
}

void DisplayTranslator::controlPanelColumns(Automatic &a, IbexObject kind, const QString &apexText)
{
    if (kind == ioCpStatus && m_vars.convertCpStatus) {
        a.apex = apexText;
        a.btPoint = m_vars.cpanelStatusBV;
        a.note = u"Convert to prompted pt."_qs;
    } else if ((kind == ioCpDesc || kind == ioCpNum) && m_vars.convertCpName) {
        a.apex = apexText;
        a.btPoint = kind == ioCpDesc ? u"description"_qs : u"object-name"_qs;
        a.note = u"Convert to readonly pt."_qs;
    } else {
        controlPanelAsText(a, kind, apexText);
    }
}

namespace {

// The Apex column of an object: empty for the buttons and points that name
// no Apex of their own (display buttons, and in a template what the
// template's user fills in).
QString apexColumnText(IbexObject kind, IbexFileType type, const IbexObjRec &rec)
{
    const bool plain = type == ftDisplay;
    const uint8_t code = pointRefCode(rec);
    const bool noApex = (kind == ioBtnDisp && plain)
        || (!plain && (kind == ioBtnDef || kind == ioBtnDisp || kind == ioBtnCmd
                       || (kind >= ioTuxAddress && kind <= ioCpEvent) || code == ptref::Global
                       || code == ptref::Zone || code == ptref::ZoneGeneric));
    return noApex ? QString() : QString::number(rec.apex());
}

} // namespace

DisplayTranslator::Automatic DisplayTranslator::automatic(const Translation &t, const TranslationRow &row)
{
    Automatic a;
    const IbexObject kind = row.kind;
    const IbexFileType type = t.fileType();
    const bool tmpl = type != ftDisplay;
    const IbexObjRec rec = t.record(row);
    const QString apexText = apexColumnText(kind, type, rec);

    switch (kind) {
    case ioText:
    case ioGroupBox:
        a.ibexText = a.btText = rec.caption();
        break;
    case ioTimeDate:
        a.ibexText = a.btText = u"DateTime"_qs;
        break;
    case ioBtnDef:
    case ioBtnCPSetup:
    case ioBtnDisp:
    case ioBtnCP:
    case ioBtnTux:
    case ioBtnCmd:
        buttonColumns(a, rec, type, apexText);
        break;
    case ioRoDigital:
    case ioRoAnalog:
    case ioDigital:
    case ioAnalog:
    case ioGrPilot:
    case ioGrStatic:
    case ioGrAnalog:
    case ioGrAnimated:
        a.apex = apexText;
        pointColumns(a, rec, false, tmpl);
        break;
    case ioCheckbox:
        a.apex = apexText;
        a.ibexText = a.btText = rec.caption();
        pointColumns(a, rec, false, tmpl);
        if (a.note.isEmpty() && rec.kindFlag() == 1)
            a.note = u"Reversed DO state!"_qs;
        break;
    case ioAirflow:
    case ioRoAirflow:
        pointColumns(a, rec, true, tmpl);
        break;
    case ioCpStatus:
    case ioCpDesc:
    case ioCpNum:
    case ioTuxAddress:
    case ioCpAlarms:
    case ioCpType:
    case ioCpTime:
    case ioCpHoliday:
    case ioCpEvent:
        controlPanelColumns(a, kind, apexText);
        break;
    case ioGrMicroset:
        a.apex = apexText;
        a.ibexPoint = buttonTargetText(rec, type);
        if (!m_vars.mapMSetGraphicToBtn)
            a.note = u"Will be skipped."_qs;
        else if (tmpl)
            a.note = u"Convert to button. Change text!"_qs;
        else
            buttonDevice(a, rec, type);
        break;
    default:
        // The header, short descriptions and unknown objects have no rule:
        // a refresh of the header's text leaves it empty (the loading puts
        // the description there, and creation takes the description for
        // a title without override).
        break;
    }
    return a;
}

// --- rows and their overrides ----------------------------------------------------

TranslationRow DisplayTranslator::objectRow(const Translation &t, int object, int position)
{
    TranslationRow row;
    row.object = object;
    row.position = position;
    row.kind = t.file().record(position).kind();
    Automatic a = automatic(t, row);
    row.apex = a.apex;
    row.ibexText = a.ibexText;
    row.ibexPoint = a.ibexPoint;
    row.btText = a.btText;
    row.btPoint = a.btPoint;
    row.note = a.note;
    row.ovr = a.skip ? ObjOverride::Skip : ObjOverride::None;
    row.exception = a.exception;
    row.translated = a.point;

    // The stored overrides: the display's own, else the project-wide point
    // override; "$SKIP" leaves the object out.
    ObjOverride state = ObjOverride::None;
    if (const auto text = m_overrides.displayOvrGet(t.display(), object, false)) {
        row.btText = *text;
        state = ObjOverride::Text;
    }
    auto point = m_overrides.displayOvrGet(t.display(), object, true);
    if (!point)
        point = m_overrides.globalOvrGet(row.apex, row.ibexPoint);
    if (point) {
        if (*point == SkipMark) {
            state = ObjOverride::Skip;
        } else {
            row.btPoint = *point;
            state = state == ObjOverride::Text ? ObjOverride::TextAndPoint : ObjOverride::Point;
        }
    }
    if (state != ObjOverride::None)
        row.ovr = state;
    return row;
}

void DisplayTranslator::refreshText(const Translation &t, TranslationRow &row)
{
    const Automatic a = automatic(t, row);
    if (a.skip)
        row.ovr = ObjOverride::Skip;
    row.exception = a.exception;
    row.btText = a.btText;
}

void DisplayTranslator::refreshPoint(const Translation &t, TranslationRow &row)
{
    const Automatic a = automatic(t, row);
    if (a.skip)
        row.ovr = ObjOverride::Skip;
    row.exception = a.exception;
    row.translated = a.point;
    row.btPoint = a.btPoint;
    if (const auto g = m_overrides.globalOvrGet(a.apex, a.ibexPoint)) {
        // A project-wide "$SKIP" marks the row skipped here too, as a
        // listing does.
        if (*g == SkipMark) {
            row.ovr = ObjOverride::Skip;
        } else {
            row.btPoint = *g;
            row.ovr = row.ovr == ObjOverride::Text ? ObjOverride::TextAndPoint : ObjOverride::Point;
        }
    }
}

DisplayTranslator::Edit DisplayTranslator::editOverride(Translation &t, int index, int column, OverrideResult result,
                                                        const QString &value)
{
    if (index < 0 || index >= int(t.rows().size()))
        return Edit::NotAllowed;
    TranslationRow &row = t.rows()[size_t(index)];
    if (!Translation::canOverride(row, column))
        return Edit::NotAllowed;
    const bool textColumn = column == Translation::colBtText;
    const ObjOverride old = row.ovr;
    const DisplayRef &display = t.display();
    // Each case stores first: a refused write leaves the row as it was.
    switch (result) {
    case OverrideResult::Cancel:
        return Edit::Unchanged;
    case OverrideResult::OK:
        if (textColumn) {
            if (!m_overrides.displayOvrPut(display, row.object, false, row.ibexText, value))
                return Edit::Refused;
            row.btText = value;
            row.ovr = row.hasPointOverride() ? ObjOverride::TextAndPoint : ObjOverride::Text;
        } else {
            if (!m_overrides.displayOvrPut(display, row.object, true, row.ibexPoint, value))
                return Edit::Refused;
            row.btPoint = value;
            const bool text = old == ObjOverride::Text || old == ObjOverride::TextAndPoint;
            row.ovr = text ? ObjOverride::TextAndPoint : ObjOverride::Point;
        }
        break;
    case OverrideResult::Skip:
        if (!m_overrides.displayOvrPut(display, row.object, true, row.ibexPoint, SkipMark))
            return Edit::Refused;
        row.ovr = ObjOverride::Skip;
        break;
    case OverrideResult::Reset:
        if (!resetOverrides(t, row, textColumn))
            return Edit::Refused;
        break;
    }
    return Edit::Changed;
}

bool DisplayTranslator::resetOverrides(const Translation &t, TranslationRow &row, bool textColumn)
{
    const DisplayRef &display = t.display();
    if (row.ovr == ObjOverride::TextAndPoint) {
        // Only the edited column's override goes.
        if (!m_overrides.displayOvrDelete(display, row.object, !textColumn))
            return false;
        row.ovr = textColumn ? ObjOverride::Point : ObjOverride::Text;
    } else {
        // Both go, or neither.
        ProjectDatabase::Transaction tx(m_overrides.database());
        if (!m_overrides.displayOvrDelete(display, row.object, false)
            || !m_overrides.displayOvrDelete(display, row.object, true))
            return false;
        tx.commit();
        row.ovr = ObjOverride::None;
    }
    // Only the edited column is rebuilt; the next load shows both.
    if (textColumn)
        refreshText(t, row);
    else
        refreshPoint(t, row);
    return true;
}

DisplayTranslator::InfoBoxes DisplayTranslator::info(const Translation &t, int index)
{
    InfoBoxes box;
    if (index < 0 || index >= int(t.rows().size()))
        return box;
    const TranslationRow &row = t.rows()[size_t(index)];
    const IbexDisplay &file = t.file();
    if (row.kind == ioHdrDesc) {
        if (file.backgroundKind() == ibw::BackgroundShownColor) {
            box.ibex = box.bactalk = u"Color: "_qs + colorToString(file.backgroundColor());
        } else {
            box.ibex = file.bitmapName();
            const QString &name = box.ibex;
            const qsizetype cut = qMax(name.lastIndexOf(u'\\'), qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u':')));
            box.bactalk = name.mid(cut + 1);
        }
        return box;
    }
    if (!isPushbutton(row.kind) && row.kind != ioGrMicroset)
        return box;
    const IbexObjRec rec = t.record(row);
    const IbexFileType type = t.fileType();
    QString target;
    if (row.kind == ioBtnDisp && type != ftTuxTemplate)
        target = ibexFileName(type == ftTemplate ? ftTemplate : ftDisplay, rec.u16(ibw::obj::PointRef));
    else if (row.kind == ioBtnDisp || row.kind == ioBtnTux)
        target = ibexFileName(ftTuxTemplate, rec.u16(ibw::obj::TemplateNumber));
    else
        target = ibexFileName(ftTemplate, rec.u16(ibw::obj::TemplateNumber));
    box.ibex = localJobPrefix(isLocalJobBit(rec.options())) + target;
    const ButtonTarget bt = m_naming.buttonTarget(rec, type);
    box.bactalk = (bt.redirected ? u"Redirected: "_qs : QString()) + bt.name;
    return box;
}

} // namespace vorlix
