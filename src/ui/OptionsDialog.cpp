#include "OptionsDialog.h"

#include "SpinEdit.h"
#include "project/Messages.h"
#include "util/TextUtil.h"
#include "project/Workbench.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlix {

namespace {
QCheckBox *check(const QString &caption, const char *name, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

SpinEdit *numbering(const char *name, QWidget *parent)
{
    auto *s = new SpinEdit(0, 9999, parent);
    s->setObjectName(QLatin1String(name));
    s->setMaxLength(4);
    return s;
}

QButtonGroup *radios(const QStringList &captions, const char *name, QGroupBox *box)
{
    auto *group = new QButtonGroup(box);
    group->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *r = new QRadioButton(captions[i], box);
        group->addButton(r, i);
        layout->addWidget(r);
    }
    return group;
}

void checkRadio(QButtonGroup *group, int index)
{
    if (QAbstractButton *b = group->button(index))
        b->setChecked(true);
    else if (QAbstractButton *first = group->button(0))
        first->setChecked(true);
}
} // namespace

OptionsDialog::OptionsDialog(Workbench &wb, QWidget *parent) : QDialog(parent), m_wb(wb)
{
    setObjectName(u"TfrmOptions"_qs);
    setWindowTitle(u"Options"_qs);
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);
    m_pages->addTab(generalPage(), u"General Settings"_qs);
    m_redirectPage = tablePage(u"Redirection and Skip List"_qs, u"DisplayMap"_qs, {}, false, m_redirectModel);
    m_pages->addTab(m_redirectPage, u"Redirection List"_qs);
    m_subcallerPage = tablePage(u"Template to Subcaller Map"_qs, u"Buttons"_qs,
                                {u"Display"_qs, u"LocalJob"_qs, u"Apex"_qs, u"SubStart"_qs, u"SubEnd"_qs}, true,
                                m_buttonsModel);
    auto *lockBox = m_subcallerPage->findChild<QVBoxLayout *>(u"pageLayout"_qs);
    cb_LockSubcallerMap = check(u"Do not update this table when refreshing display explorer tree"_qs,
                                "cb_LockSubcallerMap", m_subcallerPage);
    if (lockBox)
        lockBox->addWidget(cb_LockSubcallerMap);
    m_pages->addTab(m_subcallerPage, u"Subcaller Map"_qs);
    m_overridesPage = tablePage(u"Point and Text Overrides"_qs, u"Overrides"_qs,
                                {u"Display"_qs, u"LocalJob"_qs, u"Object"_qs, u"IsPoint"_qs, u"Ibex Data"_qs,
                                 u"Override"_qs},
                                true, m_overridesModel);
    m_pages->addTab(m_overridesPage, u"User Overrides"_qs);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(eb_PlaceHolder, &QLineEdit::textChanged, this, &OptionsDialog::clearError);
    connect(eb_CPstatusBV, &QLineEdit::textChanged, this, &OptionsDialog::clearError);
    connect(cb_copyunits, &QCheckBox::toggled, cb_padunits, &QWidget::setEnabled);
    clearError();
}

OptionsDialog::~OptionsDialog() = default;

QPushButton *OptionsDialog::okButton() const { return m_buttons->button(QDialogButtonBox::Ok); }

