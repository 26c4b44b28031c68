// The step 2 to 4 commands from their buttons, on the bundled sample job.
#include "tables/CpanelMapPage.h"
#include "tables/CpanelNamesPage.h"
#include "common/DataGrid.h"
#include "tables/IbexPointsPage.h"
#include "shell/ProjectLogPage.h"
#include "sample/SampleJob.h"
#include "shell/StepTabWidget.h"
#include "WindowFixture.h"
#include "project/Messages.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

namespace vorlix::test {
namespace {

class ReaderPagesTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(m_root.isValid());
        m_paths = openSampleJob(m_root.path());
        prompter.asked.clear();
    }
    sample::SampleJobPaths m_paths;

private:
    QTemporaryDir m_root;
};

TEST_F(ReaderPagesTest, ReadButtonsFillTheirGridsInTheBusyFrame)
{
    auto *step2 = window->cpanelMapPage();
    ASSERT_TRUE(step2->readButton()->isEnabled());
    EXPECT_EQ(step2->grid()->model()->rowCount(), 0);

    prompter.pushYesNo(false); // declined: nothing read, nothing logged
    step2->readButton()->click();
    EXPECT_EQ(step2->grid()->model()->rowCount(), 0);
    EXPECT_FALSE(window->logPage()->memo()->toPlainText().contains(u"Scanning Apex DDC files"_qs));

    prompter.pushYesNo(true);
    step2->readButton()->click();
    EXPECT_EQ(prompter.asked.value(1), msg::confirmClearTable());
    EXPECT_GT(step2->grid()->model()->rowCount(), 0);
    const QString log = window->logPage()->memo()->toPlainText();
    EXPECT_TRUE(log.contains(u"]: Scanning Apex DDC files"_qs));
    EXPECT_TRUE(log.contains(u"\tPossible missing file: "_qs)); // the sample's Apex without files
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window->findChild<QProgressBar *>(u"CommandProgress"_qs)->isVisible());
    EXPECT_TRUE(prompter.errors.isEmpty());

    prompter.pushYesNo(true);
    window->ibexPointsPage()->readButton()->click();
    EXPECT_GT(window->ibexPointsPage()->grid()->model()->rowCount(), 0);
    prompter.pushYesNo(true);
    window->cpanelNamesPage()->readButton()->click();
    EXPECT_GT(window->cpanelNamesPage()->grid()->model()->rowCount(), 0);

    // Emptying asks its own question.
    prompter.asked.clear();
    prompter.pushYesNo(true);
    window->ibexPointsPage()->findChild<QPushButton *>(u"btn_EmptyIbexPoints"_qs)->click();
    EXPECT_EQ(prompter.asked, QStringList{msg::confirmEmptyTable()});
    EXPECT_EQ(window->ibexPointsPage()->grid()->model()->rowCount(), 0);
    EXPECT_GT(window->cpanelNamesPage()->grid()->model()->rowCount(), 0);
}

} // namespace
} // namespace vorlix::test
