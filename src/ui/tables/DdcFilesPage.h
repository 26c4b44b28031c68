#pragma once
// Tab "DDC Drawings and Files": step 8 (DDC framework scripts) and step 9
// (the Tux DDC file list and copy).
#include "common/StepPage.h"
#include "project/DeviceLists.h"

#include <optional>

class QListWidget;
class QPushButton;

namespace vorlix {

class DataGrid;

class DdcFilesPage : public StepPage {
    Q_OBJECT
public:
    DdcFilesPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;
    void detach() override;
    // Shows the workbench's script device list again.
    void showDeviceList();

    QListWidget *scriptList() const { return m_scripts; }
    DataGrid *tdcGrid() const { return m_grid; }

    // The step's commands, as its buttons run them.
    void saveClipboard();
    void saveToFile();
    void autoGenerate();
    void createDdcFileList();
    void copyTdcFiles();

private:
    // The device of the selected item, the first one when none is selected;
    // nothing for an empty list.
    std::optional<ScriptDevice> chosenDevice();

    QListWidget *m_scripts;
    DataGrid *m_grid;
};

} // namespace vorlix
