#pragma once
// The two redirect grids of step 6: the redirected and skipped displays of
// the job folder and of the local-job folder. A grid has a title row and 249
// entry rows of seven columns; the object of column 0 holds the entry's
// master-list index (99997 in an empty row).
#include <QString>
#include <array>
#include <vector>

namespace vorlix {

class Workbench;

class RedirectGrid {
public:
    static constexpr int RowCount = 250; // row 0 is the title row
    static constexpr int ColCount = 7;
    enum Column { colFile = 0, colIbexName = 1, colTarget = 2, colSkip = 3, colExists = 4, colWarning = 5 };

    explicit RedirectGrid(bool localJob = false);
    bool localJob() const { return m_localJob; }

    static std::array<QString, ColCount> titles();

    // Empties every entry row and sets its object to 99997.
    void clear();
    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString &text);
    int object(int row) const;
    void setObject(int row, int object);
    // An entry row has a non-empty column 0 or 1.
    bool isEntry(int row) const;
    int entryCount() const;

    int selectedRow() const { return m_selected; }
    void selectRow(int row);
    // The first row from 1 whose column 0 (AddRedirectRow) or column 1
    // (the dialog) is empty; -1 when rows 1 to 249 are all taken.
    int firstRowWithEmpty(int col) const;
    // FindGridRow: the first row from 1 whose column 1 equals `name` exactly
    // becomes the selected row; the search stops at an empty column 1.
    bool findGridRow(const QString &name);

    // Writes the first two columns and the object of an entry row.
    void setEntry(int row, int index, const QString &ibexName);

    // A change counter: views redraw when it moved.
    quint64 generation() const { return m_generation; }

private:
    struct Row {
        std::array<QString, ColCount> cells;
        int object = 0;
    };
    bool m_localJob;
    std::vector<Row> m_rows;
    int m_selected = 1;
    quint64 m_generation = 0;
};

// RefreshRedirectGrids: both grids anew from the master list and DisplayMap,
// each with row 1 selected.
void refreshRedirectGrids(Workbench &wb, RedirectGrid &jobGrid, RedirectGrid &localJobGrid);
// AddRedirectRow: fills row `row` (-1: the first row whose column 0 is
// empty) for master-list entry `index`. False when the grid is full.
bool addRedirectRow(Workbench &wb, RedirectGrid &grid, int index, int row);

} // namespace vorlix
