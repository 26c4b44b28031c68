#include "shell/ProgramOptionsDialog.h"

#include "ui_ProgramOptionsDialog.h"
#include "project/Settings.h"
#include "project/VisualStyles.h"

namespace vorlix {

ProgramOptionsDialog::ProgramOptionsDialog(Settings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::ProgramOptionsDialog>())
{
    m_ui->setupUi(this);
    m_ui->cb_VisualStyle->addItems(visualStyleNames());
    m_ui->cb_VisualStyle->setCurrentIndex(validVisualStyle(settings.visualStyle));
    const std::pair<QLineEdit *, const QString &> edits[] = {
        {m_ui->eb_AlerRep, settings.alerRep}, {m_ui->eb_AlerJob, settings.alerJob},
        {m_ui->eb_DealerRep, settings.dealerRep}, {m_ui->eb_DealerJob, settings.dealerJob},
        {m_ui->eb_LedRep, settings.ledRep}, {m_ui->eb_LedJob, settings.ledJob},
        {m_ui->eb_LedOff, settings.ledOff}, {m_ui->eb_LedOn, settings.ledOn}};
    for (const auto &[edit, value] : edits) {
        edit->setText(value);
        // Room for the eight characters a name may have.
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(u"WWWWWWWW"_qs) + 12);
    }

    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, [this] {
        storeSettings();
        accept();
    });
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ProgramOptionsDialog::~ProgramOptionsDialog() = default;

QComboBox *ProgramOptionsDialog::styleBox() const { return m_ui->cb_VisualStyle; }

QLineEdit *ProgramOptionsDialog::edit(const char *objectName) const
{
    return findChild<QLineEdit *>(QLatin1String(objectName));
}

void ProgramOptionsDialog::storeSettings()
{
    m_settings.visualStyle = m_ui->cb_VisualStyle->currentIndex();
    m_settings.alerRep = m_ui->eb_AlerRep->text();
    m_settings.alerJob = m_ui->eb_AlerJob->text();
    m_settings.dealerRep = m_ui->eb_DealerRep->text();
    m_settings.dealerJob = m_ui->eb_DealerJob->text();
    m_settings.ledRep = m_ui->eb_LedRep->text();
    m_settings.ledJob = m_ui->eb_LedJob->text();
    m_settings.ledOff = m_ui->eb_LedOff->text();
    m_settings.ledOn = m_ui->eb_LedOn->text();
}

} // namespace vorlix
