#pragma once
// "Vorlix Setup": the visual style and the bitmap-matching standards.
#include <QDialog>
#include <memory>

class QComboBox;
class QLineEdit;

namespace Ui {
class ProgramOptionsDialog;
}

namespace vorlix {

struct Settings;

class ProgramOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgramOptionsDialog(Settings &settings, QWidget *parent = nullptr);
    ~ProgramOptionsDialog() override;
    QComboBox *styleBox() const;
    QLineEdit *edit(const char *objectName) const;

private:
    // OK: the selection and the eight edits back into the settings.
    void storeSettings();
    Settings &m_settings;
    std::unique_ptr<Ui::ProgramOptionsDialog> m_ui;
};

} // namespace vorlix
