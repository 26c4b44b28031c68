#pragma once
// "Project Point Overrides": the point transfers found in the Apex DDC files,
// each of which can become a project-wide point override, and the grid of
// the overrides stored (edited in place).
#include "ibex/ApexReader.h"

#include <QDialog>
#include <memory>
#include <vector>

namespace Ui {
class OverrideListDialog;
}

namespace vorlix {

class CommandRunner;
class DataGrid;
class Workbench;

class OverrideListDialog : public QDialog {
    Q_OBJECT
public:
    OverrideListDialog(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    ~OverrideListDialog() override;

    // "Scan ADC files for point transfers" for the chosen Apex ("All": -1).
    void scan();
    // Adds the selected transfer as an override; false without one.
    bool addSelected();
    // The transfers the list shows, in its order.
    const std::vector<PointTransfer> &transfers() const { return m_transfers; }

    Ui::OverrideListDialog &ui() const { return *m_ui; }
    DataGrid *grid() const { return m_grid; }

private:
    Workbench &m_wb;
    CommandRunner &m_runner;
    std::unique_ptr<Ui::OverrideListDialog> m_ui;
    DataGrid *m_grid;
    std::vector<PointTransfer> m_transfers;
};

} // namespace vorlix
