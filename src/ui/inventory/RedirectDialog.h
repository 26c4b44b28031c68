#pragma once
// "Redirect": the dialog that redirects a display to a BACtalk display
// (rep, job, file), flags it to be skipped, or removes that decision. Its
// buttons run the redirect command; a failed check or a refused write keeps
// it open with the reason shown. It closes with what was done.
#include "commands/RedirectCommands.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;

namespace Ui {
class RedirectDialog;
}

namespace vorlix {

class CommandRunner;
class Workbench;

// What the redirect dialog did when it closed.
enum class RedirectChoice { Redirect, Skip, Remove, Cancel };

class RedirectDialog : public QDialog {
    Q_OBJECT
public:
    // On the display `edit` describes; OK and Skip put its row into `list`.
    RedirectDialog(Workbench &wb, CommandRunner &runner, const RedirectEdit &edit, RedirectList &list,
                   QWidget *parent = nullptr);
    ~RedirectDialog() override;

    // ShowRedirectDialog: shown modally, then what was done.
    static RedirectChoice ask(Workbench &wb, CommandRunner &runner, const RedirectEdit &edit, RedirectList &list,
                              QWidget *parent);
    RedirectChoice choice() const { return m_choice; }

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
    // The command on the dialog's display; closes with `done` when it was done.
    void run(RedirectAction action, RedirectChoice done);

    Workbench &m_wb;
    CommandRunner &m_runner;
    RedirectEdit m_edit;
    RedirectList &m_list;
    RedirectChoice m_choice = RedirectChoice::Cancel;
    std::unique_ptr<Ui::RedirectDialog> m_ui;
};

} // namespace vorlix
