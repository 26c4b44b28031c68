#include "translation/OverrideDialog.h"

#include "ui_OverrideDialog.h"
#include "translate/OverrideEditing.h"
#include "util/TextUtil.h"

#include <QLineEdit>

namespace vorlix {

OverrideDialog::OverrideDialog(const QString &text, const QString &point, ObjOverride, bool editText,
                               IbexObject kind, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OverrideDialog>()), m_kind(kind), m_editText(editText),
      m_text(text), m_point(point)
{
    m_ui->setupUi(this);
    const bool dateTime = kind == ioTimeDate;
    m_ui->SkipPanel->setVisible(dateTime);
    m_ui->TextPanel->setVisible(!dateTime && editText);
    m_ui->PointPanel->setVisible(!dateTime && !editText);

    connect(m_ui->btn_OK, &QPushButton::clicked, this, [this] {
        acceptValues();
        finish(OverrideResult::OK);
    });
    connect(m_ui->btn_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->btn_Reset, &QPushButton::clicked, this, [this] { finish(OverrideResult::Reset); });
    connect(m_ui->btn_Skip, &QPushButton::clicked, this, [this] { finish(OverrideResult::Skip); });

    if (dateTime) {
        // Only Skip, Reset and Cancel mean anything for a date/time object.
        m_ui->btn_Skip->setFocus();
    } else if (editText) {
        m_ui->eb_text->setText(text);
        m_ui->eb_text->selectAll();
        m_ui->eb_text->setFocus();
        connect(m_ui->eb_text, &QLineEdit::textChanged, this, [this] { m_ui->btn_OK->setEnabled(true); });
    } else {
        m_ui->eb_point->addItems(pointTemplates());
        const PointEdit edit = PointEdit::split(point);
        m_ui->cb_Currdev->setChecked(edit.currentDevice);
        m_ui->se_devid->setValue(edit.device);
        m_ui->se_devid->setEnabled(!edit.currentDevice);
        m_ui->eb_point->setEditText(edit.point);
        m_ui->eb_point->setFocus();
        connect(m_ui->cb_Currdev, &QCheckBox::toggled, this, [this](bool on) {
            m_ui->se_devid->setEnabled(!on);
            checkPoint();
        });
        connect(m_ui->eb_point, &QComboBox::editTextChanged, this, [this] { checkPoint(); });
        connect(m_ui->se_devid, &QSpinBox::valueChanged, this, [this] { checkPoint(); });
    }
    // OK stays off until something changes.
    m_ui->btn_OK->setEnabled(false);
}

OverrideDialog::~OverrideDialog() = default;

void OverrideDialog::finish(OverrideResult choice)
{
    m_choice = choice;
    accept();
}

void OverrideDialog::checkPoint()
{
    PointEdit edit;
    edit.point = m_ui->eb_point->currentText();
    const bool valid = validPointText(edit.point);
    // Invalid text is red; valid text takes the style's text colour (black
    // in the light styles, readable in the dark ones).
    QPalette pal = m_ui->eb_point->palette();
    if (!valid)
        pal.setColor(QPalette::Text, QColor(Qt::red));
    m_ui->eb_point->lineEdit()->setPalette(pal);
    m_ui->btn_OK->setEnabled(edit.acceptable());
}

void OverrideDialog::acceptValues()
{
    if (m_kind == ioTimeDate) {
        m_text.clear();
    } else if (m_editText) {
        m_text = m_ui->eb_text->text();
    } else {
        PointEdit edit;
        edit.currentDevice = m_ui->cb_Currdev->isChecked();
        edit.device = m_ui->se_devid->value();
        edit.point = m_ui->eb_point->currentText();
        m_point = edit.joined();
    }
}

} // namespace vorlix
