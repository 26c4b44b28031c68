#include "shell/OptionsDialog.h"

#include "common/SpinEdit.h"
#include "ui_OptionsDialog.h"
#include "project/Messages.h"
#include "project/Workbench.h"
#include "util/TextUtil.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QSqlRecord>
#include <QSqlTableModel>

namespace vorlix {

namespace {
// The radio buttons' ids are the stored option values, in the order shown.
void numberButtons(QButtonGroup *group, std::initializer_list<QAbstractButton *> buttons)
{
    int id = 0;
    for (QAbstractButton *b : buttons)
        group->setId(b, id++);
}

void checkRadio(QButtonGroup *group, int index)
{
    if (QAbstractButton *b = group->button(index))
        b->setChecked(true);
    else if (QAbstractButton *first = group->button(0))
        first->setChecked(true);
}
} // namespace

OptionsDialog::OptionsDialog(Workbench &wb, QWidget *parent)
    : QDialog(parent), m_wb(wb), m_ui(std::make_unique<Ui::OptionsDialog>())
{
    m_ui->setupUi(this);
    numberButtons(m_ui->rg_copyfont, {m_ui->rb_CopyFontName, m_ui->rb_CopyFontStyleOnly});
    numberButtons(m_ui->rg_ObjColors, {m_ui->rb_ColorsUnchanged, m_ui->rb_ColorsIbexForeground,
                                       m_ui->rb_ColorsBlack, m_ui->rb_ColorsWhite});

    for (QLabel *note : {m_ui->lbl_RedirectNote, m_ui->lbl_SubcallerNote, m_ui->lbl_OverridesNote})
        note->setText(msg::immediateTableNote());
    for (QLabel *note : {m_ui->lbl_SubcallerMore, m_ui->lbl_OverridesMore})
        note->setText(msg::extendedTableNote());
    showTable(m_ui->DisplayMapGrid, u"DisplayMap"_qs, {});
    showTable(m_ui->ButtonsGrid, u"Buttons"_qs,
              {u"Display"_qs, u"LocalJob"_qs, u"Apex"_qs, u"SubStart"_qs, u"SubEnd"_qs});
    showTable(m_ui->OverridesGrid, u"Overrides"_qs,
              {u"Display"_qs, u"LocalJob"_qs, u"Object"_qs, u"IsPoint"_qs, u"Ibex Data"_qs, u"Override"_qs});

    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->sb_BtPath, &QToolButton::clicked, this, &OptionsDialog::browseBactalkFolder);
    connect(m_ui->eb_PlaceHolder, &QLineEdit::textChanged, this, &OptionsDialog::clearError);
    connect(m_ui->eb_CPstatusBV, &QLineEdit::textChanged, this, &OptionsDialog::clearError);
    connect(m_ui->cb_copyunits, &QCheckBox::toggled, m_ui->cb_padunits, &QWidget::setEnabled);
    clearError();
}

OptionsDialog::~OptionsDialog() = default;

QTabWidget *OptionsDialog::pages() const { return m_ui->pages; }

QPushButton *OptionsDialog::okButton() const { return m_ui->buttons->button(QDialogButtonBox::Ok); }

void OptionsDialog::showTable(QTableView *view, const QString &table, const QStringList &fields)
{
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    if (!m_wb.pdb.isOpen())
        return;
    auto *model = new QSqlTableModel(this, m_wb.pdb.db());
    model->setEditStrategy(QSqlTableModel::OnFieldChange);
    model->setTable(table);
    if (model->record().isEmpty())
        return;
    model->select();
    while (model->canFetchMore())
        model->fetchMore();
    view->setModel(model);
    if (!fields.isEmpty())
        for (int c = 0; c < model->columnCount(); ++c)
            view->setColumnHidden(c, !fields.contains(model->record().fieldName(c), Qt::CaseInsensitive));
}

bool OptionsDialog::pageShown(const QString &title) const
{
    const QTabWidget *tabs = m_ui->pages;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == title)
            return tabs->isTabVisible(i);
    return false;
}

void OptionsDialog::setup(bool isDefault)
{
    const bool extended = m_wb.pdb.extendedTablesAvailable() && !isDefault;
    QTabWidget *tabs = m_ui->pages;
    tabs->setTabVisible(tabs->indexOf(m_ui->subcallerPage), extended);
    tabs->setTabVisible(tabs->indexOf(m_ui->overridesPage), extended);

    const ProjectVariables &v = m_wb.vars;
    Ui::OptionsDialog &ui = *m_ui;
    ui.eb_BtPath->setText(QDir::toNativeSeparators(v.bactalkJobPath));
    ui.se_JobDispNum->setValue(v.jobDispNum);
    ui.se_JobCCPDnum->setValue(v.jobCCPDNum);
    ui.se_JobCTXDnum->setValue(v.jobCTXDNum);
    ui.se_LclDispNum->setValue(v.localJobDispNum);
    ui.se_LclCCPDnum->setValue(v.localJobCCPDNum);
    ui.se_LclCTXDnum->setValue(v.localJobCTXDNum);
    ui.cb_copyunits->setChecked(v.copyUnits);
    ui.cb_padunits->setChecked(v.padUnits);
    ui.cb_padunits->setEnabled(v.copyUnits);
    ui.cb_MapStateText->setChecked(v.mapStateText);
    ui.cb_MsetToBtn->setChecked(v.mapMSetGraphicToBtn);
    ui.cb_setreadonly->setChecked(v.setReadonly);
    ui.eb_PlaceHolder->setText(v.cpanelPlaceHolder);
    ui.cb_AddRelDef->setChecked(v.addRelDefToBO);
    ui.cb_MapPlaceHolder->setChecked(v.convertZonePts);
    ui.cb_CpDesc->setChecked(v.convertCpName);
    ui.cb_CpStatus->setChecked(v.convertCpStatus);
    ui.eb_CPstatusBV->setText(v.cpanelStatusBV);
    ui.cb_ObjAsText->setChecked(v.showZoneObjAsText);
    checkRadio(ui.rg_copyfont, v.copyFont);
    checkRadio(ui.rg_ObjColors, v.copyColors);
    ui.cb_LockSubcallerMap->setChecked(v.lockSubcallerMap);
    clearError();
}

