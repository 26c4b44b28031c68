// Step 10 from its tool buttons: the builders fill the grid, the
// multi-record editor and the column chooser work on the grid, and a
// settings file whose widths hid every title is repaired at start.
#include "common/DataGrid.h"
#include "devices/DevicePage.h"
#include "devices/FieldFormatDialog.h"
#include "devices/FieldSelectDialog.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include "WindowFixture.h"
#include "commands/ReaderCommands.h"
#include "devices/DeviceMessages.h"
#include "project/Schema.h"
#include "sample/SampleJob.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace vorlix::test {
namespace {

class DevicePageTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        seedDefaultProject();
    }
    void openSample()
    {
        start();
        ASSERT_TRUE(m_root.isValid());
        m_paths = sample::writeSampleJob(m_root.path());
        openJob(m_paths.job);
        ASSERT_TRUE(wb->projectOpen);
        sample::configureSampleProject(*wb, m_paths);
        prompter.pushYesNo(true);
        readDdcCommand(*wb, false);
        prompter.asked.clear();
        prompter.informed.clear();
    }
    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    int rows() { return window->devicePage()->grid()->model()->rowCount(); }

    sample::SampleJobPaths m_paths;
    QTemporaryDir m_root;
};

TEST_F(DevicePageTest, BuildersFillTheGrid)
{
    openSample();
    EXPECT_EQ(rows(), 0);
    trigger("tb_AddGlobal");
    EXPECT_EQ(prompter.informed, QStringList{msg::editNetworkNumber()});
    const int gateways = rows();
    EXPECT_GT(gateways, 0);
    trigger("tb_AddDevices");
    EXPECT_GT(rows(), gateways);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->devicePage()->grid()->updatesEnabled());
    prompter.pushText(u"25"_qs);
    trigger("tb_AddWorkstation");
    EXPECT_TRUE(prompter.asked.contains(u"Add Workstation: Device-ID"_qs));
    EXPECT_EQ(prompter.informed.last(), msg::editNetworkNumber());
}

TEST_F(DevicePageTest, MultiRecordEditorWritesTheSelectedRows)
{
    openSample();
    trigger("tb_AddGlobal");
    DevicePage *page = window->devicePage();
    EXPECT_TRUE(page->selectedDevinsts().isEmpty()); // only in multi-selection mode
    page->multiBox()->setChecked(true);
    page->grid()->selectAll();
    const QList<int32_t> selected = page->selectedDevinsts();
    ASSERT_GE(selected.size(), 2);

    bool checked = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<FieldFormatDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->okButton()->isEnabled()); // no column chosen yet
        dialog->findChild<QComboBox *>(u"cb_Field1"_qs)->setCurrentIndex(static_cast<int>(EditTarget::ObjName));
        EXPECT_TRUE(dialog->okButton()->isEnabled());
        EXPECT_FALSE(dialog->findChild<QSpinBox *>(u"se_Num1"_qs)->isEnabled());
        dialog->findChild<QCheckBox *>(u"cb_Apply1"_qs)->setChecked(true);
        EXPECT_TRUE(dialog->findChild<QSpinBox *>(u"se_Num1"_qs)->isEnabled());
        dialog->findChild<QLineEdit *>(u"eb_LeftText"_qs)->setText(u"AHU-"_qs);
        EXPECT_EQ(dialog->findChild<QLabel *>(u"Sample"_qs)->text(), u"1AHU-"_qs);
        // Rep-Job-App needs all three boxes.
        dialog->setTab(FieldFormatDialog::RepJobApp);
        dialog->findChild<QLineEdit *>(u"eb_rep"_qs)->setText(u"acme"_qs);
        dialog->findChild<QLineEdit *>(u"eb_job"_qs)->setText(u"plaza"_qs);
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        dialog->setTab(FieldFormatDialog::DeviceModel);
        EXPECT_FALSE(dialog->findChild<QComboBox *>(u"cb_Field1"_qs)->isEnabled());
        EXPECT_EQ(dialog->findChild<QComboBox *>(u"cb_Field1"_qs)->currentText(), u"DevModel"_qs);
        dialog->setTab(FieldFormatDialog::FormatText);
        checked = true;
        dialog->okButton()->click();
    });
    trigger("tb_MultiRecEdit");
    ASSERT_TRUE(checked);
    QSqlQuery q(wb->pdb.db());
    ASSERT_TRUE(q.exec(u"SELECT objname FROM tblRepJob ORDER BY devinst"_qs));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    EXPECT_EQ(names.value(0), u"1AHU-"_qs);
    EXPECT_EQ(names.value(1), u"2AHU-"_qs);
}

TEST_F(DevicePageTest, ColumnChooserHidesAndResets)
{
    openSample();
    DataGrid *grid = window->devicePage()->grid();
    const int macaddr = static_cast<int>(schema::deviceColumns().indexOf(u"macaddr"_qs));
    grid->setColumnState(0, 200, true);
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<FieldSelectDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fieldList()->count(), 47);
        dialog->fieldList()->item(macaddr)->setCheckState(Qt::Unchecked);
        dialog->accept();
    });
    trigger("tb_FieldDisplay");
    EXPECT_FALSE(grid->columnVisibleOf(macaddr));
    EXPECT_EQ(grid->columnWidthOf(0), 200);
    EXPECT_FALSE(wb->settings.deviceColVisible[macaddr]);

    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<FieldSelectDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setResetSizes(true);
        dialog->accept();
    });
    trigger("tb_FieldDisplay");
    // The reset widths, or the title's width where that is more.
    EXPECT_GE(grid->columnWidthOf(0), 60);
    EXPECT_LT(grid->columnWidthOf(0), 200);
    EXPECT_GE(grid->columnWidthOf(6), 98);
    EXPECT_FALSE(grid->columnVisibleOf(macaddr));
}

TEST_F(DevicePageTest, WidthsThatHidEveryTitleAreRepairedAtStart)
{
    QByteArray twelves;
    for (int i = 0; i < 47; ++i)
        twelves += "12,";
    QFile ini(appDir + u"/vorlix.ini"_qs);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Display]\r\nColWidthDeviceDb=" + twelves + "\r\n");
    ini.close();
    start();
    DataGrid *grid = window->devicePage()->grid();
    const QFontMetrics metrics = grid->horizontalHeader()->fontMetrics();
    const QStringList titles = schema::deviceColumns();
    for (int i = 0; i < 47; ++i) {
        EXPECT_GE(grid->columnWidthOf(i), Settings::deviceResetWidth(i));
        EXPECT_GT(grid->columnWidthOf(i), metrics.horizontalAdvance(titles[i])) << titles[i].toStdString();
    }
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    ini.close();
    EXPECT_FALSE(text.contains(twelves)) << text.toStdString();
    EXPECT_TRUE(text.contains("ColWidthDeviceDb=60,50,60,60,60,60,98,75,")) << text.toStdString();
}

} // namespace
} // namespace vorlix::test
