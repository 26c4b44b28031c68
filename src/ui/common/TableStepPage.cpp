#include "common/TableStepPage.h"

#include "commands/CommandSummary.h"
#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "common/PageParts.h"
#include "common/ProjectTableModel.h"
#include "project/Messages.h"
#include "project/Workbench.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlix {

TableStepPage::TableStepPage(GridTable table, const QString &heading, Names names, Workbench &wb,
                             CommandRunner &runner, QWidget *parent)
    : StepPage(wb, runner, parent), m_table(table)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(heading, this));
    auto *top = new QHBoxLayout;
    m_commands = new QGridLayout;
    m_commands->setHorizontalSpacing(8);
    top->addLayout(m_commands);
    top->addStretch(1);
    m_side = new QVBoxLayout;
    top->addLayout(m_side);
    layout->addLayout(top);

    m_grid = new DataGrid(table, wb.prompter, this);
    m_grid->setObjectName(QLatin1String(names.grid));
    layout->addWidget(m_grid, 1);

    auto *bottom = new QHBoxLayout;
    m_empty = makeButton(u"Empty table"_qs, names.emptyButton, this);
    m_empty->setToolTip(u"Delete every row of this table"_qs);
    bottom->addWidget(m_empty);
    bottom->addSpacing(16);
    m_filter = makeCheckBox(u"Filter on current field"_qs, names.filterBox, this);
    bottom->addWidget(m_filter);
    m_alwaysEdit = makeCheckBox(u"Continuous edit mode"_qs, names.editBox, this);
    bottom->addWidget(m_alwaysEdit);
    bottom->addStretch();
    addGridSummary(bottom, m_grid, this);
    layout->addLayout(bottom);

    connect(m_filter, &QCheckBox::toggled, m_grid, &DataGrid::setFilterOnCurrentField);
    connect(m_alwaysEdit, &QCheckBox::toggled, m_grid, &DataGrid::setContinuousEdit);
    connect(m_empty, &QPushButton::clicked, this, &TableStepPage::emptyTable);
}

void TableStepPage::attach()
{
    m_grid->attach(m_wb.pdb.db(), m_wb.pdb.expandedModeAvailable());
    // A new connection shows the whole table.
    if (m_filter->isChecked()) {
        const QSignalBlocker block(m_filter);
        m_filter->setChecked(false);
    }
}

void TableStepPage::detach() { m_grid->detach(); }
void TableStepPage::cancelPendingEdits() { m_grid->cancelPendingEdit(); }

void TableStepPage::runReader(const std::function<ReadOutcome(const CommandFrame &)> &command)
{
    m_grid->cancelPendingEdit();
    const CommandFrame f = m_runner.frame(m_grid);
    ReadOutcome outcome;
    const bool ok = m_runner.guarded([&] { outcome = command(f); });
    if (!ok || !outcome.declined) {
        m_grid->reload();
        m_grid->firstRow();
    }
    if (ok)
        m_runner.tell(readSummary(TableView(m_table).tableName(), outcome, LogPlace::ProjectLog));
}

void TableStepPage::emptyTable()
{
    const QString name = TableView(m_table).tableName();
    m_grid->cancelPendingEdit();
    const CommandFrame f = m_runner.frame(m_grid);
    bool emptied = false;
    m_runner.guarded([&] { emptied = emptyReaderTableCommand(m_wb, name, f); });
    m_grid->reload();
    m_grid->firstRow();
    m_runner.tell(emptied ? name + u" was emptied."_qs : QString());
}

} // namespace vorlix
