#pragma once
// Step 3: Ibex point setups read from the point files, and their export.
#include "common/TableStepPage.h"

class QComboBox;
class QPushButton;

namespace vorlix {

class IbexPointsPage : public TableStepPage {
    Q_OBJECT
public:
    IbexPointsPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    QPushButton *readButton() const { return m_read; }
    void attach() override;
    // Shows the workbench's export device list again.
    void showDeviceList();
    QComboBox *exportApex() const { return m_apex; }
    QPushButton *exportButton() const { return m_export; }
    // "Translate and Export Points".
    void exportIbex();

private:
    // "Manage project point overrides".
    void openOverrideList();

    QPushButton *m_read;
    QPushButton *m_overrides;
    QComboBox *m_apex;
    QPushButton *m_export;
};

} // namespace vorlix
