#include "tables/ApexMapPage.h"

#include "common/DataGrid.h"
#include "common/GridNavigator.h"
#include "common/PageParts.h"
#include "common/ProjectTableModel.h"
#include "project/VisualStyles.h"
#include "project/Workbench.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vorlix {

ApexMapPage::ApexMapPage(Workbench &wb, CommandRunner &runner, QWidget *parent) : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u"Step 1: Apex to BACnet Mapping"_qs, this));
    m_grid = new DataGrid(GridTable::ApexMap, wb.prompter, this);
    m_grid->setObjectName(u"dbg_ApexMap"_qs);
    m_grid->isDark = [&wb] { return isDarkStyle(wb.settings.visualStyle); };
    layout->addWidget(m_grid, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new GridNavigator(m_grid, false, this));
    m_alwaysEdit = makeCheckBox(u"Continuous edit mode"_qs, "cb_AlwaysEdit1", this);
    bottom->addWidget(m_alwaysEdit);
    bottom->addStretch();
    addGridSummary(bottom, m_grid, this);
    layout->addLayout(bottom);
    connect(m_alwaysEdit, &QCheckBox::toggled, m_grid, &DataGrid::setContinuousEdit);
}

void ApexMapPage::attach()
{
    m_grid->attach(m_wb.pdb.db());
    // An edited mapping changes the device lists of steps 3 and 8.
    if (ProjectTableModel *model = m_grid->tableModel())
        connect(model, &QAbstractItemModel::dataChanged, this, [this] { m_wb.refreshDeviceLists(); });
    if (!m_sized && m_grid->tableModel()) {
        m_sized = true;
        // All fifteen columns fit the window's initial width.
        const int widths[] = {44, 64, 66, 62, 50, 70, 62, 50, 70, 62, 50, 70, 62, 50, 70};
        for (int c = 0; c < m_grid->model()->columnCount() && c < 15; ++c)
            m_grid->setColumnWidth(c, widths[c]);
    }
}

void ApexMapPage::detach() { m_grid->detach(); }
void ApexMapPage::cancelPendingEdits() { m_grid->cancelPendingEdit(); }

} // namespace vorlix
