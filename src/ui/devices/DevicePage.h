#pragma once
// Step 10: the device records (tblRepJob) and their commands.
#include "common/StepPage.h"

#include "commands/CommandFrame.h"

#include <QList>
#include <cstdint>
#include <functional>

class QCheckBox;
class QMenu;
class QToolBar;
class QToolButton;

namespace vorlix {

class DataGrid;

class DevicePage : public StepPage {
    Q_OBJECT
public:
    DevicePage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;
    void detach() override;

    DataGrid *grid() const { return m_grid; }
    QCheckBox *filterBox() const { return m_filter; }
    QCheckBox *alwaysEditBox() const { return m_alwaysEdit; }
    QCheckBox *multiBox() const { return m_multi; }
    QMenu *popup() const { return m_popup; }

    // The 47 columns' widths and visibility, to and from the settings.
    // `fitTitles`: no column narrower than its title (the reset widths).
    void applyColumnSettings(bool fitTitles = false);
    void collectColumnSettings();

    void emptyDatabase();
    void addWorkstation();
    void addGateways();
    void addTux();
    void updateTdcNames();
    void mergeDatabase();
    void multiRecordEdit();
    void chooseColumns();

    // The devinst of the rows selected in multi-selection mode, in the
    // grid's row order (none when the mode is off).
    QList<int32_t> selectedDevinsts() const;
    // Where the merge dialog starts (remembered between merges).
    QString lastMergeDestination;

private:
    // The step's commands over the grid, and the grid's pop-up menu.
    QToolBar *buildToolBar();
    void buildPopup();
    void updatePopupChecks();
    CommandFrame busyFrame() const;
    // Runs a command that changes the device tables, then shows them again.
    // Runs a command, shows the line it returns, and reloads the grid.
    void runAndReload(const std::function<QString()> &command);
    // The line with the count of rows the database refused.
    QString withRefused(const QString &line) const;

    DataGrid *m_grid;
    QCheckBox *m_filter;
    QCheckBox *m_alwaysEdit;
    QCheckBox *m_multi;
    QMenu *m_popup;
};

} // namespace vorlix
