#include "translate/TranslationGrid.h"

#include "project/ControllerMap.h"

namespace vorlix {

bool isTextOverrideKind(IbexObject k)
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

bool isPointOverrideKind(IbexObject k)
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

QString unsavedGridEditsQuestion()
{
    return u"You have made edits to the current translation grid. Loading a new file will cause you to loose "
           "those edits. \nContinue loading new file?"_qs;
}

QString redirectedDisplayNote()
{
    return u"This display has been flagged as Redirected/Skipped. \nThere is no need to copy it to the BACtalk job."_qs;
}

QString unreferencedDisplayNote()
{
    return u"This display does not seem to be referenced from any button. \nYou may not need to translate it."_qs;
}

QString missingDisplayMessage(const QString &path) { return u"Missing display file!\nFile: "_qs + path; }

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
    clearGrid();
}

IbexFileType TranslationGrid::gridGetFileType() const
{
    const int v = m_data[0][0];
    return v == ftTemplate ? ftTemplate : v == ftTuxTemplate ? ftTuxTemplate : ftDisplay;
}

ObjOverride TranslationGrid::gridGetOvr(int row) const
{
    const int v = m_data[row][3];
    return v >= ovrNone && v <= ovrTextAndPoint ? ObjOverride(v) : ovrNone;
}

void TranslationGrid::clearGrid()
{
    for (int r = 1; r < RowCount; ++r)
        for (int c = 0; c < ColCount; ++c) {
            m_text[r][c].clear();
            m_data[r][c] = ClearedData;
        }
}

void TranslationGrid::loadDisplay(const QString &path, const QString &name, bool localJob)
{
    IbexDisplay file;
    try {
        file = IbexDisplay::read(path); // throws with the file named
    } catch (...) {
        clearGrid();
        gridEdited = false;
        totalObj = 0;
        m_loaded = false;
        throw;
    }
    loadDisplay(std::move(file), path, name, localJob);
}

void TranslationGrid::loadDisplay(IbexDisplay file, const QString &path, const QString &name, bool localJob)
{
    clearGrid();
    gridEdited = false;
    totalObj = 0;
    const IbexFileType type = ibexFileTypeOf(path);
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
    addHeaderToGrid(type);
    for (int p : m_file.walkObjectRecords()) {
        if (m_file.record(p).length() == ibw::SkippedRecordLength)
            continue;
        ++totalObj;
        // Objects beyond the grid's rows are counted, not listed.
        if (totalObj <= MaxObjects)
            addObjectToGrid(totalObj, p);
    }
    reading.commit();
}

void TranslationGrid::addHeaderToGrid(IbexFileType type)
{
    gridSetFileType(type);
    const int r = HeaderRow;
    gridSetBufferStart(r, 0);
    gridSetObjIndex(r, 0);
    gridSetObjType(r, ioHdrDesc);
    gridSetOvr(r, ovrNone);
    m_text[r][colObj] = u"Hdr"_qs;
    m_text[r][colType] = u"Display Info"_qs;
    m_text[r][colBtText] = m_file.description();
    // A title override made earlier comes back with the display, as the
    // overrides of the objects do (otherwise it would show, and be written,
    // only until the next load).
    if (const auto title = m_overrides.displayOvrGet(0, false)) {
        m_text[r][colBtText] = *title;
        gridSetOvr(r, ovrText);
    }
}

void TranslationGrid::addObjectToGrid(uint16_t number, int position)
{
    const int r = number + 1;
    if (r < 2 || r >= RowCount)
        return;
    gridSetBufferStart(r, uint16_t(position));
    gridSetObjIndex(r, number);
    m_text[r][colObj] = u"Obj."_qs + QString::number(number);
    const IbexObject kind = m_file.record(position).kind();
    m_text[r][colType] = ibexObjectName(kind);
    gridSetObjType(r, kind);
    writeGridData(r, cuAll);
}

