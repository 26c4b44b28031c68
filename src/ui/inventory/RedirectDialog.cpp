#include "inventory/RedirectDialog.h"

#include "ui_RedirectDialog.h"

#include "common/CommandRunner.h"
#include "project/Workbench.h"

namespace vorlix {

RedirectDialog::RedirectDialog(Workbench &wb, CommandRunner &runner, const RedirectEdit &edit, RedirectList &list,
                               QWidget *parent)
    : QDialog(parent), m_wb(wb), m_runner(runner), m_edit(edit), m_list(list),
      m_ui(std::make_unique<Ui::RedirectDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->btn_Browse, &QPushButton::clicked, this, &RedirectDialog::browse);
    connect(m_ui->btn_OK, &QPushButton::clicked, this, &RedirectDialog::okay);
    connect(m_ui->btn_Skip, &QPushButton::clicked, this, &RedirectDialog::skip);
    connect(m_ui->btn_del, &QPushButton::clicked, this, &RedirectDialog::removeRedirection);
    // Cancel (and Esc) closes with nothing done.
    connect(m_ui->btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->btn_del->setEnabled(!edit.newDisplay);
    m_ui->lbl_IbexName->setText((edit.localJob ? u"Local job display: "_qs : u"Job display: "_qs) + edit.ibexName);
    m_ui->eb_rep->setText(edit.target.rep);
    m_ui->eb_job->setText(edit.target.job);
    m_ui->eb_file->setText(edit.target.file);
}

RedirectDialog::~RedirectDialog() = default;

QLineEdit *RedirectDialog::repEdit() const { return m_ui->eb_rep; }
QLineEdit *RedirectDialog::jobEdit() const { return m_ui->eb_job; }
QLineEdit *RedirectDialog::fileEdit() const { return m_ui->eb_file; }
QPushButton *RedirectDialog::removeButton() const { return m_ui->btn_del; }

RedirectChoice RedirectDialog::ask(Workbench &wb, CommandRunner &runner, const RedirectEdit &edit, RedirectList &list,
                                   QWidget *parent)
{
    RedirectDialog dialog(wb, runner, edit, list, parent);
    dialog.exec();
    return dialog.choice();
}

RedirectTarget RedirectDialog::typed() const
{
    return {m_ui->eb_rep->text().trimmed(), m_ui->eb_job->text().trimmed(), m_ui->eb_file->text().trimmed()};
}

void RedirectDialog::browse()
{
    const auto chosen = m_wb.prompter.chooseOpenFile(
        u"Redirect"_qs, redirectBrowseFilter(),
        typed().browseStart(m_wb.vars.bactalkJobPath));
    if (!chosen)
        return;
    const RedirectTarget t = RedirectTarget::fromPath(*chosen);
    m_ui->eb_file->setText(t.file);
    m_ui->eb_job->setText(t.job);
    m_ui->eb_rep->setText(t.rep);
}

void RedirectDialog::run(RedirectAction action, RedirectChoice done)
{
    RedirectStatus status = RedirectStatus::Refused;
    m_runner.guarded([&] {
        status = redirectCommand(m_wb, {m_edit.ibexName, m_edit.localJob, action, typed(), &m_list});
    });
    // A refused command keeps the dialog open with its reason shown; a
    // decision that was not there to remove ends it as Cancel does.
    if (status == RedirectStatus::Refused)
        return;
    m_choice = status == RedirectStatus::Done ? done : RedirectChoice::Cancel;
    accept();
}

void RedirectDialog::okay() { run(RedirectAction::Redirect, RedirectChoice::Redirect); }

void RedirectDialog::skip() { run(RedirectAction::Skip, RedirectChoice::Skip); }

void RedirectDialog::removeRedirection() { run(RedirectAction::Remove, RedirectChoice::Remove); }

} // namespace vorlix
