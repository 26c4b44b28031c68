#pragma once
// The merge dialog: all records or only the selected ones, and the
// destination database (OK only while that file exists).
#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class MergeTypeDialog;
}

namespace vorlix {

class Prompter;

class MergeTypeDialog : public QDialog {
    Q_OBJECT
public:
    MergeTypeDialog(Prompter &prompter, const QString &initialPath, QWidget *parent = nullptr);
    ~MergeTypeDialog() override;

    // 1: all records, 2: only the selected records.
    int mergeType() const;
    QString destination() const;
    void setDestination(const QString &path);
    void setSelectedOnly(bool on);
    QPushButton *okButton() const;
    // Where "Browse" starts (a folder or a file in it).
    void setBrowseStart(const QString &path) { m_browseStart = path; }

private:
    void checkOkButton();
    void browse();
    Prompter &m_prompter;
    QString m_browseStart;
    std::unique_ptr<Ui::MergeTypeDialog> m_ui;
};

} // namespace vorlix
