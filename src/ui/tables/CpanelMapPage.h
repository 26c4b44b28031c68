#pragma once
// Step 2: control-panel references read from the Apex DDC files.
#include "common/TableStepPage.h"

class QCheckBox;
class QPushButton;

namespace vorlix {

class CpanelMapPage : public TableStepPage {
    Q_OBJECT
public:
    CpanelMapPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    QPushButton *readButton() const { return m_read; }

private:
    QPushButton *m_read;
    QCheckBox *m_lostTux;
};

} // namespace vorlix
