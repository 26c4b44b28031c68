#pragma once
// Step 4: control-panel names read from the control-panel files.
#include "common/TableStepPage.h"

class QPushButton;

namespace vorlix {

class CpanelNamesPage : public TableStepPage {
    Q_OBJECT
public:
    CpanelNamesPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    QPushButton *readButton() const { return m_read; }

private:
    QPushButton *m_read;
};

} // namespace vorlix
