#include "ProgramOptionsDialog.h"

#include "project/Settings.h"
#include "project/VisualStyles.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorlix {

ProgramOptionsDialog::ProgramOptionsDialog(Settings &settings, QWidget *parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(u"Tfrm_VStyle"_qs);
    setWindowTitle(u" Vorlix Program Options"_qs);
    auto *layout = new QVBoxLayout(this);
    auto *styleForm = new QFormLayout;
    m_style = new QComboBox(this);
    m_style->setObjectName(u"cb_VisualStyle"_qs);
    m_style->addItems(visualStyleNames());
    m_style->setCurrentIndex(validVisualStyle(settings.visualStyle));
    styleForm->addRow(u"Visual style"_qs, m_style);
    layout->addLayout(styleForm);

    auto field = [this](const QString &value, const char *name, QWidget *parent) {
        auto *e = new QLineEdit(value, parent);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(8);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(u"WWWWWWWW"_qs) + 12);
        return e;
    };
    auto *groups = new QHBoxLayout;
    auto *match = new QGroupBox(u"Locations to check for bitmap matches"_qs, this);
    auto *matchForm = new QFormLayout(match);
    m_alerRep = field(settings.alerRep, "eb_AlerRep", match);
    m_alerJob = field(settings.alerJob, "eb_AlerJob", match);
    m_dealerRep = field(settings.dealerRep, "eb_DealerRep", match);
    m_dealerJob = field(settings.dealerJob, "eb_DealerJob", match);
    matchForm->addRow(u"Alerton Rep"_qs, m_alerRep);
    matchForm->addRow(u"Alerton Job"_qs, m_alerJob);
    matchForm->addRow(u"Dealer Rep"_qs, m_dealerRep);
    matchForm->addRow(u"Dealer Job"_qs, m_dealerJob);
    groups->addWidget(match);
    auto *led = new QGroupBox(u"Alerton LED Replacement"_qs, this);
    auto *ledForm = new QFormLayout(led);
    m_ledRep = field(settings.ledRep, "eb_LedRep", led);
    m_ledJob = field(settings.ledJob, "eb_LedJob", led);
    m_ledOff = field(settings.ledOff, "eb_LedOff", led);
    m_ledOn = field(settings.ledOn, "eb_LedOn", led);
    ledForm->addRow(u"Rep"_qs, m_ledRep);
    ledForm->addRow(u"Job"_qs, m_ledJob);
    ledForm->addRow(u"Off bitmap"_qs, m_ledOff);
    ledForm->addRow(u"On bitmap"_qs, m_ledOn);
    groups->addWidget(led);
    layout->addLayout(groups);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        storeSettings();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QLineEdit *ProgramOptionsDialog::edit(const char *objectName) const
{
    return findChild<QLineEdit *>(QLatin1String(objectName));
}

void ProgramOptionsDialog::storeSettings()
{
    m_settings.visualStyle = m_style->currentIndex();
    m_settings.alerRep = m_alerRep->text();
    m_settings.alerJob = m_alerJob->text();
    m_settings.dealerRep = m_dealerRep->text();
    m_settings.dealerJob = m_dealerJob->text();
    m_settings.ledRep = m_ledRep->text();
    m_settings.ledJob = m_ledJob->text();
    m_settings.ledOff = m_ledOff->text();
    m_settings.ledOn = m_ledOn->text();
}

} // namespace vorlix
