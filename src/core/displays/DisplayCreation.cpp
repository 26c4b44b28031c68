#include "displays/DisplayCreation.h"

#include "project/ProjectDatabase.h"
#include "project/Workbench.h"

#include <optional>
#include "translate/TranslationGrid.h"

namespace vorlix {

DisplayCreation::DisplayCreation(Workbench &wb, TranslationGrid &grid)
    : DisplayCreation(wb.vars, wb.settings, wb.log, wb.prompter, grid)
{
    m_creator->projectFolder = wb.ProjectFolder;
    m_creator->localJobFolder = wb.LocalJobFolder;
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
            out.text = isAirflow(rec.kind()) ? t.BtAirflowPointText(rec, templateContext)
                                             : t.BtPointText(rec, templateContext);
            if (t.PointError)
                out.error = t.PointErrorText;
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

CreationResult DisplayCreation::CreateEFBDisplay(int selectedRow)
{
    if (!m_grid.isLoaded())
        return {};
    CreationInput input;
    input.loadedName = m_grid.displayName();
    input.localJob = m_grid.displayLocalJob();
    input.ibexBytes = &workingBytes();
    input.ibexDataLength = m_grid.display().dataLength();
    input.headerOvr = m_grid.GridGetOVR(TranslationGrid::HeaderRow) == ovrText ? RowOverride::Text : RowOverride::None;
    input.headerText = m_grid.cell(TranslationGrid::colEfbText, TranslationGrid::HeaderRow);
    // The object chosen for single-row mode, before the sort moves rows.
    if (selectedRow > TranslationGrid::HeaderRow && selectedRow < TranslationGrid::RowCount
        && !m_grid.cell(TranslationGrid::colType, selectedRow).isEmpty())
        input.singleObject = m_grid.GridGetObjIndex(selectedRow);
    else if (selectedRow >= 0)
        input.singleObject = 0; // the header row or an empty row: no object

    m_grid.SortGrid(soIndex);
    for (int row = TranslationGrid::HeaderRow + 1; row < TranslationGrid::RowCount; ++row) {
        if (m_grid.cell(TranslationGrid::colType, row).isEmpty())
            break;
        CreationRow r;
        r.objectNumber = m_grid.GridGetObjIndex(row);
        r.position = m_grid.GridGetBufferStart(row);
        r.efbText = m_grid.cell(TranslationGrid::colEfbText, row);
        r.efbPoint = m_grid.cell(TranslationGrid::colEfbPoint, row);
        switch (m_grid.GridGetOVR(row)) {
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
    const CreationResult result = m_creator->CreateFromGrid(input);
    if (result.written)
        m_grid.GridEdited = false;
    return result;
}

} // namespace vorlix
