#include "shell/MainWindow.h"

#include "shell/AboutDialog.h"
#include "tables/ApexMapPage.h"
#include "common/CommandRunner.h"
#include "tables/CpanelMapPage.h"
#include "tables/CpanelNamesPage.h"
#include "tables/DdcFilesPage.h"
#include "shell/JobConverter.h"
#include "devices/DevicePage.h"
#include "inventory/DisplayScanPage.h"
#include "shell/HelpDialog.h"
#include "tables/IbexPointsPage.h"
#include "inventory/InventoryTreeModel.h"
#include "shell/OptionsDialog.h"
#include "shell/ProgramOptionsDialog.h"
#include "shell/ProjectLogPage.h"
#include "shell/StepTabWidget.h"
#include "inventory/RedirectView.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationPage.h"
#include "shell/VisualStyle.h"
#include "commands/OpenCommands.h"
#include "project/Messages.h"
#include "project/UserManual.h"
#include "project/Workbench.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

namespace vorlix {

MainWindow::MainWindow(Workbench &wb, QWidget *parent) : QMainWindow(parent), m_wb(wb)
{
    setObjectName(u"TMainForm"_qs);
    setWindowTitle(u" Vorlix"_qs);

    // Start-up: folders, settings, the default project's log.
    m_wb.startUp();

    buildStatusBar();
    m_runner = new CommandRunner(wb, m_progress, this);
    m_runner->setWindow(this);
    connect(m_runner, &CommandRunner::told, this, &MainWindow::showResult);
    m_converter = new JobConverter(wb, *m_runner, statusBar(), this);
    buildMenus();

    m_tabs = new StepTabWidget(this);
    m_tabs->setObjectName(u"stepTabs"_qs);
    m_apexMap = new ApexMapPage(wb, *m_runner, m_tabs);
    m_cpanelMap = new CpanelMapPage(wb, *m_runner, m_tabs);
    m_ibexPoints = new IbexPointsPage(wb, *m_runner, m_tabs);
    m_cpanelNames = new CpanelNamesPage(wb, *m_runner, m_tabs);
    m_displayScan = new DisplayScanPage(wb, *m_runner, m_tabs);
    m_translation = new TranslationPage(wb, *m_runner, m_tabs);
    m_ddcFiles = new DdcFilesPage(wb, *m_runner, m_tabs);
    m_devices = new DevicePage(wb, *m_runner, m_tabs);
    m_log = new ProjectLogPage(wb, *m_runner, m_tabs);
    m_tabs->addTab(m_apexMap, u"Apex to BACnet Map"_qs);
    m_tabs->addTab(m_cpanelMap, u"Subroutines && Control Panels"_qs);
    m_tabs->addTab(m_ibexPoints, u"Ibex Point Files"_qs);
    m_tabs->addTab(m_cpanelNames, u"Ibex DAT Files"_qs);
    m_tabs->addTab(m_displayScan, u"Display File Scan | Redirection"_qs);
    m_tabs->addTab(m_translation, u"Display File Translation-Grid"_qs);
    m_tabs->addTab(m_ddcFiles, u"DDC Drawings and Files"_qs);
    m_tabs->addTab(m_devices, u"EFB Database"_qs);
    m_tabs->addTab(m_log, u"Project Log"_qs);
    m_pages = {m_apexMap, m_cpanelMap, m_ibexPoints, m_cpanelNames, m_displayScan,
               m_translation, m_ddcFiles, m_devices, m_log};
    setCentralWidget(m_tabs);
    connect(m_tabs, &StepTabWidget::currentChanged, this, &MainWindow::discardPendingGridEdits);

    connect(m_displayScan, &DisplayScanPage::inventoryChanged, m_translation, &TranslationPage::refreshDisplayTree);
    connect(m_displayScan, &DisplayScanPage::inventoryFlagsChanged, m_translation->displayTreeModel(),
            &InventoryTreeModel::refreshColours);
    connect(m_translation, &TranslationPage::refreshDisplayListRequested, m_displayScan,
            &DisplayScanPage::buildFileList);
    connect(&m_wb, &Workbench::statusChanged, this, &MainWindow::showStatus);
    connect(&m_wb, &Workbench::deviceListsChanged, m_ddcFiles, &DdcFilesPage::showDeviceList);
    connect(&m_wb, &Workbench::deviceListsChanged, m_ibexPoints, &IbexPointsPage::showDeviceList);
    showStatus();

    // Minimum client size 850 x 520, initial size 1012 x 731, centred.
    setMinimumSize(850, 520 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    resize(1012, 731);
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    updateOptionsMenu();
}

MainWindow::~MainWindow() { detachPages(); }

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(u"&File"_qs);
    file->setObjectName(u"menuFile"_qs);
    auto add = [this](QMenu *menu, const QString &caption, const char *name, auto handler) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    add(file, u"Open or create new project"_qs, "actOpenProject", [this] { openProject(); });
    add(file, u"Open last project"_qs, "actOpenLastProject", [this] { openLastProject(); });
    add(file, u"Close project"_qs, "actCloseProject", [this] { closeProject(); });
    file->addSeparator();
    add(file, u"Convert whole job..."_qs, "actConvertJob", [this] { convertWholeJob(); });
    file->addSeparator();
    add(file, u"Exit"_qs, "actExit", [this] { exitProgram(); });

    m_optionsMenu = menuBar()->addMenu(u"&Options"_qs);
    m_optionsMenu->setObjectName(u"menuOptions"_qs);
    connect(m_optionsMenu, &QMenu::aboutToShow, this, &MainWindow::updateOptionsMenu);
    m_defaultProject = add(m_optionsMenu, u"Default project"_qs, "actDefaultProject", [this] { showProjectOptions(true); });
    m_currentProject = add(m_optionsMenu, u"Current project"_qs, "actCurrentProject", [this] { showProjectOptions(false); });
    m_optionsMenu->addSeparator();
    add(m_optionsMenu, u"Vorlix Setup"_qs, "actProgramOptions", [this] { showProgramOptions(); });

    QMenu *help = menuBar()->addMenu(u"&Help"_qs);
    help->setObjectName(u"menuHelp"_qs);
    add(help, u"User Manual"_qs, "actUserManual", [this] { openUserManual(); });
    add(help, u"About"_qs, "actAbout", [this] { showAbout(); });
}

void MainWindow::buildStatusBar()
{
    // Two lines: what the last command did, then the four panels and the
    // progress of the command running.
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(true);
    auto *area = new QWidget(bar);
    auto *lines = new QVBoxLayout(area);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(2);
    m_result = new QLabel(area);
    m_result->setObjectName(u"StatusResult"_qs);
    m_result->setTextFormat(Qt::PlainText);
    m_result->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lines->addWidget(m_result);
    auto *panels = new QHBoxLayout;
    panels->setSpacing(4);
    lines->addLayout(panels);
    const int widths[4] = {300, 300, 200, 80};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(area);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        label->setFixedWidth(widths[i]);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        m_panels[i] = label;
        panels->addWidget(label);
    }
    m_progress = new QProgressBar(area);
    m_progress->setObjectName(u"CommandProgress"_qs);
    m_progress->setMaximumWidth(200);
    m_progress->setTextVisible(true);
    m_progress->hide();
    panels->addWidget(m_progress, 1);
    panels->addStretch();
    bar->addWidget(area, 1);
}

