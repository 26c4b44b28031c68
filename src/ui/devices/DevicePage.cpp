#include "devices/DevicePage.h"

#include "commands/CommandSummary.h"
#include "commands/DeviceCommands.h"
#include "devices/DeviceColumns.h"
#include "project/Schema.h"

#include "devices/FieldFormatDialog.h"
#include "devices/FieldSelectDialog.h"
#include "devices/MergeTypeDialog.h"

#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "common/GridNavigator.h"
#include "common/PageParts.h"
#include "common/ProjectTableModel.h"
#include "project/Messages.h"
#include "project/Settings.h"
#include "project/Workbench.h"

#include <QCheckBox>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSqlRecord>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlix {

DevicePage::DevicePage(Workbench &wb, CommandRunner &runner, QWidget *parent) : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u" Step 10: Create Device Manager Data"_qs, this));

    layout->addWidget(buildToolBar());

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
    addGridSummary(bottom, m_grid, this);
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

    buildPopup();
}

QToolBar *DevicePage::buildToolBar()
{
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
    const auto command = [&](const QString &caption, const QString &hint, const char *name, void (DevicePage::*fn)()) {
        connect(tool(caption, hint, name), &QAction::triggered, this, fn);
    };
    command(u"Add Workstation"_qs, {}, "tb_AddWorkstation", &DevicePage::addWorkstation);
    command(u"Add BCM"_qs, u"Add global controllers"_qs, "tb_AddGlobal", &DevicePage::addGateways);
    command(u"Add Tux"_qs, u"Add Ibex controllers"_qs, "tb_AddDevices", &DevicePage::addTux);
    tools->addSeparator();
    command(u"Merge DB"_qs, u"Merge this data with another database"_qs, "tb_MergeDatabase",
            &DevicePage::mergeDatabase);
    command(u"Update tdc names"_qs, {}, "tb_UpdateTdcDb", &DevicePage::updateTdcNames);
    tools->addSeparator();
    command(u"Multi-Edit"_qs, u"Open multi-record editor"_qs, "tb_MultiRecEdit", &DevicePage::multiRecordEdit);
    command(u"Display Columns"_qs, u"Toggle field display"_qs, "tb_FieldDisplay", &DevicePage::chooseColumns);
    tools->addSeparator();
    QAction *empty = tool(u"Empty Database"_qs, u"Delete every device record"_qs, "tb_EmptyDatabase");
    connect(empty, &QAction::triggered, this, &DevicePage::emptyDatabase);
    return tools;
}

void DevicePage::buildPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(u"DevManPopup"_qs);
    QAction *filter = m_popup->addAction(u"Filter on current field"_qs);
    QAction *edit = m_popup->addAction(u"Continuous Edit"_qs);
    QAction *multi = m_popup->addAction(u"Multi-row select mode"_qs);
    for (QAction *a : {filter, edit, multi})
        a->setCheckable(true);
    m_popup->addSeparator();
    connect(m_popup->addAction(u"Multi-edit dialog box"_qs), &QAction::triggered, this,
            &DevicePage::multiRecordEdit);
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

