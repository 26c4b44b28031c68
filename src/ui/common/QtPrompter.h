#pragma once
// Questions asked with message boxes, file dialogs and input boxes.
#include "util/Prompter.h"

class QWidget;

namespace vorlix {

class QtPrompter : public Prompter {
public:
    // Boxes are centred on `parent` (may be set later, once the window exists).
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool confirm(const QString &text) override;
    bool warn(const QString &text) override;
    void inform(const QString &text) override;
    void error(const QString &text) override;
    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &initial) override;
    std::optional<QString> chooseOpenFile(const QString &title, const QString &filter,
                                          const QString &initialFile) override;
    std::optional<QString> chooseSaveFile(const QString &title, const QString &filter,
                                          const QString &initialFile) override;

    std::optional<QString> chooseFileToUpdate(const QString &title, const QString &filter,
                                              const QString &initialFile) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &initialFolder) override;

private:
    // A save (or update) dialog with the filter's default suffix, starting
    // at `initialFile` (a folder, or a proposed file in one).
    std::optional<QString> runFileDialog(int acceptMode, const QString &title, const QString &filter,
                                         const QString &initialFile);
    QWidget *m_parent;
};

} // namespace vorlix
