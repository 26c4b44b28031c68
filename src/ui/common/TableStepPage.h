#pragma once
// The shape of steps 2, 3 and 4: a heading, the step's commands, an
// empty-table button, and a grid with "Filter on current field" and
// "Continuous edit mode".
#include "common/StepPage.h"
#include "project/TableView.h"
#include "commands/ReaderCommands.h"

#include <functional>

class QCheckBox;
class QGridLayout;
class QPushButton;
class QVBoxLayout;

namespace vorlix {

class DataGrid;

class TableStepPage : public StepPage {
    Q_OBJECT
public:
    void attach() override;
    void detach() override;
    void cancelPendingEdits() override;
    DataGrid *grid() const { return m_grid; }
    QCheckBox *filterBox() const { return m_filter; }

protected:
    struct Names {
        const char *grid;
        const char *filterBox;
        const char *editBox;
        const char *emptyButton;
    };
    TableStepPage(GridTable table, const QString &heading, Names names, Workbench &wb, CommandRunner &runner,
                  QWidget *parent);
    // Where the step puts its own commands (above the grid).
    QGridLayout *commands() const { return m_commands; }
    QVBoxLayout *side() const { return m_side; }
    GridTable table() const { return m_table; }
    // The empty-table command: asks, then empties the table in the busy frame.
    void emptyTable();
    // Runs a reader command in the busy frame (busy cursor, the grid's
    // updates suspended, progress in the status bar), then shows the
    // table again from its first row.
    void runReader(const std::function<ReadOutcome(const CommandFrame &)> &command);

private:
    GridTable m_table;
    DataGrid *m_grid;
    QCheckBox *m_filter;
    QCheckBox *m_alwaysEdit;
    QPushButton *m_empty;
    QGridLayout *m_commands;
    QVBoxLayout *m_side;
};

} // namespace vorlix
