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
    // The dialog opens by itself for a job whose project database was just
    // made: it says so and what to set.
    void explainFirstOpen();
    // OK: with a project open and the BACtalk job root folder empty or not
    // on disk, asks first (a warning; No keeps the dialog open).
    void accept() override;
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
    QString bactalkFolderProblem() const;

    Workbench &m_wb;
    std::unique_ptr<Ui::OptionsDialog> m_ui;
};

} // namespace vorlix
