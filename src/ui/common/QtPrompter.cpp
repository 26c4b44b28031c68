#include "common/QtPrompter.h"

#include "util/FileFilter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace vorlix {

namespace {
QString caption() { return u"Vorlix"_qs; }

QString initialPath(const QString &initialFile)
{
    if (initialFile.isEmpty())
        return QDir::homePath();
    return QDir::fromNativeSeparators(initialFile);
}

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }
} // namespace

bool QtPrompter::confirm(const QString &text)
{
    return QMessageBox::question(m_parent, caption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtPrompter::warn(const QString &text)
{
    return QMessageBox::warning(m_parent, caption(), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompter::inform(const QString &text) { QMessageBox::information(m_parent, caption(), text); }

void QtPrompter::error(const QString &text) { QMessageBox::critical(m_parent, caption(), text); }

std::optional<QString> QtPrompter::askText(const QString &title, const QString &prompt, const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPrompter::chooseOpenFile(const QString &title, const QString &filter,
                                                  const QString &initialFile)
{
    // The dialog only returns files that exist.
    const QString file = QFileDialog::getOpenFileName(m_parent, title, initialPath(initialFile), qtFileFilter(filter));
    if (file.isEmpty() || !QFileInfo::exists(file))
        return std::nullopt;
    return shown(file);
}

std::optional<QString> QtPrompter::chooseSaveFile(const QString &title, const QString &filter,
                                                  const QString &initialFile)
{
    return runFileDialog(QFileDialog::AcceptSave, title, filter, initialFile);
}

std::optional<QString> QtPrompter::chooseFileToUpdate(const QString &title, const QString &filter,
                                                      const QString &initialFile)
{
    // An Open dialog that also takes a new name: the file is updated in
    // place or made, never replaced, so nobody is asked to replace it.
    return runFileDialog(QFileDialog::AcceptOpen, title, filter, initialFile);
}

std::optional<QString> QtPrompter::chooseFolder(const QString &title, const QString &initialFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, title, initialPath(initialFolder));
    if (folder.isEmpty())
        return std::nullopt;
    return shown(folder);
}

std::optional<QString> QtPrompter::runFileDialog(int acceptMode, const QString &title, const QString &filter,
                                                 const QString &initialFile)
{
    QFileDialog dialog(m_parent, title, QString(), qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptMode(acceptMode));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix(filter));
    const QString start = initialPath(initialFile);
    if (QFileInfo(start).isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(QFileInfo(start).absolutePath());
        dialog.selectFile(QFileInfo(start).fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return shown(dialog.selectedFiles().first());
}

} // namespace vorlix
