#pragma once
// The translation grid of one loaded Ibex display: a header row and one row
// per display object saying what it is in Ibex and what it becomes in
// BACtalk (text, point, note), with the user's overrides applied. Plain data
// (rows of eight texts and eight hidden integers); a view shows it, display
// creation reads it.
#include "project/ProjectVariables.h"
#include "translate/DisplayNaming.h"
#include "ibex/IbexDisplay.h"
#include "inventory/RedirectTable.h"
#include "project/LookupCache.h"
#include "translate/OverrideStore.h"
#include "translate/PointTranslator.h"

#include <QString>
#include <array>
#include <cstdint>

namespace vorlix {

class ControllerMap;

// tobjOVR: a row's override state.
enum ObjOverride : uint8_t { ovrNone = 0, ovrSkip, ovrPoint, ovrText, ovrTextAndPoint };
// tobjException: rows display creation treats specially.
enum ObjException : uint8_t { excNone = 0, excLoginBtn };
// tCellUpdate: what WriteGridData rebuilds.
enum CellUpdate : uint8_t { cuAll = 0, cuText, cuPoint };
// tSortOrder: the column a sort compares.
enum SortOrder : uint8_t { soIndex = 0, soObjType, soApex, soIbexText, soIbexPt, soBtText, soBtPt, soNotes };
// Results of the override dialog.
enum OverrideResult : int { orOK = 1, orCancel = 2, orReset = 4, orSkip = 5 };

// How a cell of the EFB text or point column shows the row's override, as
// seen from that column (a point override counts as none in the text
// column, a text override as none in the point column).
enum class CellLook : uint8_t {
    Plain,      // other columns
    Translated, // green: no override
    Skipped,    // silver, struck through
    Overridden, // red
};
inline constexpr uint32_t TranslatedColor = 0x008000;
inline constexpr uint32_t SkippedColor = 0xC0C0C0;
inline constexpr uint32_t OverriddenColor = 0x0000FF;

// The texts the loading of a display shows.
QString unsavedGridEditsQuestion();
QString redirectedDisplayNote();
QString unreferencedDisplayNote();
QString missingDisplayMessage(const QString &path);

// The kinds whose BACtalk text (column 5) or point (column 6) may be overridden.
bool isTextOverrideKind(IbexObject kind);
bool isPointOverrideKind(IbexObject kind);

class TranslationGrid {
public:
    static constexpr int ColCount = 8;
    static constexpr int RowCount = 258; // titles, header, 256 objects
    static constexpr int MaxObjects = RowCount - 2;
    static constexpr int HeaderRow = 1;
    // The integer a cleared cell holds.
    static constexpr int ClearedData = 99997;

    enum Column { colObj = 0, colType, colApex, colIbexText, colIbexPoint, colBtText, colBtPoint, colNotes };

    TranslationGrid(ProjectVariables &vars, ProjectDatabase &pdb, ControllerMap &map);
    TranslationGrid(const TranslationGrid &) = delete;
    TranslationGrid &operator=(const TranslationGrid &) = delete;

    // --- the loaded display -----------------------------------------------
    // Lists the display file at `path` under `name` (the key of its
    // overrides). Throws Error naming the file when it cannot be read; the
    // grid is cleared then and no display is loaded.
    void loadDisplay(const QString &path, const QString &name, bool localJob);
    // The same with the file already read.
    void loadDisplay(IbexDisplay file, const QString &path, const QString &name, bool localJob);
    bool isLoaded() const { return m_loaded; }
    const QString &displayName() const { return m_name; }
    const QString &displayPath() const { return m_path; }
    bool displayLocalJob() const { return m_localJob; }
    IbexFileType fileType() const { return gridGetFileType(); }
    const IbexDisplay &display() const { return m_file; }
    // Objects counted by the last load, also those beyond the 256 rows.
    uint16_t totalObj = 0;
    // The grid holds override edits not yet written as a BACtalk display.
    bool gridEdited = false;

    // --- cells and hidden row data ------------------------------------------
    const QString &cell(int col, int row) const { return m_text[row][col]; }
    void setCell(int col, int row, const QString &text) { m_text[row][col] = text; }
    int data(int col, int row) const { return m_data[row][col]; }

    IbexFileType gridGetFileType() const;
    void gridSetFileType(IbexFileType t) { m_data[0][0] = t & 0x7F; }
    uint16_t gridGetObjIndex(int row) const { return uint16_t(m_data[row][0]); }
    void gridSetObjIndex(int row, uint16_t v) { m_data[row][0] = v; }
    uint16_t gridGetBufferStart(int row) const { return uint16_t(m_data[row][1]); }
    void gridSetBufferStart(int row, uint16_t v) { m_data[row][1] = v; }
    IbexObject gridGetObjType(int row) const { return ibexObjectFromInt(m_data[row][2]); }
    void gridSetObjType(int row, IbexObject k) { m_data[row][2] = k & 0x7F; }
    ObjOverride gridGetOvr(int row) const;
    void gridSetOvr(int row, ObjOverride o) { m_data[row][3] = o & 0x7F; }
    ObjException gridGetException(int row) const { return m_data[row][4] == excLoginBtn ? excLoginBtn : excNone; }
    void gridSetException(int row, ObjException e) { m_data[row][4] = e & 0x7F; }
    bool gridIsPointOvr(int row) const
    {
        const ObjOverride o = gridGetOvr(row);
        return o == ovrPoint || o == ovrTextAndPoint;
    }
    // The object record of a row (of the loaded display's own bytes).
    IbexObjRec record(int row) const { return m_file.record(gridGetBufferStart(row)); }

    // --- building rows --------------------------------------------------------
    // Empties rows 1 to the last (texts empty, integers ClearedData).
    void clearGrid();
    void addHeaderToGrid(IbexFileType type);
    void addObjectToGrid(uint16_t number, int position);
    void writeGridData(int row, CellUpdate mode);

    // Override editing of column 5 (text) or 6 (point) of a row with the
    // dialog's result; `value` is the new text or point for orOK. False when
    // the column cannot be overridden for the row's kind (nothing changes).
    bool editOverride(int col, int row, OverrideResult result, const QString &value = QString());
    bool canOverride(int col, int row) const;
    CellLook cellLook(int col, int row) const;

    // Selection sort of the filled rows by a column.
    void sortGrid(SortOrder order);
    // The grid as tab-separated text, as copied to the clipboard; empty
    // while no display is loaded.
    QString clipboardText() const;
    // The row of an object number, or -1 when the grid does not show it.
    int rowOfObject(int object) const;

    // The two info boxes shown for a selected row.
    struct InfoBoxes {
        QString ibex;
        QString bactalk;
    };
    InfoBoxes info(int row);

    // The services the rows are built with (display creation uses them too).
    PointTranslator &translator() { return m_translator; }
    DisplayNaming &naming() { return m_naming; }
    OverrideStore &overrides() { return m_overrides; }
    RedirectTable &redirects() { return m_redirects; }

private:
    ProjectVariables &m_vars;
    RedirectTable m_redirects;
    LookupCache m_lookups;
    OverrideStore m_overrides;
    DisplayNaming m_naming;
    PointTranslator m_translator;

    IbexDisplay m_file;
    QString m_name, m_path;
    bool m_localJob = false;
    bool m_loaded = false;

    std::array<std::array<QString, ColCount>, RowCount> m_text;
    std::array<std::array<int, ColCount>, RowCount> m_data{};
};

// The name of a Windows colour value as the info box shows it: a standard
// colour's name ("clRed") or "$00BBGGRR".
QString colorToString(uint32_t color);

} // namespace vorlix
