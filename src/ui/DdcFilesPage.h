#pragma once
// Tab "DDC Drawings and Files": step 8 (DDC framework scripts) and step 9
// (the Tux DDC file list and copy).
#include "StepPage.h"

class QListWidget;

namespace vorlix {

class DataGrid;

class DdcFilesPage : public StepPage {
    Q_OBJECT
public:
    DdcFilesPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;
    void detach() override;

private:
    QListWidget *m_scripts;
    DataGrid *m_grid;
    bool m_sized = false;
};

} // namespace vorlix
