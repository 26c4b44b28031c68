#pragma once
// "Vorlix Setup": the visual style and the bitmap-matching standards.
#include <QDialog>

class QComboBox;
class QLineEdit;

namespace vorlix {

struct Settings;

class ProgramOptionsDialog : public QDialog {
    Q_OBJECT
public:
    ProgramOptionsDialog(Settings &settings, QWidget *parent = nullptr);
    QComboBox *styleBox() const { return m_style; }
    QLineEdit *edit(const char *objectName) const;

private:
    // OK: the selection and the eight edits back into the settings.
    void storeSettings();
    Settings &m_settings;
    QComboBox *m_style;
    QLineEdit *m_alerRep, *m_alerJob, *m_dealerRep, *m_dealerJob;
    QLineEdit *m_ledRep, *m_ledJob, *m_ledOff, *m_ledOn;
};

} // namespace vorlix
