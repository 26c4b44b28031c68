#include "devices/FieldFormatDialog.h"

#include "ui_FieldFormatDialog.h"
#include "devices/DeviceMessages.h"
#include "util/Prompter.h"

#include <QPushButton>

namespace vorlix {

FieldFormatDialog::FieldFormatDialog(int count, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_count(count), m_prompter(prompter), m_ui(std::make_unique<Ui::FieldFormatDialog>())
{
    m_ui->setupUi(this);
    for (const char *tab : {"Format Text", "Rep-Job-App", "Numeric Value", "Device Model"})
        m_ui->TabControl1->addTab(QLatin1String(tab));
    m_ui->cb_Field1->addItems(formatTextChoices());
    m_ui->cb_Field1->setCurrentIndex(-1);
    m_ui->cb_Field3->addItems(numericChoices());
    m_ui->cb_Field3->setCurrentIndex(-1);
    m_ui->cb_UnitType->addItems(unitTypeChoices());
    m_ui->cb_UnitType->setCurrentIndex(-1);

    connect(m_ui->TabControl1, &QTabBar::currentChanged, this, &FieldFormatDialog::tabChanged);
    for (QCheckBox *use : {m_ui->cb_Apply1, m_ui->cb_Apply2, m_ui->cb_Apply3})
        connect(use, &QCheckBox::toggled, this, &FieldFormatDialog::applyChanged);
    const auto refresh = [this] {
        m_ui->Sample->setText(sample());
        checkOkButton();
    };
    for (QSpinBox *spin : {m_ui->se_Num1, m_ui->se_Inc1, m_ui->se_Num2, m_ui->se_Inc2, m_ui->se_Num3, m_ui->se_inc3,
                           m_ui->se_numeric, m_ui->se_incr})
        connect(spin, &QSpinBox::valueChanged, this, refresh);
    for (QCheckBox *box : {m_ui->cb_Frmt1, m_ui->cb_Frmt2, m_ui->cb_Increment})
        connect(box, &QCheckBox::toggled, this, refresh);
    for (QLineEdit *edit : {m_ui->eb_LeftText, m_ui->eb_RightText, m_ui->eb_rep, m_ui->eb_job, m_ui->eb_app})
        connect(edit, &QLineEdit::textChanged, this, refresh);
    for (QComboBox *box : {m_ui->cb_Field1, m_ui->cb_Field3, m_ui->cb_UnitType})
        connect(box, &QComboBox::currentIndexChanged, this, refresh);
    // "&Increment" gives its increment only while ticked.
    connect(m_ui->cb_Increment, &QCheckBox::toggled, m_ui->se_incr, &QWidget::setEnabled);
    connect(m_ui->SpeedButton1, &QToolButton::clicked, this, &FieldFormatDialog::browseDdcFile);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_ui->TabControl1->setCurrentIndex(FormatText);
    tabChanged();
}

FieldFormatDialog::~FieldFormatDialog() = default;

QPushButton *FieldFormatDialog::okButton() const { return m_ui->buttons->button(QDialogButtonBox::Ok); }

void FieldFormatDialog::setTab(int tab) { m_ui->TabControl1->setCurrentIndex(tab); }

void FieldFormatDialog::tabChanged()
{
    const int tab = m_ui->TabControl1->currentIndex();
    m_ui->panels->setCurrentIndex(tab);
    m_ui->cb_Field1->setVisible(tab == FormatText || tab == DeviceModel);
    m_ui->cb_Field3->setVisible(tab == NumericValue);
    m_ui->lbl_Field->setVisible(tab != RepJobApp);
    m_ui->lbl_Field->setBuddy(tab == NumericValue ? m_ui->cb_Field3 : m_ui->cb_Field1);
    // "Device Model" always writes devmodel; the "Format Text" choice comes
    // back when the user returns there.
    if (tab == DeviceModel) {
        if (m_lastTab != DeviceModel)
            m_formatChoice = m_ui->cb_Field1->currentIndex();
        m_ui->cb_Field1->setCurrentIndex(static_cast<int>(EditTarget::DevModel));
    } else if (m_lastTab == DeviceModel) {
        m_ui->cb_Field1->setCurrentIndex(m_formatChoice);
    }
    m_lastTab = tab;
    m_ui->cb_Field1->setEnabled(tab == FormatText);
    m_ui->Sample->setVisible(tab == FormatText);
    m_ui->Sample->setText(sample());
    checkOkButton();
}

void FieldFormatDialog::applyChanged()
{
    const std::pair<QCheckBox *, QList<QWidget *>> numbers[] = {
        {m_ui->cb_Apply1, {m_ui->se_Num1, m_ui->se_Inc1, m_ui->cb_Frmt1}},
        {m_ui->cb_Apply2, {m_ui->se_Num2, m_ui->se_Inc2, m_ui->cb_Frmt2}},
        {m_ui->cb_Apply3, {m_ui->se_Num3, m_ui->se_inc3}}};
    for (const auto &[use, controls] : numbers)
        for (QWidget *w : controls)
            w->setEnabled(use->isChecked());
    m_ui->Sample->setText(sample());
}

void FieldFormatDialog::checkOkButton()
{
    bool ok = false;
    switch (m_ui->TabControl1->currentIndex()) {
    case FormatText: ok = m_ui->cb_Field1->currentIndex() >= 0; break;
    case RepJobApp:
        ok = !m_ui->eb_rep->text().isEmpty() && !m_ui->eb_job->text().isEmpty() && !m_ui->eb_app->text().isEmpty();
        break;
    case NumericValue: ok = m_ui->cb_Field3->currentIndex() >= 0; break;
    case DeviceModel: ok = m_ui->cb_UnitType->currentIndex() >= 0; break;
    default: break;
    }
    okButton()->setEnabled(ok);
}

void FieldFormatDialog::browseDdcFile()
{
    const std::optional<QString> file =
        m_prompter.chooseOpenFile(msg::ddcFileTitle(), msg::ddcFileFilter(), m_browseStart);
    if (!file)
        return;
    const vorlix::RepJobApp r = repJobAppOf(*file);
    if (r.found) {
        m_ui->eb_rep->setText(r.rep);
        m_ui->eb_job->setText(r.job);
        m_ui->eb_app->setText(r.app);
    }
    checkOkButton();
}

TextFormat FieldFormatDialog::textFormat() const
{
    TextFormat f;
    f.number1 = {m_ui->cb_Apply1->isChecked(), m_ui->se_Num1->value(), m_ui->se_Inc1->value(), m_ui->cb_Frmt1->isChecked()};
    f.number2 = {m_ui->cb_Apply2->isChecked(), m_ui->se_Num2->value(), m_ui->se_Inc2->value(), m_ui->cb_Frmt2->isChecked()};
    f.number3 = {m_ui->cb_Apply3->isChecked(), m_ui->se_Num3->value(), m_ui->se_inc3->value(), false};
    f.left = m_ui->eb_LeftText->text();
    f.right = m_ui->eb_RightText->text();
    return f;
}

QString FieldFormatDialog::sample() const { return textFormat().text(0); }

EditTarget FieldFormatDialog::target() const
{
    switch (m_ui->TabControl1->currentIndex()) {
    case RepJobApp: return EditTarget::RepJobApp;
    case NumericValue: return static_cast<EditTarget>(m_ui->cb_Field3->currentIndex() + 5);
    case DeviceModel: return EditTarget::UnitType;
    default: return static_cast<EditTarget>(m_ui->cb_Field1->currentIndex());
    }
}

QStringList FieldFormatDialog::values() const
{
    QStringList out;
    switch (m_ui->TabControl1->currentIndex()) {
    case RepJobApp:
        return {m_ui->eb_rep->text(), m_ui->eb_job->text(), m_ui->eb_app->text()};
    case NumericValue:
        return numericValues(m_ui->se_numeric->value(), m_ui->se_incr->value(), m_ui->cb_Increment->isChecked(),
                             m_count);
    case DeviceModel:
        for (int i = 0; i < m_count; ++i)
            out << m_ui->cb_UnitType->currentText();
        return out;
    default: {
        const TextFormat f = textFormat();
        for (int i = 0; i < m_count; ++i)
            out << f.text(i);
        return out;
    }
    }
}

} // namespace vorlix
