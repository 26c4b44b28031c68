#include "tables/CpanelMapPage.h"

#include "common/PageParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>

namespace vorlix {

CpanelMapPage::CpanelMapPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : TableStepPage(GridTable::CpanelMap, u"Step 2: Subroutines and Control Panel References"_qs,
                    {"dbg_CpanelMap", "cb_FilterCP", "cb_AlwaysEdit2", "btn_EmptyCpanelMap"}, wb, runner, parent)
{
    m_read = makeButton(u"Read data from APEXnn.adc files."_qs, "btn_ReadDdc", this);
    connect(m_read, &QPushButton::clicked, this, [this] {
        runReader([this](const CommandFrame &f) { return readDdcCommand(m_wb, m_lostTux->isChecked(), f); });
    });
    m_lostTux = makeCheckBox(u"Add Tux with no Cpanel Reference"_qs, "cb_LostTux", this);
    commands()->addWidget(m_read, 0, 0);
    commands()->addWidget(m_lostTux, 0, 1);
}

} // namespace vorlix
