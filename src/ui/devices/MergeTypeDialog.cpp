#include "devices/MergeTypeDialog.h"

#include "ui_MergeTypeDialog.h"
#include "devices/DeviceMessages.h"
#include "util/Prompter.h"

#include <QFileInfo>
#include <QPushButton>

namespace vorlix {

MergeTypeDialog::MergeTypeDialog(Prompter &prompter, const QString &initialPath, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_ui(std::make_unique<Ui::MergeTypeDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->eb_dest, &QLineEdit::textChanged, this, &MergeTypeDialog::checkOkButton);
    connect(m_ui->rb_All, &QRadioButton::toggled, this, &MergeTypeDialog::checkOkButton);
    connect(m_ui->btn_Browse, &QToolButton::clicked, this, &MergeTypeDialog::browse);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_ui->eb_dest->setText(initialPath);
    checkOkButton();
}

MergeTypeDialog::~MergeTypeDialog() = default;

int MergeTypeDialog::mergeType() const { return m_ui->rb_Selected->isChecked() ? 2 : 1; }
QString MergeTypeDialog::destination() const { return m_ui->eb_dest->text().trimmed(); }
void MergeTypeDialog::setDestination(const QString &path) { m_ui->eb_dest->setText(path); }
void MergeTypeDialog::setSelectedOnly(bool on) { (on ? m_ui->rb_Selected : m_ui->rb_All)->setChecked(true); }
QPushButton *MergeTypeDialog::okButton() const { return m_ui->buttons->button(QDialogButtonBox::Ok); }

void MergeTypeDialog::checkOkButton()
{
    const QString path = destination();
    okButton()->setEnabled(!path.isEmpty() && QFileInfo(path).isFile());
}

void MergeTypeDialog::browse()
{
    if (const std::optional<QString> file =
            m_prompter.chooseOpenFile(msg::mergeDialogTitle(), msg::mergeFilter(), m_browseStart))
        m_ui->eb_dest->setText(*file);
}

} // namespace vorlix
