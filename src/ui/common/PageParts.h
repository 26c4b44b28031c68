#pragma once
// Pieces every step page is built from: the step heading, buttons and
// the grid check boxes.
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vorlix {

QLabel *makeHeading(const QString &text, QWidget *parent);
QPushButton *makeButton(const QString &caption, const char *objectName, QWidget *parent);
QCheckBox *makeCheckBox(const QString &caption, const char *objectName, QWidget *parent);
// The line beside a grid that tells its row count, order and filter
// ("gridSummary"); the grid's summaryChanged sets its text.
QLabel *makeSummaryLabel(QWidget *parent);

} // namespace vorlix
