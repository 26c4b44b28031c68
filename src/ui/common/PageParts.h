#pragma once
// Pieces every step page is built from: the step heading, buttons and
// the grid check boxes.
#include <QString>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vorlix {

class DataGrid;

QLabel *makeHeading(const QString &text, QWidget *parent);
QPushButton *makeButton(const QString &caption, const char *objectName, QWidget *parent);
QCheckBox *makeCheckBox(const QString &caption, const char *objectName, QWidget *parent);
// The line beside a grid that tells its row count, order and filter
// ("gridSummary"); the grid's summaryChanged sets its text.
QLabel *makeSummaryLabel(QWidget *parent);
// That line for `grid`, added to `row` and kept up to date.
void addGridSummary(QBoxLayout *row, DataGrid *grid, QWidget *parent);

} // namespace vorlix