void TranslationGrid::writeGridData(int row, CellUpdate mode)
{
    if (row < 1 || row >= RowCount)
        return;
    const IbexObject kind = gridGetObjType(row);
    const IbexFileType type = gridGetFileType();
    const bool plain = type == ftDisplay;
    const bool tmpl = !plain;
    const IbexObjRec rec = record(row);
    const int object = gridGetObjIndex(row);
    if (mode != cuAll) {
        // A single row refreshed after an edit: the database may have been
        // changed since the display was listed.
        m_lookups.revalidate();
        m_overrides.revalidate();
    }
    if (mode == cuAll) {
        m_text[row][colNotes].clear();
        gridSetOvr(row, ovrNone);
        gridSetException(row, excNone);
    }

    QString apex, ibexText, ibexPoint, btText, btPoint, note;
    const uint8_t code = pointRefCode(rec);
    const bool noApex = (kind == ioBtnDisp && plain) ||
                        (tmpl && (kind == ioBtnDef || kind == ioBtnDisp || kind == ioBtnCmd ||
                                  (kind >= ioTuxAddress && kind <= ioCpEvent) || code == ptref::Global ||
                                  code == ptref::Zone || code == ptref::ZoneGeneric));
    const QString apexText = noApex ? QString() : QString::number(rec.apex());

    auto pointColumns = [&](bool airflow) {
        ibexPoint = airflow ? m_translator.ibexAirflowPointText(rec, tmpl) : m_translator.ibexPointText(rec, tmpl);
        btPoint = airflow ? m_translator.btAirflowPointText(rec, tmpl) : m_translator.btPointText(rec, tmpl);
        if (m_translator.pointError)
            note = m_translator.pointErrorText;
    };
    auto asText = [&]() { // the rule of the control-panel text objects
        apex = apexText;
        ibexText = ibexObjectName(kind);
        if (m_vars.showZoneObjAsText) {
            btText = ibexText;
            note = u"Convert to text"_qs;
        } else {
            note = u"Will be skipped."_qs;
            gridSetOvr(row, ovrSkip);
        }
    };
    auto deviceTarget = [&]() {
        m_naming.buttonTargetName(rec, type);
        if (plain) {
            if (m_naming.targetMapped)
                btPoint = u"Dev-ID: "_qs + QString::number(m_naming.targetDevice);
            else
                note = u"Device-ID cannot be mapped!"_qs;
        }
    };

    switch (kind) {
    case ioText:
    case ioGroupBox:
        ibexText = btText = rec.caption();
        break;
    case ioTimeDate:
        ibexText = btText = u"DateTime"_qs;
        break;
    case ioBtnDef:
    case ioBtnCPSetup:
        ibexText = btText = rec.caption();
        note = u"No translation."_qs;
        gridSetOvr(row, ovrSkip);
        break;
    case ioBtnDisp:
        ibexText = btText = rec.caption();
        if (type == ftTemplate && rec.kindFlag() != 1 && rec.kindFlag() != 2)
            ibexPoint = u"Same Cpanel"_qs;
        break;
    case ioBtnCP:
    case ioBtnTux:
        apex = apexText;
        ibexText = btText = rec.caption();
        ibexPoint = buttonTargetText(rec, type);
        deviceTarget();
        break;
    case ioBtnCmd:
        ibexText = btText = rec.commandCaption();
        if (rec.caption().startsWith(u';'))
            gridSetException(row, excLoginBtn);
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
        ibexText = btText = rec.caption();
        pointColumns(false);
        if (note.isEmpty() && rec.kindFlag() == 1)
            note = u"Reversed DO state!"_qs;
        break;
    case ioAirflow:
    case ioRoAirflow:
        pointColumns(true);
        break;
    case ioCpStatus:
        if (!m_vars.convertCpStatus) {
            asText();
            break;
        }
        apex = apexText;
        btPoint = m_vars.cpanelStatusBV;
        note = u"Convert to prompted pt."_qs;
        break;
    case ioCpDesc:
    case ioCpNum:
        if (!m_vars.convertCpName) {
            asText();
            break;
        }
        apex = apexText;
        btPoint = kind == ioCpDesc ? u"description"_qs : u"object-name"_qs;
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
        ibexPoint = buttonTargetText(rec, type);
        if (!m_vars.mapMSetGraphicToBtn)
            note = u"Will be skipped."_qs;
        else if (tmpl)
            note = u"Convert to button. Change text!"_qs;
        else
            deviceTarget();
        break;
    case ioHdrDesc: // a refresh of the header row after a title reset
        btText = m_file.description();
        break;
    default:
        break;
    }

    if (mode == cuText) {
        m_text[row][colBtText] = btText;
        return;
    }
    if (mode == cuPoint) {
        if (const auto g = m_overrides.globalOvrGet(apex, ibexPoint)) {
            // A project-wide "$SKIP" marks the row skipped here too, as the
            // full build does.
            if (*g == SkipMark) {
                gridSetOvr(row, ovrSkip);
            } else {
                btPoint = *g;
                gridSetOvr(row, gridGetOvr(row) == ovrText ? ovrTextAndPoint : ovrPoint);
            }
        }
        m_text[row][colBtPoint] = btPoint;
        return;
    }

    ObjOverride state = ovrNone;
    if (const auto t = m_overrides.displayOvrGet(object, false)) {
        btText = *t;
        state = ovrText;
    }
    auto p = m_overrides.displayOvrGet(object, true);
    if (!p)
        p = m_overrides.globalOvrGet(apex, ibexPoint);
    if (p) {
        if (*p == SkipMark) {
            state = ovrSkip;
        } else {
            btPoint = *p;
            state = state == ovrText ? ovrTextAndPoint : ovrPoint;
        }
    }
    if (state != ovrNone)
        gridSetOvr(row, state);

    m_text[row][colApex] = apex;
    m_text[row][colIbexText] = ibexText;
    m_text[row][colIbexPoint] = ibexPoint;
    m_text[row][colBtText] = btText;
    m_text[row][colBtPoint] = btPoint;
    m_text[row][colNotes] = note;
}

