#pragma once
// Pieces every step page is built from: the step heading, buttons of
// commands that a later release brings, and the grid check boxes.
#include <QString>

class QCheckBox;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace vorlix {

QLabel *makeHeading(const QString &text, QWidget *parent);
QPushButton *makeButton(const QString &caption, const char *objectName, QWidget *parent);
// Present, disabled, and saying so in its tool tip.
void markNotAvailable(QWidget *control);
// A pop-up menu item of a command that a later release brings.
QAction *addNotAvailable(QMenu &menu, const QString &caption);
QCheckBox *makeCheckBox(const QString &caption, const char *objectName, QWidget *parent);

} // namespace vorlix
