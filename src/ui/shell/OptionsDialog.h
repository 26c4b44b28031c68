#pragma once
// The project options dialog: the project variables of the open project (or
// of the default project), and the tables whose edits are written at once.
#include <QDialog>
#include <memory>

class QPushButton;
class QTabWidget;
class QTableView;

namespace Ui {
class OptionsDialog;
}

namespace vorlix {

class Workbench;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(Workbench &wb, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // Loads every control from the project variables; the "Subcaller Map"
    // and "User Overrides" pages only for an open project's database with
    // the extended tables.
    void setup(bool isDefault);
    // Copies the controls back and writes the project variables.
    void endSetup();

    // Red text for an empty or invalid point text; OK only when both are valid.
    void clearError();
    bool pageShown(const QString &title) const;
    QTabWidget *pages() const;
    QPushButton *okButton() const;

private:
    // Shows `table` of the project database in `view`, edits written at once;
    // only `fields` are shown when given.
    void showTable(QTableView *view, const QString &table, const QStringList &fields);
    void browseBactalkFolder();

    Workbench &m_wb;
    std::unique_ptr<Ui::OptionsDialog> m_ui;
};

} // namespace vorlix