void MainWindow::showResult(const QString &line)
{
    m_result->setText(line.isEmpty() ? QString() : u" "_qs + line);
    m_result->setToolTip(line);
}

void MainWindow::showStatus()
{
    for (int i = 0; i < kStatusPanelCount; ++i) {
        const QString text = m_wb.status(StatusPanel(i));
        m_panels[size_t(i)]->setText(text);
        m_panels[size_t(i)]->setToolTip(text.trimmed());
    }
    showTitle();
}

void MainWindow::showTitle()
{
    QString title = u" Vorlix"_qs;
    if (m_wb.projectOpen)
        title += u" - "_qs + QDir::toNativeSeparators(QDir::cleanPath(m_wb.projectFolder));
    setWindowTitle(title);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        firstShow();
    }
}

void MainWindow::firstShow()
{
    // The string grids' titles are set; their saved widths come next.
    m_translation->transGrid()->applyWidthList(m_wb.settings.colWidthDisp);
    m_displayScan->localJobGrid()->applyWidthList(m_wb.settings.colWidthLocalJobList);
    m_displayScan->jobGrid()->applyWidthList(m_wb.settings.colWidthDisplayList);
    m_runner->guarded([this] { m_wb.connectDefaultProject(); });
    attachPages();
    m_devices->applyColumnSettings();
    // A settings file whose step 10 widths hid every column title is
    // written again at once with the widths now shown.
    if (m_wb.settings.deviceColWidthRepaired)
        m_runner->guarded([this] {
            m_wb.settings.write(m_wb.iniPath());
            m_wb.settings.deviceColWidthRepaired = false;
        });
    m_wb.setStatus(StatusPanel::Source, msg::noProjectLoaded());
    setVisualStyle();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The visual style is applied whenever the window becomes active.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        setVisualStyle();
}

void MainWindow::setVisualStyle() { applyVisualStyle(m_wb.settings.visualStyle); }

void MainWindow::attachPages()
{
    for (StepPage *p : m_pages)
        p->attach();
}

void MainWindow::detachPages()
{
    for (StepPage *p : m_pages)
        p->detach();
}

void MainWindow::relink(const std::function<void()> &change)
{
    m_log->syncToLog();
    detachPages();
    m_runner->guarded(change);
    attachPages();
    updateOptionsMenu();
}

void MainWindow::discardPendingGridEdits(int)
{
    // A change of tab discards the pending edits of the step 1 to 4 grids.
    for (StepPage *p : {static_cast<StepPage *>(m_apexMap), static_cast<StepPage *>(m_cpanelMap),
                        static_cast<StepPage *>(m_ibexPoints), static_cast<StepPage *>(m_cpanelNames)})
        p->cancelPendingEdits();
}