void DevicePage::applyColumnSettings(bool fitTitles)
{
    const Settings &s = m_wb.settings;
    // The reset widths were made for a smaller font: where they apply (no
    // usable stored list, or "Reset field sizes") a column is at least as
    // wide as its title.
    fitTitles = fitTitles || !s.deviceColWidthStored;
    const QStringList titles = schema::deviceColumns();
    const QFontMetrics metrics = m_grid->horizontalHeader()->fontMetrics();
    for (int i = 0; i < kDeviceColumns; ++i) {
        int width = qMax(12, s.deviceColWidth[i]);
        if (fitTitles)
            width = qMax(width, metrics.horizontalAdvance(titles.value(i)) + 16);
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

CommandFrame DevicePage::busyFrame() const
{
    // The device commands are quick: the busy cursor, the grid still.
    return m_runner.frame(m_grid, CommandRunner::Shown::CursorOnly);
}

void DevicePage::runAndReload(const std::function<QString()> &command)
{
    m_grid->cancelPendingEdit();
    QString said;
    if (m_runner.guarded([&] { said = command(); }))
        m_runner.tell(said);
    // Also after a failure: rows written before it are shown.
    m_grid->reload();
}

QString DevicePage::withRefused(const QString &line) const
{
    return summaryLine({line, refusedRowsText(m_wb.pdb.refusedPosts(), LogPlace::ProjectLog)});
}

void DevicePage::emptyDatabase()
{
    runAndReload([this] {
        return emptyDevicesCommand(m_wb, busyFrame()) ? u"The device tables were emptied."_qs : QString();
    });
}

void DevicePage::addWorkstation()
{
    runAndReload([this] {
        return addWorkstationCommand(m_wb, busyFrame()) ? withRefused(u"The workstation was written to tblRepJob."_qs)
                                                        : QString();
    });
}

void DevicePage::addGateways()
{
    runAndReload([this] { return withRefused(gatewaysText(addGatewaysCommand(m_wb, busyFrame()))); });
}

void DevicePage::addTux()
{
    runAndReload([this] { return withRefused(tuxText(addTuxCommand(m_wb, busyFrame()))); });
}

void DevicePage::updateTdcNames()
{
    runAndReload([this] {
        const TdcNamesResult r = updateTdcCommand(m_wb, busyFrame());
        return QStringLiteral("%1 Tux row(s) got their tdc names.").arg(r.updated);
    });
}

QList<int32_t> DevicePage::selectedDevinsts() const
{
    QList<int32_t> out;
    if (!m_multi->isChecked() || !m_grid->tableModel() || !m_grid->selectionModel())
        return out;
    QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows)
        out << m_grid->tableModel()->record(index.row()).value(u"devinst"_qs).toInt();
    return out;
}

void DevicePage::mergeDatabase()
{
    if (!m_wb.pdb.isOpen())
        return;
    m_grid->cancelPendingEdit();
    MergeTypeDialog dialog(m_wb.prompter, lastMergeDestination, this);
    dialog.setBrowseStart(lastMergeDestination.isEmpty() ? m_wb.dialogStart(DialogFolders::Kind::DeviceDatabase)
                                                         : lastMergeDestination);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastMergeDestination = dialog.destination();
    m_wb.rememberDialogFolder(DialogFolders::Kind::DeviceDatabase, lastMergeDestination);
    std::optional<QList<int32_t>> selection;
    if (dialog.mergeType() == 2)
        selection = selectedDevinsts();
    MergeResult merged;
    if (m_runner.guarded([&] { merged = mergeCommand(m_wb, dialog.destination(), selection, busyFrame()); }))
        m_runner.tell(mergeSummary(merged, dialog.destination(), LogPlace::ProjectLog));
}

void DevicePage::multiRecordEdit()
{
    const QList<int32_t> selected = selectedDevinsts();
    if (!m_wb.pdb.isOpen() || selected.isEmpty())
        return;
    m_grid->cancelPendingEdit();
    FieldFormatDialog dialog(static_cast<int>(selected.size()), m_wb.prompter, this);
    dialog.setBrowseStart(m_wb.dialogStart(DialogFolders::Kind::DdcProgram));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const EditTarget target = dialog.target();
    const QStringList values = dialog.values();
    runAndReload([&] {
        const int refused = multiEditCommand(m_wb, selected, target, values, busyFrame());
        return multiEditSummary(int(selected.size()), refused, LogPlace::ProjectLog);
    });
}

void DevicePage::chooseColumns()
{
    if (!m_grid->isEnabled() || !m_grid->tableModel())
        return;
    collectColumnSettings();
    FieldSelectDialog dialog(schema::deviceColumns(), m_wb.settings.deviceColVisible, this);
    // It opens where the "Display Columns" button is.
    const auto *tools = findChild<QToolBar *>(u"DeviceTools"_qs);
    const auto *action = findChild<QAction *>(u"tb_FieldDisplay"_qs);
    if (const QWidget *button = tools && action ? tools->widgetForAction(const_cast<QAction *>(action)) : nullptr)
        dialog.move(button->mapToGlobal(QPoint(0, button->height())));
    dialog.exec();
    closeColumnChooser(m_wb.settings, dialog.ticked(), dialog.resetSizes(), dialog.changed());
    if (dialog.changed())
        applyColumnSettings(dialog.resetSizes());
}

} // namespace vorlix
