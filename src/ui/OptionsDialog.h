#pragma once
// The project options dialog: the project variables of the open project (or
// of the default project), and the tables whose edits are written at once.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QSqlTableModel;
class QTabWidget;
class QTableView;

namespace vorlix {

class SpinEdit;
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
    QTabWidget *pages() const { return m_pages; }
    QPushButton *okButton() const;

private:
    QWidget *generalPage();
    QWidget *tablePage(const QString &label, const QString &table, const QStringList &fields, bool extendedNote,
                       QSqlTableModel *&model);
    void browseBactalkFolder();

    Workbench &m_wb;
    QTabWidget *m_pages;
    QDialogButtonBox *m_buttons;
    QLineEdit *eb_BtPath;
    SpinEdit *se_JobDispNum, *se_JobCCPDnum, *se_JobCTXDnum;
    SpinEdit *se_LclDispNum, *se_LclCCPDnum, *se_LclCTXDnum;
    QCheckBox *cb_copyunits, *cb_padunits, *cb_MapStateText, *cb_MsetToBtn, *cb_setreadonly;
    QLineEdit *eb_PlaceHolder;
    QCheckBox *cb_AddRelDef, *cb_MapPlaceHolder;
    QCheckBox *cb_CpDesc, *cb_CpStatus, *cb_ObjAsText;
    QLineEdit *eb_CPstatusBV;
    QButtonGroup *rg_copyfont, *rg_ObjColors;
    QCheckBox *cb_LockSubcallerMap;
    QWidget *m_redirectPage, *m_subcallerPage, *m_overridesPage;
    QSqlTableModel *m_redirectModel = nullptr, *m_buttonsModel = nullptr, *m_overridesModel = nullptr;
};

} // namespace vorlix
