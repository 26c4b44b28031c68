#pragma once
// The record navigator under a grid: first, prior, next, last and, where
// rows may be added and removed, insert and delete; edit and cancel.
#include <QWidget>

namespace vorlix {

class DataGrid;

class GridNavigator : public QWidget {
    Q_OBJECT
public:
    GridNavigator(DataGrid *grid, bool insertDelete, QWidget *parent = nullptr);

private:
    void move(int to); // -2 first, -1 prior, 1 next, 2 last
    DataGrid *m_grid;
};

} // namespace vorlix
