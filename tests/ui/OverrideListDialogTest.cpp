// "Project Point Overrides" on the sample job: the point transfers of the
// DDC files listed, and the selected one added as a project-wide override.
#include "WindowFixture.h"

#include "common/TabListBox.h"
#include "translation/OverrideListDialog.h"

#include <QComboBox>
#include <QSqlQuery>
#include <QToolButton>

namespace vorlix::test {
namespace {

class OverrideListDialogTest : public SampleTranslationFixture {};

TEST_F(OverrideListDialogTest, ScansTheTransfersAndAddsTheSelectedOne)
{
    OverrideListDialog dialog(*wb, window->runner(), window.get());
    auto *list = dialog.findChild<TabListBox *>(u"ovrList"_qs);
    auto *add = dialog.findChild<QToolButton *>(u"SpeedButton1"_qs);
    auto *apex = dialog.findChild<QComboBox *>(u"ApexNum"_qs);
    ASSERT_TRUE(list && add && apex);
    EXPECT_FALSE(dialog.addSelected()); // nothing listed yet
    apex->setCurrentIndex(0); // "All"
    dialog.scan();
    const std::vector<PointTransfer> &transfers = dialog.transfers();
    ASSERT_FALSE(transfers.empty());
    ASSERT_EQ(list->count(), int(transfers.size()));
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->text(), transfers[size_t(i)].text());
    EXPECT_FALSE(add->isEnabled());

    // The first one with a BACnet point: stored as it was listed.
    int row = 0;
    while (row < int(transfers.size()) && transfers[size_t(row)].btPoint == u"err"_qs)
        ++row;
    ASSERT_LT(row, int(transfers.size()));
    list->setCurrentRow(row);
    EXPECT_TRUE(add->isEnabled());
    ASSERT_TRUE(dialog.addSelected());
    const PointTransfer &t = transfers[size_t(row)];
    QSqlQuery q(wb->pdb.db());
    q.prepare(u"SELECT BTPoint FROM GlobalOVR WHERE Apex = ? AND IbexPoint = ?"_qs);
    q.addBindValue(t.apex);
    q.addBindValue(t.ibexPoint);
    ASSERT_TRUE(q.exec());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), t.btPoint);
    EXPECT_FALSE(q.next());
}

} // namespace
} // namespace vorlix::test
