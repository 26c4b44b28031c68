#pragma once
// Builds the translation of a loaded Ibex display: reads the file, walks its
// object records, gives each its row by the rules of its kind (what the
// options say, how its point translates, where its button leads) and applies
// the stored overrides; edits overrides and refreshes the rows they change.
#include "project/ProjectVariables.h"
#include "translate/DisplayNaming.h"
#include "translate/OverrideStore.h"
#include "translate/PointTranslator.h"
#include "translate/Translation.h"

#include <QString>

namespace vorlix {

class ControllerMap;

class DisplayTranslator {
public:
    DisplayTranslator(const ProjectVariables &vars, ControllerMap &map);
    DisplayTranslator(const DisplayTranslator &) = delete;
    DisplayTranslator &operator=(const DisplayTranslator &) = delete;

    // Lists the display file at `path` under `display` (the key of its
    // overrides). Throws Error naming the file when it cannot be read.
    Translation load(const QString &path, const DisplayRef &display);
    // The same with the file already read.
    Translation load(IbexDisplay file, const QString &path, const DisplayRef &display);

    // Override editing of the BACtalk text or point column of row `index`
    // with the override dialog's result; `value` is the new text or point
    // for OK. The override is stored at once; when the database refuses it
    // (Refused) the row stays as it was.
    enum class Edit { NotAllowed, Unchanged, Changed, Refused };
    Edit editOverride(Translation &t, int index, int column, OverrideResult result, const QString &value = {});

    // The two info boxes shown for a selected row.
    struct InfoBoxes {
        QString ibex;
        QString bactalk;
    };
    InfoBoxes info(const Translation &t, int index);

    OverrideStore &overrides() { return m_overrides; }
    DisplayNaming &naming() { return m_naming; }
    PointTranslator &points() { return m_points; }

private:
    // What the rules give a row, before overrides.
    struct Automatic {
        QString apex, ibexText, ibexPoint, btText, btPoint, note;
        bool skip = false;
        ObjException exception = excNone;
        BtPoint point;
    };
    Automatic automatic(const Translation &t, const TranslationRow &row);
    void pointColumns(Automatic &a, const IbexObjRec &rec, bool airflow, bool templateContext);
    void buttonColumns(Automatic &a, const IbexObjRec &rec, IbexFileType type, const QString &apexText);
    void controlPanelColumns(Automatic &a, IbexObject kind, const QString &apexText);
    void controlPanelAsText(Automatic &a, IbexObject kind, const QString &apexText);
    void buttonDevice(Automatic &a, const IbexObjRec &rec, IbexFileType type);

    TranslationRow objectRow(const Translation &t, int object, int position);
    // The row's text (or point) column back to its translation, as after an
    // override of it is reset.
    void refreshText(const Translation &t, TranslationRow &row);
    void refreshPoint(const Translation &t, TranslationRow &row);
    // Reset in the text (or point) column: deletes the overrides it removes
    // and rebuilds that column. False, with the row unchanged, when the
    // database refuses a delete.
    bool resetOverrides(const Translation &t, TranslationRow &row, bool textColumn);

    const ProjectVariables &m_vars;
    ControllerMap &m_map;
    OverrideStore m_overrides;
    DisplayNaming m_naming;
    PointTranslator m_points;
};

} // namespace vorlix
