#include "DevicePage.h"

#include "commands/DeviceCommands.h"

#include "CommandRunner.h"
#include "DataGrid.h"
#include "GridNavigator.h"
#include "PageParts.h"
#include "project/Messages.h"
#include "project/Settings.h"
#include "project/Workbench.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlix {

DevicePage::DevicePage(Workbench &wb, CommandRunner &runner, QWidget *parent) : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u" Step 10: Create Device Manager Data"_qs, this));

    auto *tools = new QToolBar(this);
    tools->setObjectName(u"DeviceTools"_qs);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto tool = [&](const QString &caption, const QString &hint, const char *name) {
        QAction *a = tools->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (!hint.isEmpty())
            a->setToolTip(hint);
        return a;
    };
    auto later = [](QAction *a) {
        a->setEnabled(false);
        a->setToolTip(a->toolTip() == a->text() ? msg::notAvailableYet()
                                                 : a->toolTip() + u" \u2014 "_qs + msg::notAvailableYet());
    };
    later(tool(u"Add Workstation"_qs, {}, "tb_AddWorkstation"));
    later(tool(u"Add BCM"_qs, u"Add global controllers"_qs, "tb_AddGlobal"));
    later(tool(u"Add Tux"_qs, u"Add Ibex controllers"_qs, "tb_AddDevices"));
    tools->addSeparator();
    later(tool(u"Merge DB"_qs, u"Merge this data with another database"_qs, "tb_MergeDatabase"));
    later(tool(u"Update tdc names"_qs, {}, "tb_UpdateTdcDb"));
    tools->addSeparator();
    later(tool(u"Multi-Edit"_qs, u"Open multi-record editor"_qs, "tb_MultiRecEdit"));
    later(tool(u"Display Columns"_qs, u"Toggle field display"_qs, "tb_FieldDisplay"));
    tools->addSeparator();
    QAction *empty = tool(u"Empty Database"_qs, u"Delete every device record"_qs, "tb_EmptyDatabase");
    connect(empty, &QAction::triggered, this, &DevicePage::emptyDatabase);
    layout->addWidget(tools);

    m_grid = new DataGrid(GridTable::RepJob, wb.prompter, this);
    m_grid->setObjectName(u"dbg_Devices"_qs);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_grid, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new GridNavigator(m_grid, true, this));
    m_filter = makeCheckBox(u"Filter on current field"_qs, "cb_FilterDev", this);
    m_alwaysEdit = makeCheckBox(u"Continuous edit mode"_qs, "cb_AlwaysEdit5", this);
    bottom->addWidget(m_filter);
    bottom->addWidget(m_alwaysEdit);
    bottom->addStretch();
    layout->addLayout(bottom);
    m_multi = makeCheckBox(u"Enable multi-selection mode. Use Shift+Arrow keys to select a range of rows, use "
                           "Ctrl-click to add or remove indivdual rows."_qs,
                           "cb_multi", this);
    layout->addWidget(m_multi);

    connect(m_filter, &QCheckBox::toggled, m_grid, &DataGrid::setFilterOnCurrentField);
    // Continuous edit and multi-selection are never on together.
    connect(m_alwaysEdit, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_multi->isChecked())
            m_multi->setChecked(false);
        m_grid->setContinuousEdit(on);
    });
    connect(m_multi, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_alwaysEdit->isChecked())
            m_alwaysEdit->setChecked(false);
        m_grid->setMultiSelection(on);
    });

    m_popup = new QMenu(this);
    m_popup->setObjectName(u"DevManPopup"_qs);
    QAction *filter = m_popup->addAction(u"Filter on current field"_qs);
    QAction *edit = m_popup->addAction(u"Continuous Edit"_qs);
    QAction *multi = m_popup->addAction(u"Multi-row select mode"_qs);
    for (QAction *a : {filter, edit, multi})
        a->setCheckable(true);
    m_popup->addSeparator();
    addNotAvailable(*m_popup, u"Multi-edit dialog box"_qs);
    connect(filter, &QAction::triggered, m_filter, [this] { m_filter->toggle(); });
    connect(edit, &QAction::triggered, m_alwaysEdit, [this] { m_alwaysEdit->toggle(); });
    connect(multi, &QAction::triggered, m_multi, [this] { m_multi->toggle(); });
    connect(m_popup, &QMenu::aboutToShow, this, &DevicePage::updatePopupChecks);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_popup->exec(m_grid->viewport()->mapToGlobal(at)); });
}

void DevicePage::updatePopupChecks()
{
    const QList<QAction *> actions = m_popup->actions();
    actions[0]->setChecked(m_filter->isChecked());
    actions[1]->setChecked(m_alwaysEdit->isChecked());
    actions[2]->setChecked(m_multi->isChecked());
}

void DevicePage::attach()
{
    m_grid->attach(m_wb.pdb.db());
    if (m_filter->isChecked()) {
        const QSignalBlocker block(m_filter);
        m_filter->setChecked(false);
    }
}

void DevicePage::detach() { m_grid->detach(); }

void DevicePage::applyColumnSettings()
{
    const Settings &s = m_wb.settings;
    for (int i = 0; i < kDeviceColumns; ++i) {
        const int width = s.deviceColWidthStored ? qMax(12, s.deviceColWidth[i]) : m_grid->columnWidthOf(i);
        m_grid->setColumnState(i, width, s.deviceColVisible[i]);
    }
}

void DevicePage::collectColumnSettings()
{
    Settings &s = m_wb.settings;
    for (int i = 0; i < kDeviceColumns; ++i) {
        const bool visible = m_grid->columnVisibleOf(i);
        s.deviceColVisible[i] = visible;
        const int w = m_grid->columnWidthOf(i);
        if (visible && w > 0)
            s.deviceColWidth[i] = qMax(12, w);
    }
    s.deviceColWidthStored = true;
}

void DevicePage::emptyDatabase()
{
    m_grid->cancelPendingEdit();
    CommandFrame frame;
    frame.beginBusy = [this] { m_runner.beginBusy(); };
    frame.endBusy = [this] { m_runner.endBusy(); };
    bool emptied = false;
    m_runner.guarded([&] { emptied = emptyDevicesCommand(m_wb, frame); });
    if (emptied)
        m_grid->reload();
}

} // namespace vorlix
