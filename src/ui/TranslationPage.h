#pragma once
// Step 7: the display translation grid.
#include "StepPage.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace vorlix {

class StringGrid;

class TranslationPage : public StepPage {
    Q_OBJECT
public:
    TranslationPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    StringGrid *transGrid() const { return m_grid; }

private:
    QPushButton *m_load;
    QPushButton *m_create;
    QCheckBox *m_clearGrid;
    QTreeWidget *m_tree;
    StringGrid *m_grid;
};

} // namespace vorlix
