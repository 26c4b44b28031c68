#include "tables/IbexPointsPage.h"

#include "commands/CommandSummary.h"
#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "translation/OverrideListDialog.h"
#include "common/PageParts.h"
#include "commands/ExportCommands.h"
#include "project/Workbench.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlix {

IbexPointsPage::IbexPointsPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : TableStepPage(GridTable::IbexPtMap, u"Step 3: Ibex Point Setups"_qs,
                    {"dbg_IbexPoints", "cb_FilterIbex", "cb_AlwaysEdit3", "btn_EmptyIbexPoints"}, wb, runner, parent)
{
    m_read = makeButton(u"Read data PNTSnn.DAT files."_qs, "btn_ReadPoints", this);
    connect(m_read, &QPushButton::clicked, this,
            [this] { runReader([this](const CommandFrame &f) { return readPointsCommand(m_wb, f); }); });
    m_overrides = makeButton(u"Manage project point overrides"_qs, "btn_GlobalPoints", this);
    connect(m_overrides, &QPushButton::clicked, this, &IbexPointsPage::openOverrideList);
    auto *apexLabel = new QLabel(u"Apex"_qs, this);
    m_apex = new QComboBox(this);
    m_apex->setObjectName(u"IbexPtExp"_qs);
    m_apex->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_apex->setMinimumContentsLength(22);
    m_export = makeButton(u"Translate and Export Points"_qs, "btn_ExportIbex", this);
    connect(m_export, &QPushButton::clicked, this, &IbexPointsPage::exportIbex);
    commands()->addWidget(m_read, 0, 0);
    commands()->addWidget(m_overrides, 1, 0);
    auto *exportRow = new QHBoxLayout;
    exportRow->addWidget(apexLabel);
    exportRow->addWidget(m_apex);
    exportRow->addWidget(m_export);
    commands()->addLayout(exportRow, 0, 1);

    auto *legend = new QGroupBox(u"Ibex Point Types"_qs, this);
    auto *legendLayout = new QGridLayout(legend);
    legendLayout->addWidget(new QLabel(u"1 = BI"_qs, legend), 0, 0);
    legendLayout->addWidget(new QLabel(u"2 = AI"_qs, legend), 0, 1);
    legendLayout->addWidget(new QLabel(u"3 = BO"_qs, legend), 1, 0);
    legendLayout->addWidget(new QLabel(u"4 = AO"_qs, legend), 1, 1);
    side()->addWidget(legend);
    showDeviceList();
}

void IbexPointsPage::showDeviceList()
{
    const int row = m_apex->currentIndex();
    m_apex->clear();
    m_apex->addItems(deviceTexts(m_wb.deviceLists.exports));
    m_apex->setCurrentIndex(row >= 0 && row < m_apex->count() ? row : (m_apex->count() > 0 ? 0 : -1));
}

void IbexPointsPage::exportIbex()
{
    const int item = m_apex->currentIndex();
    const QList<ExportDevice> &devices = m_wb.deviceLists.exports;
    if (item < 0 || item >= devices.size())
        return;
    grid()->cancelPendingEdit();
    const CommandFrame f = m_runner.frame(grid());
    ExportOutcome outcome;
    if (m_runner.guarded([&] { outcome = exportPointsCommand(m_wb, devices[item], f, true); }))
        m_runner.tell(exportSummary(outcome, LogPlace::ProjectLog));
}

void IbexPointsPage::attach()
{
    TableStepPage::attach();
    // The override list needs the GlobalOVR table of newer project databases.
    m_overrides->setEnabled(m_wb.pdb.isOpen() && m_wb.pdb.globalOverridesAvailable());
}

void IbexPointsPage::openOverrideList()
{
    if (!m_wb.pdb.isOpen() || !m_wb.pdb.globalOverridesAvailable())
        return;
    OverrideListDialog dialog(m_wb, m_runner, this);
    dialog.exec();
}

} // namespace vorlix
