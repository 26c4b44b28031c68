#include "translation/OverrideListDialog.h"

#include "ui_OverrideListDialog.h"
#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "commands/ReaderCommands.h"
#include "commands/TranslateCommands.h"
#include "project/Workbench.h"

namespace vorlix {

namespace {
constexpr int kTabWidth = 50; // the list's tab stops, in dialog units of the old list box
}

OverrideListDialog::OverrideListDialog(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : QDialog(parent), m_wb(wb), m_runner(runner), m_ui(std::make_unique<Ui::OverrideListDialog>())
{
    m_ui->setupUi(this);
    m_ui->ApexNum->addItem(u"All"_qs);
    for (int apex = 0; apex < 32; ++apex)
        m_ui->ApexNum->addItem(QString::number(apex));
    m_ui->ApexNum->setCurrentIndex(0);
    // Columns: "Seq:n", "Apex: n", the Ibex point, the BACtalk point.
    const int unit = fontMetrics().averageCharWidth();
    m_ui->ovrList->setTabStops({kTabWidth * unit / 4 * 2, kTabWidth * unit / 4 * 4, kTabWidth * unit / 4 * 6});

    m_grid = new DataGrid(GridTable::GlobalOvr, wb.prompter, m_ui->gridHolder);
    m_grid->setObjectName(u"dbg_GlobalOvr"_qs);
    m_ui->gridHolder->layout()->addWidget(m_grid);
    m_grid->attach(wb.pdb.db());

    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &OverrideListDialog::scan);
    connect(m_ui->ovrList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_ui->SpeedButton1->setEnabled(row >= 0); });
    connect(m_ui->SpeedButton1, &QToolButton::clicked, this, &OverrideListDialog::addSelected);
    connect(m_ui->ovrList, &QListWidget::itemDoubleClicked, this, [this] { addSelected(); });
    connect(m_ui->cb_filter, &QCheckBox::toggled, m_grid, &DataGrid::setFilterOnCurrentField);
    connect(m_ui->btn_Close, &QPushButton::clicked, this, &QDialog::accept);
}

OverrideListDialog::~OverrideListDialog()
{
    m_grid->detach();
}

void OverrideListDialog::scan()
{
    m_ui->ovrList->clear();
    m_transfers.clear();
    m_ui->SpeedButton1->setEnabled(false);
    const int apex = m_ui->ApexNum->currentIndex() - 1;
    m_runner.run({}, [&](const Progress &) { m_transfers = scanPointTransfers(m_wb, apex); });
    // The texts are made only to be shown, lined up at the tab stops.
    for (const PointTransfer &t : m_transfers)
        m_ui->ovrList->addItem(t.text());
}

bool OverrideListDialog::addSelected()
{
    const QListWidgetItem *item = m_ui->ovrList->currentItem();
    const int row = m_ui->ovrList->currentRow();
    if (!item || !item->isSelected() || row < 0 || row >= int(m_transfers.size()))
        return false;
    const PointTransfer transfer = m_transfers[size_t(row)];
    const bool added = m_runner.guarded([&] { transferOverrideCommand(m_wb, transfer); });
    if (added)
        m_grid->reload();
    return added;
}

} // namespace vorlix