void MainWindow::openProject()
{
    if (m_runner->busy())
        return;
    const auto file = m_wb.prompter.chooseOpenFile(msg::selectIbexJobTitle(), msg::ibexJobFilter(),
                                                   m_wb.settings.ibexProject);
    if (!file)
        return;
    if (!m_wb.canCloseProject())
        return;
    // The question is answered (the grid edits are given up): the core
    // does not ask it again.
    m_wb.gridEdited = false;
    // The open is one step: no events run while it builds the display list,
    // and its question (a new project's options) comes after the list.
    const CommandFrame frame = m_runner->frame(nullptr, CommandRunner::Shown::CursorOnly);
    relink([&] { showNewProjectOptions(openProjectFileCommand(m_wb, QDir::fromNativeSeparators(*file), frame)); });
}

void MainWindow::openLastProject()
{
    if (m_runner->busy())
        return;
    if (!m_wb.canCloseProject())
        return;
    m_wb.gridEdited = false;
    const CommandFrame frame = m_runner->frame(nullptr, CommandRunner::Shown::CursorOnly);
    relink([&] { showNewProjectOptions(openLastProjectCommand(m_wb, frame)); });
}

void MainWindow::showNewProjectOptions(const OpenOutcome &opened)
{
    if (opened.opened)
        m_runner->tell(QStringLiteral("Opened %1: %2 display(s) in the list.")
                           .arg(QDir::toNativeSeparators(QDir::cleanPath(m_wb.projectFolder)))
                           .arg(m_wb.masterList.size()));
    if (opened.newDatabase)
        showProjectOptions(true, true);
}

void MainWindow::closeProject()
{
    if (!m_wb.projectOpen || m_runner->busy())
        return;
    relink([this] { m_wb.closeProject(); });
    if (!m_wb.projectOpen)
        m_runner->tell(u"The project was closed; the default project is shown."_qs);
}

void MainWindow::convertWholeJob()
{
    if (m_runner->busy())
        return;
    const std::optional<ConvertRequest> request = m_converter->ask();
    if (!request)
        return;
    // The grids let the tables go while the stages rebuild them.
    relink([&] { m_converter->run(*request); });
    m_converter->offerReport();
}

void MainWindow::exitProgram()
{
    if (m_runner->busy())
        return;
    if (!m_wb.canCloseProject())
        return;
    closeProject();
    close();
}

void MainWindow::showProjectOptions(bool isDefault, bool firstOpen)
{
    if (m_runner->busy())
        return;
    OptionsDialog dialog(m_wb, this);
    dialog.setup(isDefault);
    if (firstOpen)
        dialog.explainFirstOpen();
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_runner->guarded([&] { dialog.endSetup(); });
    // The grids and trees show the BACtalk files and decisions anew.
    m_displayScan->refreshInventoryViews();
    // The Tux file list shows whether files exist in the BACtalk job.
    m_ddcFiles->attach();
}

void MainWindow::showProgramOptions()
{
    if (m_runner->busy())
        return;
    const int before = m_wb.settings.visualStyle;
    ProgramOptionsDialog dialog(m_wb.settings, this);
    if (dialog.exec() == QDialog::Accepted && m_wb.settings.visualStyle != before) {
        setVisualStyle();
        update();
    }
}

void MainWindow::openUserManual()
{
    // A PDF manual placed in the application folder, else the manual that
    // ships beside the program.
    const UserManual manual = findUserManual({m_wb.appFolder, QCoreApplication::applicationDirPath()});
    if (manual.path.isEmpty()) {
        m_wb.prompter.error(manualNotFoundMessage(manual));
        return;
    }
    QString textPath = manual.path;
    if (manual.pdf) {
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(manual.path)))
            return;
        // No PDF viewer: say where the PDF is and show the Markdown manual
        // that ships beside the program, when it is there.
        const QString where = QStringLiteral("The user manual \"%1\" could not be opened: no viewer was found.")
                                  .arg(QDir::toNativeSeparators(manual.path));
        textPath = findUserManualText({QCoreApplication::applicationDirPath(), QFileInfo(manual.path).absolutePath()});
        if (textPath.isEmpty()) {
            m_wb.prompter.error(where);
            return;
        }
        m_wb.prompter.inform(where + QStringLiteral("\nThe manual is shown from \"%1\" instead.")
                                         .arg(QDir::toNativeSeparators(textPath)));
    }
    HelpDialog dialog(this);
    QString error;
    if (!dialog.showManual(textPath, &error))
        m_wb.prompter.error(error);
    else
        dialog.exec();
}

void MainWindow::showAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::updateOptionsMenu()
{
    m_defaultProject->setEnabled(!m_wb.projectOpen);
    m_currentProject->setEnabled(m_wb.projectOpen);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        saveOnClose();
    }
    event->accept();
}

void MainWindow::saveOnClose()
{
    Settings &s = m_wb.settings;
    s.colWidthDisp = m_translation->transGrid()->widthList();
    s.colWidthLocalJobList = m_displayScan->localJobGrid()->widthList();
    s.colWidthDisplayList = m_displayScan->jobGrid()->widthList();
    m_devices->collectColumnSettings();
    m_log->syncToLog();
    m_runner->guarded([this] { m_wb.shutDown(); });
}

} // namespace vorlix