bool TranslationGrid::canOverride(int col, int row) const
{
    if (row < 1 || row >= RowCount || m_text[row][colObj].isEmpty())
        return false;
    const IbexObject kind = gridGetObjType(row);
    return (col == colBtText && isTextOverrideKind(kind)) || (col == colBtPoint && isPointOverrideKind(kind));
}

CellLook TranslationGrid::cellLook(int col, int row) const
{
    if ((col != colBtText && col != colBtPoint) || row < 1 || row >= RowCount)
        return CellLook::Plain;
    ObjOverride o = gridGetOvr(row);
    if ((col == colBtText && o == ovrPoint) || (col == colBtPoint && o == ovrText))
        o = ovrNone;
    switch (o) {
    case ovrNone: return CellLook::Translated;
    case ovrSkip: return CellLook::Skipped;
    default: return CellLook::Overridden;
    }
}

bool TranslationGrid::editOverride(int col, int row, OverrideResult result, const QString &value)
{
    if (!canOverride(col, row))
        return false;
    const int object = gridGetObjIndex(row);
    const ObjOverride old = gridGetOvr(row);
    switch (result) {
    case orCancel:
        return true;
    case orOK:
        if (col == colBtText) {
            m_text[row][colBtText] = value;
            gridSetOvr(row, gridIsPointOvr(row) ? ovrTextAndPoint : ovrText);
            m_overrides.displayOvrPut(object, false, m_text[row][colIbexText], value);
        } else {
            m_text[row][colBtPoint] = value;
            gridSetOvr(row, old == ovrText || old == ovrTextAndPoint ? ovrTextAndPoint : ovrPoint);
            m_overrides.displayOvrPut(object, true, m_text[row][colIbexPoint], value);
        }
        break;
    case orSkip:
        gridSetOvr(row, ovrSkip);
        m_overrides.displayOvrPut(object, true, m_text[row][colIbexPoint], SkipMark);
        break;
    case orReset:
        if (old == ovrTextAndPoint) {
            m_overrides.displayOvrDelete(object, col == colBtPoint);
            gridSetOvr(row, col == colBtText ? ovrPoint : ovrText);
            writeGridData(row, col == colBtText ? cuText : cuPoint);
        } else {
            gridSetOvr(row, ovrNone);
            m_overrides.displayOvrDelete(object, false);
            m_overrides.displayOvrDelete(object, true);
            // Both overrides are gone: both columns show the translation
            // again, not only the one edited.
            writeGridData(row, cuText);
            writeGridData(row, cuPoint);
        }
        break;
    }
    gridEdited = true;
    return true;
}

void TranslationGrid::sortGrid(SortOrder order)
{
    int n = 1;
    while (n + 1 < RowCount && !m_text[n + 1][colObj].isEmpty())
        ++n;
    auto less = [&](int a, int b) {
        if (order == soIndex)
            return gridGetObjIndex(a) < gridGetObjIndex(b);
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

QString TranslationGrid::clipboardText() const
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
        if (!m_text[r][colObj].isEmpty() && gridGetObjIndex(r) == object)
            return r;
    return -1;
}

TranslationGrid::InfoBoxes TranslationGrid::info(int row)
{
    InfoBoxes box;
    if (!m_loaded || row < 1 || row >= RowCount || m_text[row][colObj].isEmpty())
        return box;
    const IbexObject kind = gridGetObjType(row);
    if (kind == ioHdrDesc) {
        if (m_file.backgroundKind() == ibw::BackgroundShownColor) {
            box.ibex = box.bactalk = u"Color: "_qs + colorToString(m_file.backgroundColor());
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
    const IbexFileType type = gridGetFileType();
    QString target;
    if (kind == ioBtnDisp && type != ftTuxTemplate)
        target = ibexFileName(type == ftTemplate ? ftTemplate : ftDisplay, rec.u16(ibw::obj::PointRef));
    else if (kind == ioBtnDisp || kind == ioBtnTux)
        target = ibexFileName(ftTuxTemplate, rec.u16(ibw::obj::TemplateNumber));
    else
        target = ibexFileName(ftTemplate, rec.u16(ibw::obj::TemplateNumber));
    box.ibex = localJobPrefix(isLocalJobBit(rec.options())) + target;
    const QString bt = m_naming.buttonTargetName(rec, type);
    box.bactalk = (m_naming.wasRedirected ? u"Redirected: "_qs : QString()) + bt;
    return box;
}

QString colorToString(uint32_t color)
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