void OptionsDialog::endSetup()
{
    ProjectVariables &v = m_wb.vars;
    const Ui::OptionsDialog &ui = *m_ui;
    v.bactalkJobPath = ui.eb_BtPath->text().trimmed();
    v.jobDispNum = static_cast<uint16_t>(ui.se_JobDispNum->value());
    v.jobCCPDNum = static_cast<uint16_t>(ui.se_JobCCPDnum->value());
    v.jobCTXDNum = static_cast<uint16_t>(ui.se_JobCTXDnum->value());
    v.localJobDispNum = static_cast<uint16_t>(ui.se_LclDispNum->value());
    v.localJobCCPDNum = static_cast<uint16_t>(ui.se_LclCCPDnum->value());
    v.localJobCTXDNum = static_cast<uint16_t>(ui.se_LclCTXDnum->value());
    v.copyUnits = ui.cb_copyunits->isChecked();
    v.padUnits = ui.cb_padunits->isChecked();
    v.mapStateText = ui.cb_MapStateText->isChecked();
    v.mapMSetGraphicToBtn = ui.cb_MsetToBtn->isChecked();
    v.setReadonly = ui.cb_setreadonly->isChecked();
    v.cpanelPlaceHolder = ui.eb_PlaceHolder->text();
    v.addRelDefToBO = ui.cb_AddRelDef->isChecked();
    v.convertZonePts = ui.cb_MapPlaceHolder->isChecked();
    v.convertCpName = ui.cb_CpDesc->isChecked();
    v.convertCpStatus = ui.cb_CpStatus->isChecked();
    v.cpanelStatusBV = ui.eb_CPstatusBV->text();
    v.showZoneObjAsText = ui.cb_ObjAsText->isChecked();
    v.copyFont = static_cast<uint16_t>(qMax(0, ui.rg_copyfont->checkedId()));
    v.copyColors = static_cast<uint16_t>(qMax(0, ui.rg_ObjColors->checkedId()));
    v.lockSubcallerMap = ui.cb_LockSubcallerMap->isChecked();
    m_wb.saveProjectVariables(); // removes a trailing separator, writes, updates the status bar
}

void OptionsDialog::clearError()
{
    bool allValid = true;
    for (QLineEdit *edit : {m_ui->eb_PlaceHolder, m_ui->eb_CPstatusBV}) {
        const bool inError = edit->text().isEmpty() || !validPointText(edit->text());
        QPalette p = edit->palette();
        p.setColor(QPalette::Text, inError ? QColor(Qt::red) : palette().color(QPalette::Text));
        edit->setPalette(p);
        edit->setProperty("inError", inError);
        allValid = allValid && !inError;
    }
    if (QPushButton *ok = okButton())
        ok->setEnabled(allValid);
}

void OptionsDialog::explainFirstOpen() { m_ui->lbl_FirstOpen->setVisible(true); }

void OptionsDialog::browseBactalkFolder()
{
    // A new BACtalk job may have no BACtalk.mdb yet: "..." chooses the folder.
    const QString typed = QDir::fromNativeSeparators(m_ui->eb_BtPath->text().trimmed());
    QString start = typed;
    if (typed.isEmpty() || !QFileInfo(typed).isDir())
        start = QFileInfo(QDir::fromNativeSeparators(m_wb.settings.bactalkProject)).absolutePath();
    const auto folder = m_wb.prompter.chooseFolder(u"Select the BACtalk job root folder"_qs, start);
    if (!folder)
        return;
    QString chosen = QDir::fromNativeSeparators(*folder);
    // A file named instead (the job's database) stands for its folder.
    if (QFileInfo(chosen).isFile())
        chosen = QFileInfo(chosen).absolutePath();
    // The job's database, when the folder has one, is remembered as before.
    const QStringList databases = QDir(chosen).entryList({u"BACtalk.mdb"_qs}, QDir::Files);
    if (!databases.isEmpty())
        m_wb.settings.bactalkProject = QDir::toNativeSeparators(QDir(chosen).filePath(databases.first()));
    m_ui->eb_BtPath->setText(QDir::toNativeSeparators(QDir::cleanPath(chosen)) + QDir::separator());
}

QString OptionsDialog::bactalkFolderProblem() const
{
    QString path = QDir::fromNativeSeparators(m_ui->eb_BtPath->text().trimmed());
    if (path.isEmpty())
        return u"The BACtalk job root folder is empty: displays, DDC scripts and Tux DDC files cannot be written "
               "until it is set."_qs;
    if (!QFileInfo(path).isDir())
        return QStringLiteral("The BACtalk job root folder \"%1\" does not exist: displays, DDC scripts and Tux DDC "
                              "files cannot be written there.")
            .arg(QDir::toNativeSeparators(QDir::cleanPath(path)));
    return {};
}

void OptionsDialog::accept()
{
    if (m_wb.projectOpen) {
        const QString problem = bactalkFolderProblem();
        if (!problem.isEmpty() && !m_wb.prompter.warn(problem + u"\nKeep these options anyway?"_qs))
            return;
    }
    QDialog::accept();
}

} // namespace vorlix