QWidget *OptionsDialog::generalPage()
{
    auto *page = new QWidget(this);
    auto *grid = new QGridLayout(page);

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(u"BACtalk job root folder"_qs, page));
    eb_BtPath = new QLineEdit(page);
    eb_BtPath->setObjectName(u"eb_BtPath"_qs);
    pathRow->addWidget(eb_BtPath, 1);
    auto *browse = new QToolButton(page);
    browse->setObjectName(u"SpeedButton1"_qs);
    browse->setText(u"..."_qs);
    browse->setToolTip(u"Find the BACtalk job by its BACtalk.mdb"_qs);
    connect(browse, &QToolButton::clicked, this, &OptionsDialog::browseBactalkFolder);
    pathRow->addWidget(browse);
    grid->addLayout(pathRow, 0, 0, 1, 2);

    auto numberingBox = [&](const QString &title, SpinEdit *&disp, SpinEdit *&ccpd, SpinEdit *&ctxd,
                            const char *n1, const char *n2, const char *n3) {
        auto *box = new QGroupBox(title, page);
        auto *form = new QFormLayout(box);
        disp = numbering(n1, box);
        ccpd = numbering(n2, box);
        ctxd = numbering(n3, box);
        form->addRow(u"DISP = "_qs, disp);
        form->addRow(u"CCPD = "_qs, ccpd);
        form->addRow(u"CTXD = "_qs, ctxd);
        return box;
    };
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(numberingBox(u"Job Folder display numbering"_qs, se_JobDispNum, se_JobCCPDnum, se_JobCTXDnum,
                                    "se_JobDispNum", "se_JobCCPDnum", "se_JobCTXDnum"));
    numbers->addWidget(numberingBox(u"LocalJob display numbering"_qs, se_LclDispNum, se_LclCCPDnum, se_LclCTXDnum,
                                    "se_LclDispNum", "se_LclCCPDnum", "se_LclCTXDnum"));
    grid->addLayout(numbers, 1, 0);

    auto *fontBox = new QGroupBox(u"Font Properties"_qs, page);
    rg_copyfont = radios({u"Copy Font name, pitch, and style attributes"_qs,
                          u"Copy only pitch and style attributes (use EFB standard font)"_qs},
                         "rg_copyfont", fontBox);
    grid->addWidget(fontBox, 1, 1);

    auto *copyBox = new QGroupBox(u"Display Object copy options"_qs, page);
    auto *copyLayout = new QVBoxLayout(copyBox);
    cb_copyunits = check(u"Copy the Ibex prompted and readonly analog \"units\" text"_qs, "cb_copyunits", copyBox);
    cb_padunits = check(u"Separate data and \"units\" text with a space character."_qs, "cb_padunits", copyBox);
    cb_MapStateText = check(u"Use BACtalk Active/Inactive for Ibex On/Off"_qs, "cb_MapStateText", copyBox);
    cb_MsetToBtn = check(u"Translate Microset-Graphic to template button"_qs, "cb_MsetToBtn", copyBox);
    cb_setreadonly = check(u"Set all BACtalk graphics as \"readonly\""_qs, "cb_setreadonly", copyBox);
    for (QCheckBox *c : {cb_copyunits, cb_padunits, cb_MapStateText, cb_MsetToBtn, cb_setreadonly})
        copyLayout->addWidget(c);
    cb_padunits->setContentsMargins(18, 0, 0, 0);
    grid->addWidget(copyBox, 2, 0);

    auto *colourBox = new QGroupBox(u"Object Color Conversions"_qs, page);
    rg_ObjColors = radios({u"Do nothing"_qs, u"Use Ibex Frgrnd color for Active,Inactive and NULL colors."_qs,
                           u"Use Black for Active,Inactive and NULL colors."_qs,
                           u"Use White for Active,Inactive and NULL colors."_qs},
                          "rg_ObjColors", colourBox);
    grid->addWidget(colourBox, 2, 1);

    auto *pointBox = new QGroupBox(u"Ibex Point Conversions"_qs, page);
    auto *pointLayout = new QVBoxLayout(pointBox);
    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(new QLabel(u"Placeholder Point"_qs, pointBox));
    eb_PlaceHolder = new QLineEdit(pointBox);
    eb_PlaceHolder->setObjectName(u"eb_PlaceHolder"_qs);
    placeRow->addWidget(eb_PlaceHolder, 1);
    pointLayout->addLayout(placeRow);
    cb_AddRelDef = check(u"Always add P104 (rel-default) to BO objects."_qs, "cb_AddRelDef", pointBox);
    cb_MapPlaceHolder = check(u"Flag graphic objects by increasing size (white border)."_qs, "cb_MapPlaceHolder",
                              pointBox);
    pointLayout->addWidget(cb_AddRelDef);
    pointLayout->addWidget(cb_MapPlaceHolder);
    grid->addWidget(pointBox, 3, 0);

    auto *cpBox = new QGroupBox(u"Ibex Control Panel Conversions"_qs, page);
    auto *cpLayout = new QVBoxLayout(cpBox);
    cb_CpDesc = check(u"Convert CPanel-Descriptions to a BACtalk Device-description."_qs, "cb_CpDesc", cpBox);
    cb_CpStatus = check(u"Convert CPanel-Status point to BACtalk \"Current Device\"  point:"_qs, "cb_CpStatus", cpBox);
    eb_CPstatusBV = new QLineEdit(cpBox);
    eb_CPstatusBV->setObjectName(u"eb_CPstatusBV"_qs);
    cb_ObjAsText = check(u"Convert remaining objects to EFB text objects placeholders."_qs, "cb_ObjAsText", cpBox);
    cpLayout->addWidget(cb_CpDesc);
    cpLayout->addWidget(cb_CpStatus);
    auto *bvRow = new QHBoxLayout;
    bvRow->addSpacing(18);
    bvRow->addWidget(eb_CPstatusBV, 1);
    cpLayout->addLayout(bvRow);
    cpLayout->addWidget(cb_ObjAsText);
    grid->addWidget(cpBox, 3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget *OptionsDialog::tablePage(const QString &label, const QString &table, const QStringList &fields,
                                  bool extendedNote, QSqlTableModel *&model)
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setObjectName(u"pageLayout"_qs);
    auto *title = new QLabel(label, page);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto *view = new QTableView(page);
    view->setObjectName(table + u"Grid"_qs);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    layout->addWidget(view, 1);
    auto *note = new QLabel(msg::immediateTableNote(), page);
    note->setWordWrap(true);
    layout->addWidget(note);
    if (extendedNote) {
        auto *more = new QLabel(msg::extendedTableNote(), page);
        more->setWordWrap(true);
        layout->addWidget(more);
    }
    if (m_wb.pdb.isOpen()) {
        model = new QSqlTableModel(this, m_wb.pdb.db());
        model->setEditStrategy(QSqlTableModel::OnFieldChange);
        model->setTable(table);
        if (!model->record().isEmpty()) {
            model->select();
            while (model->canFetchMore())
                model->fetchMore();
            view->setModel(model);
            if (!fields.isEmpty())
                for (int c = 0; c < model->columnCount(); ++c)
                    view->setColumnHidden(c, !fields.contains(model->record().fieldName(c), Qt::CaseInsensitive));
        }
    }
    return page;
}

