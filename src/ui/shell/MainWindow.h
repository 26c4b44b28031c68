#pragma once
// The workbench window: menus, the step tabs and the status bar. It shows
// the Workbench's state and runs its commands; it owns no logic of its own.
#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace vorlix {

class ApexMapPage;
class CommandRunner;
class CpanelMapPage;
class CpanelNamesPage;
class DdcFilesPage;
class DevicePage;
class DisplayScanPage;
class IbexPointsPage;
class JobConverter;
struct OpenOutcome;
class ProjectLogPage;
class StepPage;
class StepTabWidget;
class TranslationPage;
class Workbench;
enum class StatusPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings and the default project's log.
    explicit MainWindow(Workbench &wb, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Menu commands.
    void openProject();
    void openLastProject();
    void closeProject();
    // Converts the whole job with the options the dialog asks for.
    void convertWholeJob();
    void exitProgram();
    // `firstOpen`: shown by itself for a project database made now.
    void showProjectOptions(bool isDefault, bool firstOpen = false);
    void showProgramOptions();
    void openUserManual();
    void showAbout();
    // Opening the Options menu: "Default project" only without a project,
    // "Current project" only with one.
    void updateOptionsMenu();
    void setVisualStyle();

    QAction *defaultProjectAction() const { return m_defaultProject; }
    QAction *currentProjectAction() const { return m_currentProject; }
    QMenu *optionsMenu() const { return m_optionsMenu; }
    StepTabWidget *tabs() const { return m_tabs; }
    QLabel *statusPanel(StatusPanel panel) const { return m_panels[size_t(panel)]; }
    // The line that says what the last command did.
    QLabel *resultLine() const { return m_result; }
    CommandRunner &runner() const { return *m_runner; }
    JobConverter *converter() const { return m_converter; }

    CpanelMapPage *cpanelMapPage() const { return m_cpanelMap; }
    IbexPointsPage *ibexPointsPage() const { return m_ibexPoints; }
    CpanelNamesPage *cpanelNamesPage() const { return m_cpanelNames; }
    DisplayScanPage *displayScanPage() const { return m_displayScan; }
    DdcFilesPage *ddcFilesPage() const { return m_ddcFiles; }
    TranslationPage *translationPage() const { return m_translation; }
    DevicePage *devicePage() const { return m_devices; }
    ProjectLogPage *logPage() const { return m_log; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void firstShow();
    void saveOnClose();
    void discardPendingGridEdits(int index);
    void showStatus();
    void showResult(const QString &line);
    // The title bar names the open job.
    void showTitle();
    // After an open: a project database made now gets its options first.
    void showNewProjectOptions(const OpenOutcome &opened);
    // Lets the grids go, runs a project change, binds them again.
    void relink(const std::function<void()> &change);
    void attachPages();
    void detachPages();

    Workbench &m_wb;
    CommandRunner *m_runner = nullptr;
    JobConverter *m_converter = nullptr;
    StepTabWidget *m_tabs = nullptr;
    QMenu *m_optionsMenu = nullptr;
    QAction *m_defaultProject = nullptr;
    QAction *m_currentProject = nullptr;
    std::array<QLabel *, 4> m_panels{};
    QLabel *m_result = nullptr;
    QProgressBar *m_progress = nullptr;
    bool m_shown = false;
    bool m_closing = false;

    ApexMapPage *m_apexMap;
    CpanelMapPage *m_cpanelMap;
    IbexPointsPage *m_ibexPoints;
    CpanelNamesPage *m_cpanelNames;
    DisplayScanPage *m_displayScan;
    TranslationPage *m_translation;
    DdcFilesPage *m_ddcFiles;
    DevicePage *m_devices;
    ProjectLogPage *m_log;
    QList<StepPage *> m_pages;
};

} // namespace vorlix
