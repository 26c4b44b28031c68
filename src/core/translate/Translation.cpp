#include "translate/Translation.h"

#include <utility>

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

Translation::Translation(IbexDisplay file, QString path, DisplayRef display, IbexFileType type)
    : m_file(std::move(file)), m_path(std::move(path)), m_display(std::move(display)), m_type(type)
{
    TranslationRow header;
    header.kind = ioHdrDesc;
    m_rows.push_back(header);
}

TranslationRow &Translation::header()
{
    for (TranslationRow &r : m_rows)
        if (r.isHeader())
            return r;
    return m_rows.front();
}

const TranslationRow &Translation::header() const { return const_cast<Translation *>(this)->header(); }

int Translation::indexOfObject(int object) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].object == object)
            return int(i);
    return -1;
}

QString Translation::columnTitle(int column)
{
    static const char *const titles[ColCount] = {"",          "Obj-Type", "Apex",      "Ibex Text",
                                                 "Ibex Point", "EFB Text", "EFB Point", "Conversion Notes"};
    return column >= 0 && column < ColCount ? QLatin1String(titles[column]) : QString();
}

QString Translation::cellText(const TranslationRow &row, int column)
{
    switch (column) {
    case colObj: return row.isHeader() ? u"Hdr"_qs : u"Obj."_qs + QString::number(row.object);
    case colType: return row.isHeader() ? u"Display Info"_qs : ibexObjectName(row.kind);
    case colApex: return row.apex;
    case colIbexText: return row.ibexText;
    case colIbexPoint: return row.ibexPoint;
    case colBtText: return row.btText;
    case colBtPoint: return row.btPoint;
    case colNotes: return row.note;
    default: return {};
    }
}

QString Translation::clipboardText() const
{
    QString out = u"Obj#\tType\tApex#\tIbex-Text\tIbex-Pt\tBT-Text\tBT-Pt\tNotes"_qs;
    for (const TranslationRow &row : m_rows) {
        out += u'\n';
        for (int c = 0; c < ColCount; ++c) {
            if (c)
                out += u'\t';
            out += cellText(row, c);
        }
    }
    return out;
}

bool Translation::canOverride(const TranslationRow &row, int column)
{
    return (column == colBtText && isTextOverrideKind(row.kind))
        || (column == colBtPoint && isPointOverrideKind(row.kind));
}

CellLook Translation::cellLook(const TranslationRow &row, int column)
{
    if (column != colBtText && column != colBtPoint)
        return CellLook::Plain;
    ObjOverride o = row.ovr;
    if ((column == colBtText && o == ObjOverride::Point) || (column == colBtPoint && o == ObjOverride::Text))
        o = ObjOverride::None;
    switch (o) {
    case ObjOverride::None: return CellLook::Translated;
    case ObjOverride::Skip: return CellLook::Skipped;
    default: return CellLook::Overridden;
    }
}

void Translation::sort(SortOrder order)
{
    const int n = int(m_rows.size());
    auto less = [&](int a, int b) {
        if (order == soIndex)
            return m_rows[size_t(a)].object < m_rows[size_t(b)].object;
        return QString::compare(cellText(a, int(order)), cellText(b, int(order)), Qt::CaseInsensitive) < 0;
    };
    // Rows already in order stay as they are (the sort takes the first of
    // equal rows, so it would not move one): nothing to do.
    bool ordered = true;
    for (int r = 0; ordered && r + 1 < n; ++r)
        ordered = !less(r + 1, r);
    if (ordered)
        return;
    // A selection sort: equal rows may change places, as users know it.
    for (int b = 0; b + 1 < n; ++b) {
        int m = b;
        for (int r = b + 1; r < n; ++r)
            if (less(r, m))
                m = r;
        if (m != b)
            std::swap(m_rows[size_t(b)], m_rows[size_t(m)]);
    }
}

QByteArray &Translation::creationBytes()
{
    if (!m_creationBytesMade) {
        m_creationBytes = m_file.bytes();
        m_creationBytes.detach();
        m_creationBytesMade = true;
    }
    return m_creationBytes;
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
