#pragma once
// Step 10: the device records (tblRepJob) and their commands.
#include "StepPage.h"

class QCheckBox;
class QMenu;
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
    void applyColumnSettings();
    void collectColumnSettings();

    void emptyDatabase();

private:
    void updatePopupChecks();

    DataGrid *m_grid;
    QCheckBox *m_filter;
    QCheckBox *m_alwaysEdit;
    QCheckBox *m_multi;
    QMenu *m_popup;
};

} // namespace vorlix
