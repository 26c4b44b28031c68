#include "inventory/RedirectDialog.h"

#include "ui_RedirectDialog.h"

#include "project/Workbench.h"

#include <QDir>

namespace vorlix {

RedirectDialog::RedirectDialog(Workbench &wb, QWidget *parent)
    : QDialog(parent), m_wb(wb), m_editor(wb), m_ui(std::make_unique<Ui::RedirectDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->btn_Browse, &QPushButton::clicked, this, &RedirectDialog::browse);
    connect(m_ui->btn_OK, &QPushButton::clicked, this, &RedirectDialog::okay);
    connect(m_ui->btn_Skip, &QPushButton::clicked, this, &RedirectDialog::skip);
    connect(m_ui->btn_del, &QPushButton::clicked, this, &RedirectDialog::removeRedirection);
    connect(m_ui->btn_Cancel, &QPushButton::clicked, this, [this] { done(rrCancel); });
}

RedirectDialog::~RedirectDialog() = default;

QLineEdit *RedirectDialog::repEdit() const { return m_ui->eb_rep; }
QLineEdit *RedirectDialog::jobEdit() const { return m_ui->eb_job; }
QLineEdit *RedirectDialog::fileEdit() const { return m_ui->eb_file; }
QPushButton *RedirectDialog::removeButton() const { return m_ui->btn_del; }

int RedirectDialog::setup(RedirectGrid &grid, int index)
{
    const int r = m_editor.setup(grid, index);
    if (r == rrFull)
        return r;
    m_ui->btn_del->setEnabled(!m_editor.newDisplay());
    m_ui->lbl_IbexName->setText((m_editor.localJob() ? u"Local job display: "_qs : u"Job display: "_qs)
                                + m_editor.ibexName());
    m_ui->eb_rep->setText(m_editor.target().rep);
    m_ui->eb_job->setText(m_editor.target().job);
    m_ui->eb_file->setText(m_editor.target().file);
    return r;
}

int RedirectDialog::showRedirectDialog(Workbench &wb, RedirectGrid &grid, int index, QWidget *parent)
{
    RedirectDialog dialog(wb, parent);
    if (dialog.setup(grid, index) == rrFull)
        return rrFull;
    // Esc closes the dialog as Cancel does.
    const int result = dialog.exec();
    return result == QDialog::Rejected ? int(rrCancel) : result;
}

RedirectTarget RedirectDialog::typed() const
{
    return {m_ui->eb_rep->text().trimmed(), m_ui->eb_job->text().trimmed(), m_ui->eb_file->text().trimmed()};
}

void RedirectDialog::browse()
{
    const auto chosen = m_wb.prompter.chooseOpenFile(
        u"Redirect"_qs, u"EFB template file (*.dvt);;EFB display file (*.dsp);;All files (*.*)"_qs,
        m_editor.browseStart(typed()));
    if (!chosen)
        return;
    const RedirectTarget t = RedirectTarget::fromPath(*chosen);
    m_ui->eb_file->setText(t.file);
    m_ui->eb_job->setText(t.job);
    m_ui->eb_rep->setText(t.rep);
}

void RedirectDialog::okay()
{
    // A failed check keeps the dialog open with its reason shown.
    if (m_editor.okay(typed()))
        done(rrOk);
}

void RedirectDialog::skip()
{
    if (m_editor.skip())
        done(rrSkip);
}

void RedirectDialog::removeRedirection() { done(m_editor.remove()); }

} // namespace vorlix
