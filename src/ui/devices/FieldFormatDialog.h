#pragma once
// The multi-record editor: the value of one column for each of `count`
// selected device rows, as numbered texts ("Format Text"), numbered numbers
// ("Numeric Value"), the DDC program ("Rep-Job-App") or the unit type
// ("Device Model").
#include "devices/MultiEdit.h"

#include <QDialog>
#include <memory>

class QPushButton;

namespace Ui {
class FieldFormatDialog;
}

namespace vorlix {

class Prompter;

class FieldFormatDialog : public QDialog {
    Q_OBJECT
public:
    // The tabs, by index.
    static constexpr int FormatText = 0, RepJobApp = 1, NumericValue = 2, DeviceModel = 3;

    FieldFormatDialog(int count, Prompter &prompter, QWidget *parent = nullptr);
    ~FieldFormatDialog() override;

    // On OK: the column written and the values of rows 0 .. count - 1
    // (for Rep-Job-App: rep, job and app).
    EditTarget target() const;
    QStringList values() const;

    // The text the panel "Sample" shows: the value of row 0.
    QString sample() const;
    QPushButton *okButton() const;
    void setTab(int tab);
    // Where the DDC file dialog of "Rep-Job-App" starts.
    void setBrowseStart(const QString &path) { m_browseStart = path; }

private:
    void tabChanged();
    void applyChanged();
    void checkOkButton();
    void browseDdcFile();
    TextFormat textFormat() const;

    int m_count;
    int m_lastTab = FormatText;
    int m_formatChoice = -1;
    Prompter &m_prompter;
    QString m_browseStart;
    std::unique_ptr<Ui::FieldFormatDialog> m_ui;
};

} // namespace vorlix
