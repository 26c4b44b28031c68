#include "shell/HelpDialog.h"
#include "ui_HelpDialog.h"

#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vorlix {

HelpDialog::HelpDialog(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::HelpDialog>())
{
    m_ui->setupUi(this);
}

HelpDialog::~HelpDialog() = default;

bool HelpDialog::showManual(const QString &path, QString *error)
{
    QByteArray text;
    if (!readWholeFile(path, text, error)) {
        m_ui->tb_Manual->clear();
        return false;
    }
    // Links and pictures of the manual are found beside it.
    m_ui->tb_Manual->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + u'/'));
    m_ui->tb_Manual->setMarkdown(QString::fromUtf8(text));
    m_ui->lbl_Path->setText(QDir::toNativeSeparators(path));
    return true;
}

} // namespace vorlix
