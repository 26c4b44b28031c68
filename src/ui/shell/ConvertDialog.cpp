#include "shell/ConvertDialog.h"

#include "ui_ConvertDialog.h"

#include <QDir>
#include <QFileDialog>

namespace vorlix {

ConvertDialog::ConvertDialog(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::ConvertDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->le_Bactalk, &QLineEdit::textChanged, this, [this] { updateOk(); });
    connect(m_ui->pb_BrowseBactalk, &QPushButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(this, u"BACtalk job folder"_qs, m_ui->le_Bactalk->text());
        if (!dir.isEmpty())
            m_ui->le_Bactalk->setText(QDir::toNativeSeparators(dir));
    });
    connect(m_ui->pb_BrowsePoints, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, u"Point database"_qs, m_ui->le_Points->text(),
                                                          u"Point database (*.mdb *.db);;All files (*)"_qs, nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (!file.isEmpty())
            m_ui->le_Points->setText(QDir::toNativeSeparators(file));
    });
    connect(m_ui->pb_BrowseMerge, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, u"Device database"_qs, m_ui->le_Merge->text(),
                                                          u"Device database (*.mdb *.db);;All files (*)"_qs, nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (!file.isEmpty())
            m_ui->le_Merge->setText(QDir::toNativeSeparators(file));
    });
    updateOk();
}

ConvertDialog::~ConvertDialog() = default;

void ConvertDialog::setBactalkFolder(const QString &folder)
{
    m_ui->le_Bactalk->setText(QDir::toNativeSeparators(folder));
}

void ConvertDialog::updateOk()
{
    okButton()->setEnabled(!m_ui->le_Bactalk->text().trimmed().isEmpty());
}

ConvertOptions ConvertDialog::options() const
{
    ConvertOptions o;
    o.bactalk = QDir::fromNativeSeparators(m_ui->le_Bactalk->text().trimmed());
    const QString ws = m_ui->le_Workstation->text().trimmed();
    if (!ws.isEmpty())
        o.workstation = ws;
    o.points = QDir::fromNativeSeparators(m_ui->le_Points->text().trimmed());
    o.merge = QDir::fromNativeSeparators(m_ui->le_Merge->text().trimmed());
    o.scannedOnly = m_ui->cb_ScannedOnly->isChecked();
    return o;
}

bool ConvertDialog::replaceFiles() const { return m_ui->cb_Replace->isChecked(); }
QLineEdit *ConvertDialog::bactalkEdit() const { return m_ui->le_Bactalk; }
QLineEdit *ConvertDialog::workstationEdit() const { return m_ui->le_Workstation; }
QLineEdit *ConvertDialog::pointsEdit() const { return m_ui->le_Points; }
QLineEdit *ConvertDialog::mergeEdit() const { return m_ui->le_Merge; }
QCheckBox *ConvertDialog::scannedOnlyBox() const { return m_ui->cb_ScannedOnly; }
QCheckBox *ConvertDialog::replaceBox() const { return m_ui->cb_Replace; }
QPushButton *ConvertDialog::okButton() const { return m_ui->buttons->button(QDialogButtonBox::Ok); }

} // namespace vorlix