bool OptionsDialog::pageShown(const QString &title) const
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->tabText(i) == title)
            return m_pages->isTabVisible(i);
    return false;
}

void OptionsDialog::setup(bool isDefault)
{
    const bool extended = m_wb.pdb.extendedTablesAvailable() && !isDefault;
    m_pages->setTabVisible(m_pages->indexOf(m_subcallerPage), extended);
    m_pages->setTabVisible(m_pages->indexOf(m_overridesPage), extended);

    const ProjectVariables &v = m_wb.vars;
    eb_BtPath->setText(QDir::toNativeSeparators(v.bactalkJobPath));
    se_JobDispNum->setValue(v.jobDispNum);
    se_JobCCPDnum->setValue(v.jobCCPDNum);
    se_JobCTXDnum->setValue(v.jobCTXDNum);
    se_LclDispNum->setValue(v.localJobDispNum);
    se_LclCCPDnum->setValue(v.localJobCCPDNum);
    se_LclCTXDnum->setValue(v.localJobCTXDNum);
    cb_copyunits->setChecked(v.copyUnits);
    cb_padunits->setChecked(v.padUnits);
    cb_padunits->setEnabled(v.copyUnits);
    cb_MapStateText->setChecked(v.mapStateText);
    cb_MsetToBtn->setChecked(v.mapMSetGraphicToBtn);
    cb_setreadonly->setChecked(v.setReadonly);
    eb_PlaceHolder->setText(v.cpanelPlaceHolder);
    cb_AddRelDef->setChecked(v.addRelDefToBO);
    cb_MapPlaceHolder->setChecked(v.convertZonePts);
    cb_CpDesc->setChecked(v.convertCpName);
    cb_CpStatus->setChecked(v.convertCpStatus);
    eb_CPstatusBV->setText(v.cpanelStatusBV);
    cb_ObjAsText->setChecked(v.showZoneObjAsText);
    checkRadio(rg_copyfont, v.copyFont);
    checkRadio(rg_ObjColors, v.copyColors);
    cb_LockSubcallerMap->setChecked(v.lockSubcallerMap);
    clearError();
}

void OptionsDialog::endSetup()
{
    ProjectVariables &v = m_wb.vars;
    v.bactalkJobPath = eb_BtPath->text().trimmed();
    v.jobDispNum = static_cast<uint16_t>(se_JobDispNum->value());
    v.jobCCPDNum = static_cast<uint16_t>(se_JobCCPDnum->value());
    v.jobCTXDNum = static_cast<uint16_t>(se_JobCTXDnum->value());
    v.localJobDispNum = static_cast<uint16_t>(se_LclDispNum->value());
    v.localJobCCPDNum = static_cast<uint16_t>(se_LclCCPDnum->value());
    v.localJobCTXDNum = static_cast<uint16_t>(se_LclCTXDnum->value());
    v.copyUnits = cb_copyunits->isChecked();
    v.padUnits = cb_padunits->isChecked();
    v.mapStateText = cb_MapStateText->isChecked();
    v.mapMSetGraphicToBtn = cb_MsetToBtn->isChecked();
    v.setReadonly = cb_setreadonly->isChecked();
    v.cpanelPlaceHolder = eb_PlaceHolder->text();
    v.addRelDefToBO = cb_AddRelDef->isChecked();
    v.convertZonePts = cb_MapPlaceHolder->isChecked();
    v.convertCpName = cb_CpDesc->isChecked();
    v.convertCpStatus = cb_CpStatus->isChecked();
    v.cpanelStatusBV = eb_CPstatusBV->text();
    v.showZoneObjAsText = cb_ObjAsText->isChecked();
    v.copyFont = static_cast<uint16_t>(qMax(0, rg_copyfont->checkedId()));
    v.copyColors = static_cast<uint16_t>(qMax(0, rg_ObjColors->checkedId()));
    v.lockSubcallerMap = cb_LockSubcallerMap->isChecked();
    m_wb.saveProjectVariables(); // removes a trailing separator, writes, updates the status bar
}

void OptionsDialog::clearError()
{
    bool allValid = true;
    for (QLineEdit *edit : {eb_PlaceHolder, eb_CPstatusBV}) {
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

void OptionsDialog::browseBactalkFolder()
{
    const auto file = m_wb.prompter.chooseOpenFile(u"Select the BACtalk job database"_qs,
                                                   msg::bactalkDatabaseFilter(), m_wb.settings.bactalkProject);
    if (!file)
        return;
    m_wb.settings.bactalkProject = QDir::toNativeSeparators(*file);
    eb_BtPath->setText(QDir::toNativeSeparators(QFileInfo(QDir::fromNativeSeparators(*file)).absolutePath()) +
                       QDir::separator());
}

} // namespace vorlix
