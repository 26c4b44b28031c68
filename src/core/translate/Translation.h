#pragma once
// The translation of one loaded Ibex display: a header row and one row per
// display object saying what it is in Ibex and what it becomes in BACtalk
// (text, point, note), with the user's overrides applied. Typed rows built
// once by the DisplayTranslator; the grid's texts and the clipboard text are
// views of them, and display creation reads them.
#include "ibex/IbexDisplay.h"
#include "ibex/IbexObject.h"
#include "project/WorkbenchPart.h"
#include "translate/OverrideStore.h"
#include "translate/PointTranslator.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace vorlix {

// tobjOVR: a row's override state.
enum class ObjOverride : uint8_t { None = 0, Skip, Point, Text, TextAndPoint };
// tobjException: rows display creation treats specially.
enum class ObjException : uint8_t { excNone = 0, excLoginBtn };
using enum ObjException;
// tSortOrder: the column a sort compares.
enum class SortOrder : uint8_t { soIndex = 0, soObjType, soApex, soIbexText, soIbexPt, soBtText, soBtPt, soNotes };
using enum SortOrder;
// What the user chose in the override dialog.
enum class OverrideResult { OK, Cancel, Reset, Skip };

// How a cell of the BACtalk text or point column shows the row's override,
// as seen from that column (a point override counts as none in the text
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

// The kinds whose BACtalk text or point may be overridden.
bool isTextOverrideKind(IbexObject kind);
bool isPointOverrideKind(IbexObject kind);

// One row: the header (object 0) or object n ("Obj.n").
struct TranslationRow {
    int object = 0;
    IbexObject kind = ioHdrDesc;
    int position = 0; // 1-based position of the object's record in the file (0: the header)
    QString apex;     // the Apex column (empty where the row shows none)
    QString ibexText;
    QString ibexPoint;
    QString btText;  // as shown: the translation or the override
    QString btPoint; // as shown: the translation or the override
    QString note;
    ObjOverride ovr = ObjOverride::None;
    ObjException exception = excNone;
    // The point translation of an object that has a point, whatever the row
    // shows (display creation writes it unless the point is overridden).
    BtPoint translated;

    bool isHeader() const { return object == 0; }
    bool hasPointOverride() const { return ovr == ObjOverride::Point || ovr == ObjOverride::TextAndPoint; }
};

// Kept on the workbench while loaded (a WorkbenchPart).
class Translation : public WorkbenchPart {
public:
    // Columns of the grid, in order.
    static constexpr int colObj = 0, colType = 1, colApex = 2, colIbexText = 3, colIbexPoint = 4, colBtText = 5,
                         colBtPoint = 6, colNotes = 7;
    static constexpr int ColCount = 8;
    // Objects beyond these are counted, not listed.
    static constexpr int MaxObjects = 256;

    Translation(IbexDisplay file, QString path, DisplayRef display, IbexFileType type);

    const QString &path() const { return m_path; }
    const DisplayRef &display() const { return m_display; }
    const QString &displayName() const { return m_display.name; }
    bool localJob() const { return m_display.localJob; }
    IbexFileType fileType() const { return m_type; }
    const IbexDisplay &file() const { return m_file; }
    IbexObjRec record(const TranslationRow &row) const { return m_file.record(row.position); }

    // The header row first, then one row per listed object, in the order
    // of the last sort (object order after loading).
    const std::vector<TranslationRow> &rows() const { return m_rows; }
    std::vector<TranslationRow> &rows() { return m_rows; }
    TranslationRow &header();
    const TranslationRow &header() const;
    // Objects counted by the load, also those beyond the listed ones.
    int totalObjects() const { return m_totalObjects; }
    void setTotalObjects(int n) { m_totalObjects = n; }

    // The index of an object's row (0 is the header), or -1.
    int indexOfObject(int object) const;

    // --- views --------------------------------------------------------------
    static QString columnTitle(int column);
    static QString cellText(const TranslationRow &row, int column);
    QString cellText(int index, int column) const { return cellText(m_rows.at(size_t(index)), column); }
    // The grid as tab-separated text, as copied to the clipboard.
    QString clipboardText() const;
    static bool canOverride(const TranslationRow &row, int column);
    static CellLook cellLook(const TranslationRow &row, int column);

    // Selection sort of the rows by a column.
    void sort(SortOrder order);

    // The loaded display's bytes as display creation has changed them: a
    // creation sets defaults in the records it reads (colours, microset
    // buttons), and a second creation of the same load sees them.
    QByteArray &creationBytes();

private:
    IbexDisplay m_file;
    QString m_path;
    DisplayRef m_display;
    IbexFileType m_type;
    std::vector<TranslationRow> m_rows;
    int m_totalObjects = 0;
    QByteArray m_creationBytes;
    bool m_creationBytesMade = false;
};

// The name of a Windows colour value as the info box shows it: a standard
// colour's name ("clRed") or "$00BBGGRR".
QString colorToString(uint32_t color);

} // namespace vorlix
