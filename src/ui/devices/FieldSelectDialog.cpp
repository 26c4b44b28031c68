#include "devices/FieldSelectDialog.h"

#include "ui_FieldSelectDialog.h"

namespace vorlix {

FieldSelectDialog::FieldSelectDialog(const QStringList &fields, const DeviceColumnFlags &visible, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FieldSelectDialog>())
{
    m_ui->setupUi(this);
    for (int i = 0; i < fields.size() && i < kDeviceColumns; ++i) {
        auto *item = new QListWidgetItem(fields[i], m_ui->FieldList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(visible[i] ? Qt::Checked : Qt::Unchecked);
    }
    m_changed = false;
    connect(m_ui->FieldList, &QListWidget::itemChanged, this, [this] { m_changed = true; });
    connect(m_ui->cb_Reset, &QCheckBox::toggled, this, [this] { m_changed = true; });
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

FieldSelectDialog::~FieldSelectDialog() = default;

DeviceColumnFlags FieldSelectDialog::ticked() const
{
    DeviceColumnFlags out{};
    for (int i = 0; i < m_ui->FieldList->count() && i < kDeviceColumns; ++i)
        out[i] = m_ui->FieldList->item(i)->checkState() == Qt::Checked;
    return out;
}

bool FieldSelectDialog::resetSizes() const { return m_ui->cb_Reset->isChecked(); }
QListWidget *FieldSelectDialog::fieldList() const { return m_ui->FieldList; }
void FieldSelectDialog::setResetSizes(bool on) { m_ui->cb_Reset->setChecked(on); }

} // namespace vorlix
