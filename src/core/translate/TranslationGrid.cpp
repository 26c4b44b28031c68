#include "translate/TranslationGrid.h"

#include "project/ControllerMap.h"

namespace vorlix {

bool IsTextOverrideKind(IbexObject k)
{
    switch (k) {
    case ioText: case ioGroupBox: case ioTimeDate: case ioBtnDef: case ioBtnDisp: case ioBtnCP: case ioBtnTux:
    case ioCheckbox: case ioTuxAddress: case ioCpAlarms: case ioCpType: case ioCpTime: case ioCpHoliday:
    case ioCpEvent: case ioGrMicroset: case ioHdrDesc:
        return true;
    default:
        return false;
    }
}

bool IsPointOverrideKind(IbexObject k)
{
    switch (k) {
    case ioRoDigital: case ioRoAnalog: case ioDigital: case ioAnalog: case ioCheckbox: case ioCpStatus:
    case ioCpDesc: case ioCpNum: case ioAirflow: case ioRoAirflow: case ioGrPilot: case ioGrStatic:
    case ioGrAnalog: case ioGrAnimated:
        return true;
    default:
        return false;
    }
}

QString UnsavedGridEditsQuestion()
{
    return u"You have made edits to the current translation grid. Loading a new file will cause you to loose "
           "those edits. \nContinue loading new file?"_qs;
}

QString RedirectedDisplayNote()
{
    return u"This display has been flagged as Redirected/Skipped. \nThere is no need to copy it to the BACtalk job."_qs;
}

QString UnreferencedDisplayNote()
{
    return u"This display does not seem to be referenced from any button. \nYou may not need to translate it."_qs;
}

QString MissingDisplayMessage(const QString &path) { return u"Missing display file!\nFile: "_qs + path; }

TranslationGrid::TranslationGrid(ProjectVariables &vars, ProjectDatabase &pdb, ControllerMap &map)
    : m_vars(vars), m_redirects(pdb), m_lookups(map, m_redirects), m_overrides(pdb), m_naming(vars, map, m_redirects),
      m_translator(vars, map)
{
    m_naming.setCache(&m_lookups);
    m_translator.setCache(&m_lookups);
    static const char *const titles[ColCount] = {"",          "Obj-Type", "Apex",      "Ibex Text",
                                                 "Ibex Point", "EFB Text", "EFB Point", "Conversion Notes"};
    for (int c = 0; c < ColCount; ++c)
        m_text[0][c] = QLatin1String(titles[c]);
    ClearGrid();
}

IbexFileType TranslationGrid::GridGetFileType() const
{
    const int v = m_data[0][0];
    return v == ftTemplate ? ftTemplate : v == ftTuxTemplate ? ftTuxTemplate : ftDisplay;
}

ObjOverride TranslationGrid::GridGetOVR(int row) const
{
    const int v = m_data[row][3];
    return v >= ovrNone && v <= ovrTextAndPoint ? ObjOverride(v) : ovrNone;
}

void TranslationGrid::ClearGrid()
{
    for (int r = 1; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c) {
            m_text[r][c].clear();
            m_data[r][c] = ClearedData;
        }
}

void TranslationGrid::LoadDisplay(const QString &path, const QString &name, bool localJob)
{
    IbexDisplay file;
    try {
        file = IbexDisplay::read(path); // throws with the file named
    } catch (...) {
        ClearGrid();
        GridEdited = false;
        TotalObj = 0;
        m_loaded = false;
        throw;
    }
    LoadDisplay(std::move(file), path, name, localJob);
}

void TranslationGrid::LoadDisplay(IbexDisplay file, const QString &path, const QString &name, bool localJob)
{
    ClearGrid();
    GridEdited = false;
    TotalObj = 0;
    const IbexFileType type = IbexFileTypeOf(path);
    m_file = std::move(file);
    m_name = name;
    m_path = path;
    m_localJob = localJob;
    m_loaded = true;
    m_overrides.setDisplay(name, localJob);
    // One read transaction for all lookups of the listing; the remembered
    // answers are dropped first when the database changed since the last.
    ProjectDatabase::Transaction reading(m_overrides.database());
    m_lookups.revalidate();
    m_overrides.beginListing();
    AddHeaderToGrid(type);
    for (int p : m_file.WalkObjectRecords()) {
        if (m_file.record(p).length() == ibw::SkippedRecordLength)
            continue;
        ++TotalObj;
        // Objects beyond the grid's rows are counted, not listed.
        if (TotalObj <= MaxObjects)
            AddObjectToGrid(TotalObj, p);
    }
    reading.commit();
}

void TranslationGrid::AddHeaderToGrid(IbexFileType type)
{
    GridSetFileType(type);
    const int r = HeaderRow;
    GridSetBufferStart(r, 0);
    GridSetObjIndex(r, 0);
    GridSetObjType(r, ioHdrDesc);
    GridSetOVR(r, ovrNone);
    m_text[r][colObj] = u"Hdr"_qs;
    m_text[r][colType] = u"Display Info"_qs;
    m_text[r][colEfbText] = m_file.description();
    // A title override made earlier comes back with the display, as the
    // overrides of the objects do (otherwise it would show, and be written,
    // only until the next load).
    if (const auto title = m_overrides.DisplayOvrGet(0, false)) {
        m_text[r][colEfbText] = *title;
        GridSetOVR(r, ovrText);
    }
}

void TranslationGrid::AddObjectToGrid(uint16_t number, int position)
{
    const int r = number + 1;
    if (r < 2 || r >= RowCount)
        return;
    GridSetBufferStart(r, uint16_t(position));
    GridSetObjIndex(r, number);
    m_text[r][colObj] = u"Obj."_qs + QString::number(number);
    const IbexObject kind = m_file.record(position).kind();
    m_text[r][colType] = IbexObjectName(kind);
    GridSetObjType(r, kind);
    WriteGridData(r, cuAll);
}

void TranslationGrid::WriteGridData(int row, CellUpdate mode)
{
    if (row < 1 || row >= RowCount)
        return;
    const IbexObject kind = GridGetObjType(row);
    const IbexFileType type = GridGetFileType();
    const bool plain = type == ftDisplay;
    const bool tmpl = !plain;
    const IbexObjRec rec = record(row);
    const int object = GridGetObjIndex(row);
    if (mode != cuAll) {
        // A single row refreshed after an edit: the database may have been
        // changed since the display was listed.
        m_lookups.revalidate();
        m_overrides.revalidate();
    }
    if (mode == cuAll) {
        m_text[row][colNotes].clear();
        GridSetOVR(row, ovrNone);
        GridSetException(row, excNone);
    }

    QString apex, ibexText, ibexPoint, efbText, efbPoint, note;
    const uint8_t code = PointRefCode(rec);
    const bool noApex = (kind == ioBtnDisp && plain) ||
                        (tmpl && (kind == ioBtnDef || kind == ioBtnDisp || kind == ioBtnCmd ||
                                  (kind >= ioTuxAddress && kind <= ioCpEvent) || code == ptref::Global ||
                                  code == ptref::Zone || code == ptref::ZoneGeneric));
    const QString apexText = noApex ? QString() : QString::number(rec.apex());

    auto pointColumns = [&](bool airflow) {
        ibexPoint = airflow ? m_translator.IbexAirflowPointText(rec, tmpl) : m_translator.IbexPointText(rec, tmpl);
        efbPoint = airflow ? m_translator.BtAirflowPointText(rec, tmpl) : m_translator.BtPointText(rec, tmpl);
        if (m_translator.PointError)
            note = m_translator.PointErrorText;
    };
    auto asText = [&]() { // the rule of the control-panel text objects
        apex = apexText;
        ibexText = IbexObjectName(kind);
        if (m_vars.ShowZoneObjAsText) {
            efbText = ibexText;
            note = u"Convert to text"_qs;
        } else {
            note = u"Will be skipped."_qs;
            GridSetOVR(row, ovrSkip);
        }
    };
    auto deviceTarget = [&]() {
        m_naming.ButtonTargetName(rec, type);
        if (plain) {
            if (m_naming.TargetMapped)
                efbPoint = u"Dev-ID: "_qs + QString::number(m_naming.TargetDevice);
            else
                note = u"Device-ID cannot be mapped!"_qs;
        }
    };

    switch (kind) {
    case ioText:
    case ioGroupBox:
        ibexText = efbText = rec.caption();
        break;
    case ioTimeDate:
        ibexText = efbText = u"DateTime"_qs;
        break;
    case ioBtnDef:
    case ioBtnCPSetup:
        ibexText = efbText = rec.caption();
        note = u"No translation."_qs;
        GridSetOVR(row, ovrSkip);
        break;
    case ioBtnDisp:
        ibexText = efbText = rec.caption();
        if (type == ftTemplate && rec.kindFlag() != 1 && rec.kindFlag() != 2)
            ibexPoint = u"Same Cpanel"_qs;
        break;
    case ioBtnCP:
    case ioBtnTux:
        apex = apexText;
        ibexText = efbText = rec.caption();
        ibexPoint = ButtonTargetText(rec, type);
        deviceTarget();
        break;
    case ioBtnCmd:
        ibexText = efbText = rec.commandCaption();
        if (rec.caption().startsWith(u';'))
            GridSetException(row, excLoginBtn);
        else
            note = u"No translation."_qs;
        break;
    case ioRoDigital:
    case ioRoAnalog:
    case ioDigital:
    case ioAnalog:
    case ioGrPilot:
    case ioGrStatic:
    case ioGrAnalog:
    case ioGrAnimated:
        apex = apexText;
        pointColumns(false);
        break;
    case ioCheckbox:
        apex = apexText;
        ibexText = efbText = rec.caption();
        pointColumns(false);
        if (note.isEmpty() && rec.kindFlag() == 1)
            note = u"Reversed DO state!"_qs;
        break;
    case ioAirflow:
    case ioRoAirflow:
        pointColumns(true);
        break;
    case ioCpStatus:
        if (!m_vars.ConvertCpStatus) {
            asText();
            break;
        }
        apex = apexText;
        efbPoint = m_vars.CpanelStatusBV;
        note = u"Convert to prompted pt."_qs;
        break;
    case ioCpDesc:
    case ioCpNum:
        if (!m_vars.ConvertCpName) {
            asText();
            break;
        }
        apex = apexText;
        efbPoint = kind == ioCpDesc ? u"description"_qs : u"object-name"_qs;
        note = u"Convert to readonly pt."_qs;
        break;
    case ioTuxAddress:
    case ioCpAlarms:
    case ioCpType:
    case ioCpTime:
    case ioCpHoliday:
    case ioCpEvent:
        asText();
        break;
    case ioGrMicroset:
        apex = apexText;
        ibexPoint = ButtonTargetText(rec, type);
        if (!m_vars.MapMSetGraphicToBtn)
            note = u"Will be skipped."_qs;
        else if (tmpl)
            note = u"Convert to button. Change text!"_qs;
        else
            deviceTarget();
        break;
    case ioHdrDesc: // a refresh of the header row after a title reset
        efbText = m_file.description();
        break;
    default:
        break;
    }

    if (mode == cuText) {
        m_text[row][colEfbText] = efbText;
        return;
    }
    if (mode == cuPoint) {
        if (const auto g = m_overrides.GlobalOvrGet(apex, ibexPoint)) {
            // A project-wide "$SKIP" marks the row skipped here too, as the
            // full build does.
            if (*g == SkipMark) {
                GridSetOVR(row, ovrSkip);
            } else {
                efbPoint = *g;
                GridSetOVR(row, GridGetOVR(row) == ovrText ? ovrTextAndPoint : ovrPoint);
            }
        }
        m_text[row][colEfbPoint] = efbPoint;
        return;
    }

    ObjOverride state = ovrNone;
    if (const auto t = m_overrides.DisplayOvrGet(object, false)) {
        efbText = *t;
        state = ovrText;
    }
    auto p = m_overrides.DisplayOvrGet(object, true);
    if (!p)
        p = m_overrides.GlobalOvrGet(apex, ibexPoint);
    if (p) {
        if (*p == SkipMark) {
            state = ovrSkip;
        } else {
            efbPoint = *p;
            state = state == ovrText ? ovrTextAndPoint : ovrPoint;
        }
    }
    if (state != ovrNone)
        GridSetOVR(row, state);

    m_text[row][colApex] = apex;
    m_text[row][colIbexText] = ibexText;
    m_text[row][colIbexPoint] = ibexPoint;
    m_text[row][colEfbText] = efbText;
    m_text[row][colEfbPoint] = efbPoint;
    m_text[row][colNotes] = note;
}

bool TranslationGrid::canOverride(int col, int row) const
{
    if (row < 1 || row >= RowCount || m_text[row][colObj].isEmpty())
        return false;
    const IbexObject kind = GridGetObjType(row);
    return (col == colEfbText && IsTextOverrideKind(kind)) || (col == colEfbPoint && IsPointOverrideKind(kind));
}

CellLook TranslationGrid::cellLook(int col, int row) const
{
    if ((col != colEfbText && col != colEfbPoint) || row < 1 || row >= RowCount)
        return CellLook::Plain;
    ObjOverride o = GridGetOVR(row);
    if ((col == colEfbText && o == ovrPoint) || (col == colEfbPoint && o == ovrText))
        o = ovrNone;
    switch (o) {
    case ovrNone: return CellLook::Translated;
    case ovrSkip: return CellLook::Skipped;
    default: return CellLook::Overridden;
    }
}

bool TranslationGrid::EditOverride(int col, int row, OverrideResult result, const QString &value)
{
    if (!canOverride(col, row))
        return false;
    const int object = GridGetObjIndex(row);
    const ObjOverride old = GridGetOVR(row);
    switch (result) {
    case orCancel:
        return true;
    case orOK:
        if (col == colEfbText) {
            m_text[row][colEfbText] = value;
            GridSetOVR(row, GridIsPointOVR(row) ? ovrTextAndPoint : ovrText);
            m_overrides.DisplayOvrPut(object, false, m_text[row][colIbexText], value);
        } else {
            m_text[row][colEfbPoint] = value;
            GridSetOVR(row, old == ovrText || old == ovrTextAndPoint ? ovrTextAndPoint : ovrPoint);
            m_overrides.DisplayOvrPut(object, true, m_text[row][colIbexPoint], value);
        }
        break;
    case orSkip:
        GridSetOVR(row, ovrSkip);
        m_overrides.DisplayOvrPut(object, true, m_text[row][colIbexPoint], SkipMark);
        break;
    case orReset:
        if (old == ovrTextAndPoint) {
            m_overrides.DisplayOvrDelete(object, col == colEfbPoint);
            GridSetOVR(row, col == colEfbText ? ovrPoint : ovrText);
            WriteGridData(row, col == colEfbText ? cuText : cuPoint);
        } else {
            GridSetOVR(row, ovrNone);
            m_overrides.DisplayOvrDelete(object, false);
            m_overrides.DisplayOvrDelete(object, true);
            // Both overrides are gone: both columns show the translation
            // again, not only the one edited.
            WriteGridData(row, cuText);
            WriteGridData(row, cuPoint);
        }
        break;
    }
    GridEdited = true;
    return true;
}

void TranslationGrid::SortGrid(SortOrder order)
{
    int n = 1;
    while (n + 1 < RowCount && !m_text[n + 1][colObj].isEmpty())
        ++n;
    auto less = [&](int a, int b) {
        if (order == soIndex)
            return GridGetObjIndex(a) < GridGetObjIndex(b);
        return QString::compare(m_text[a][order], m_text[b][order], Qt::CaseInsensitive) < 0;
    };
    // Rows already in order stay as they are (the sort takes the first of
    // equal rows, so it would not move one): nothing to do.
    bool ordered = true;
    for (int r = 1; ordered && r < n; ++r)
        ordered = !less(r + 1, r);
    if (ordered)
        return;
    for (int b = 1; b < n; ++b) {
        int m = b;
        for (int r = b + 1; r <= n; ++r)
            if (less(r, m))
                m = r;
        if (m != b) {
            std::swap(m_text[b], m_text[m]);
            std::swap(m_data[b], m_data[m]);
        }
    }
}

QString TranslationGrid::ClipboardText() const
{
    if (!m_loaded)
        return {};
    QString out = u"Obj#\tType\tApex#\tIbex-Text\tIbex-Pt\tBT-Text\tBT-Pt\tNotes"_qs;
    for (int r = 1; r < RowCount; ++r) {
        if (m_text[r][colType].isEmpty())
            continue;
        out += u'\n';
        for (int c = 0; c < ColCount; ++c) {
            if (c)
                out += u'\t';
            out += m_text[r][c];
        }
    }
    return out;
}

int TranslationGrid::rowOfObject(int object) const
{
    for (int r = 2; r < RowCount; ++r)
        if (!m_text[r][colObj].isEmpty() && GridGetObjIndex(r) == object)
            return r;
    return -1;
}

TranslationGrid::InfoBoxes TranslationGrid::info(int row)
{
    InfoBoxes box;
    if (!m_loaded || row < 1 || row >= RowCount || m_text[row][colObj].isEmpty())
        return box;
    const IbexObject kind = GridGetObjType(row);
    if (kind == ioHdrDesc) {
        if (m_file.backgroundKind() == ibw::BackgroundShownColor) {
            box.ibex = box.bactalk = u"Color: "_qs + ColorToString(m_file.backgroundColor());
        } else {
            box.ibex = m_file.bitmapName();
            QString name = box.ibex;
            const qsizetype cut = qMax(name.lastIndexOf(u'\\'), qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u':')));
            box.bactalk = name.mid(cut + 1);
        }
        return box;
    }
    if (!isPushbutton(kind) && kind != ioGrMicroset)
        return box;
    const IbexObjRec rec = record(row);
    const IbexFileType type = GridGetFileType();
    QString target;
    if (kind == ioBtnDisp && type != ftTuxTemplate)
        target = IbexFileName(type == ftTemplate ? ftTemplate : ftDisplay, rec.u16(ibw::obj::PointRef));
    else if (kind == ioBtnDisp || kind == ioBtnTux)
        target = IbexFileName(ftTuxTemplate, rec.u16(ibw::obj::TemplateNumber));
    else
        target = IbexFileName(ftTemplate, rec.u16(ibw::obj::TemplateNumber));
    box.ibex = LocalJobPrefix(IsLocalJobBit(rec.options())) + target;
    const QString bt = m_naming.ButtonTargetName(rec, type);
    box.bactalk = (m_naming.WasRedirected ? u"Redirected: "_qs : QString()) + bt;
    return box;
}

QString ColorToString(uint32_t color)
{
    struct Named {
        uint32_t value;
        const char *name;
    };
    static const Named names[] = {
        {0x000000, "clBlack"},  {0x000080, "clMaroon"}, {0x008000, "clGreen"}, {0x008080, "clOlive"},
        {0x800000, "clNavy"},   {0x800080, "clPurple"}, {0x808000, "clTeal"},  {0x808080, "clGray"},
        {0xC0C0C0, "clSilver"}, {0x0000FF, "clRed"},    {0x00FF00, "clLime"},  {0x00FFFF, "clYellow"},
        {0xFF0000, "clBlue"},   {0xFF00FF, "clFuchsia"}, {0xFFFF00, "clAqua"}, {0xFFFFFF, "clWhite"},
    };
    for (const Named &n : names)
        if (n.value == color)
            return QLatin1String(n.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace vorlix
