#pragma once
// "Redirect": the dialog that redirects a display to a BACtalk display
// (rep, job, file), flags it to be skipped, or removes that decision. A view
// over the core's RedirectEditor; it closes with the editor's results.
#include "inventory/RedirectEditor.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;

namespace Ui {
class RedirectDialog;
}

namespace vorlix {

class RedirectGrid;
class Workbench;

class RedirectDialog : public QDialog {
    Q_OBJECT
public:
    RedirectDialog(Workbench &wb, QWidget *parent = nullptr);
    ~RedirectDialog() override;

    // Setup on `grid` for master-list entry `index` (-1: the grid's selected
    // row). rrFull when the grid has no free row: the dialog must not open.
    int setup(RedirectGrid &grid, int index);
    // ShowRedirectDialog: setup, then shown modally; the result code.
    static int showRedirectDialog(Workbench &wb, RedirectGrid &grid, int index, QWidget *parent);

    // The buttons' handlers (also driven by tests).
    void browse();
    void okay();
    void skip();
    void removeRedirection();

    QLineEdit *repEdit() const;
    QLineEdit *jobEdit() const;
    QLineEdit *fileEdit() const;
    QPushButton *removeButton() const;

private:
    RedirectTarget typed() const;
    Workbench &m_wb;
    RedirectEditor m_editor;
    std::unique_ptr<Ui::RedirectDialog> m_ui;
};

} // namespace vorlix
