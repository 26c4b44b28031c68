#pragma once
// Step 1: the Apex to BACnet device map.
#include "common/StepPage.h"

class QCheckBox;

namespace vorlix {

class DataGrid;

class ApexMapPage : public StepPage {
    Q_OBJECT
public:
    ApexMapPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;
    void detach() override;
    void cancelPendingEdits() override;
    DataGrid *grid() const { return m_grid; }

private:
    DataGrid *m_grid;
    QCheckBox *m_alwaysEdit;
    bool m_sized = false;
};

} // namespace vorlix
