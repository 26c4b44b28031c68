#pragma once
// The options of "Convert whole job...": the BACtalk job folder, the
// workstation, the point database and merge destination, which displays,
// and whether existing files are replaced.
#include "commands/ConvertCommand.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class ConvertDialog;
}

namespace vorlix {

class ConvertDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConvertDialog(QWidget *parent = nullptr);
    ~ConvertDialog() override;

    void setBactalkFolder(const QString &folder);
    // The options typed in (no stage callbacks).
    ConvertOptions options() const;
    bool replaceFiles() const;

    QLineEdit *bactalkEdit() const;
    QLineEdit *workstationEdit() const;
    QLineEdit *pointsEdit() const;
    QLineEdit *mergeEdit() const;
    QCheckBox *scannedOnlyBox() const;
    QCheckBox *replaceBox() const;
    QPushButton *okButton() const;

private:
    void updateOk();

    std::unique_ptr<Ui::ConvertDialog> m_ui;
};

} // namespace vorlix
