#include "tables/CpanelNamesPage.h"

#include "common/PageParts.h"

#include <QGridLayout>
#include <QPushButton>

namespace vorlix {

CpanelNamesPage::CpanelNamesPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : TableStepPage(GridTable::CpanelNames, u"Step 4: Control Panel names"_qs,
                    {"dbg_CpanelNames", "cb_FilterCPnames", "cb_AlwaysEdit4", "btn_EmptyCpanelNames"}, wb, runner, parent)
{
    m_read = makeButton(u"Read data CNTPnn.DAT files."_qs, "btn_ReadCpanels", this);
    connect(m_read, &QPushButton::clicked, this,
            [this] { runReader([this](const CommandFrame &f) { return readCpanelsCommand(m_wb, f); }); });
    commands()->addWidget(m_read, 0, 0);
}

} // namespace vorlix
