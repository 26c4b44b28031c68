#include "displays/DisplayCreation.h"

#include "project/ProjectDatabase.h"
#include "project/Workbench.h"

#include <optional>
#include "translate/TranslationGrid.h"

namespace vorlix {

DisplayCreation::DisplayCreation(Workbench &wb, TranslationGrid &grid)
    : DisplayCreation(wb.vars, wb.settings, wb.log, wb.prompter, grid)
{
    m_creator->projectFolder = wb.projectFolder;
    m_creator->localJobFolder = wb.localJobFolder;
    database = &wb.pdb;
}

DisplayCreation::DisplayCreation(const ProjectVariables &vars, const Settings &settings, SessionLog &log,
                                 Prompter &prompter, TranslationGrid &grid)
    : m_grid(grid)
{
    m_creator = std::make_unique<DisplayCreator>(
        vars, settings, log, prompter, grid.naming(),
        [this](const IbexObjRec &rec, IbexFileType type) {
            PointTranslator &t = m_grid.translator();
            const bool templateContext = type != ftDisplay;
            PointTranslation out;
            out.text = isAirflow(rec.kind()) ? t.btAirflowPointText(rec, templateContext)
                                             : t.btPointText(rec, templateContext);
            if (t.pointError)
                out.error = t.pointErrorText;
            return out;
        });
}

DisplayCreation::~DisplayCreation() = default;

QByteArray &DisplayCreation::workingBytes()
{
    const QByteArray &loaded = m_grid.display().bytes();
    // A new load replaces the grid's bytes; the copy held here keeps the old
    // ones alive, so the same data pointer means the same load.
    if (loaded.constData() != m_loadedBytes.constData() || loaded.size() != m_loadedBytes.size()) {
        m_loadedBytes = loaded;
        m_working = loaded;
        m_working.detach();
    }
    return m_working;
}

CreationResult DisplayCreation::createBtDisplay(int selectedRow)
{
    if (!m_grid.isLoaded())
        return {};
    CreationInput input;
    input.loadedName = m_grid.displayName();
    input.localJob = m_grid.displayLocalJob();
    input.ibexBytes = &workingBytes();
    input.ibexDataLength = m_grid.display().dataLength();
    input.headerOvr = m_grid.gridGetOvr(TranslationGrid::HeaderRow) == ovrText ? RowOverride::Text : RowOverride::None;
    input.headerText = m_grid.cell(TranslationGrid::colBtText, TranslationGrid::HeaderRow);
    // The object chosen for single-row mode, before the sort moves rows.
    if (selectedRow > TranslationGrid::HeaderRow && selectedRow < TranslationGrid::RowCount
        && !m_grid.cell(TranslationGrid::colType, selectedRow).isEmpty())
        input.singleObject = m_grid.gridGetObjIndex(selectedRow);
    else if (selectedRow >= 0)
        input.singleObject = 0; // the header row or an empty row: no object

    m_grid.sortGrid(soIndex);
    for (int row = TranslationGrid::HeaderRow + 1; row < TranslationGrid::RowCount; ++row) {
        if (m_grid.cell(TranslationGrid::colType, row).isEmpty())
            break;
        CreationRow r;
        r.objectNumber = m_grid.gridGetObjIndex(row);
        r.position = m_grid.gridGetBufferStart(row);
        r.btText = m_grid.cell(TranslationGrid::colBtText, row);
        r.btPoint = m_grid.cell(TranslationGrid::colBtPoint, row);
        switch (m_grid.gridGetOvr(row)) {
        case ovrNone: r.ovr = RowOverride::None; break;
        case ovrSkip: r.ovr = RowOverride::Skip; break;
        case ovrPoint: r.ovr = RowOverride::Point; break;
        case ovrText: r.ovr = RowOverride::Text; break;
        case ovrTextAndPoint: r.ovr = RowOverride::TextAndPoint; break;
        }
        input.rows.push_back(r);
    }
    // Creation only reads the database; the transaction is rolled back.
    std::optional<ProjectDatabase::Transaction> reading;
    if (database)
        reading.emplace(*database);
    const CreationResult result = m_creator->createFromGrid(input);
    if (result.written)
        m_grid.gridEdited = false;
    return result;
}

} // namespace vorlix
