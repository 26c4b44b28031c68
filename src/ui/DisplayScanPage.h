#pragma once
// Tab "Display File Scan | Redirection": step 5 (scan the display files and
// build the display file list) and step 6 (display redirection).
#include "StepPage.h"

class QPushButton;
class QTreeWidget;

namespace vorlix {

class SpinEdit;
class StringGrid;

class DisplayScanPage : public StepPage {
    Q_OBJECT
public:
    DisplayScanPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;
    StringGrid *jobGrid() const { return m_jobGrid; }
    StringGrid *localJobGrid() const { return m_localJobGrid; }
    SpinEdit *startingDisplay() const { return m_start; }
    SpinEdit *scanDepth() const { return m_depth; }

private:
    void storeStartingDisplay(int value);
    void storeScanDepth(int value);

    QPushButton *m_build;
    QPushButton *m_abort;
    SpinEdit *m_start;
    SpinEdit *m_depth;
    QTreeWidget *m_tree;
    StringGrid *m_jobGrid;
    StringGrid *m_localJobGrid;
};

} // namespace vorlix
