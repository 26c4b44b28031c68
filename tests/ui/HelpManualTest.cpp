// Help > User Manual shows the manual that ships beside the program in the
// help window, and says where it looked when there is none.
#include "shell/HelpDialog.h"
#include "WindowFixture.h"
#include "project/Messages.h"

#include <QAction>
#include <QLabel>
#include <QTextBrowser>

namespace vorlix::test {
namespace {

class HelpManualTest : public WindowFixture {};

TEST_F(HelpManualTest, UserManualShowsTheShippedManual)
{
    // The build copies the manual beside the executables, where the test runs.
    ASSERT_TRUE(QFileInfo::exists(QDir(QStringLiteral(VORLIX_BIN_DIR)).filePath(msg::manualTextFile())));
    start();
    QString shown, where;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<HelpDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        auto *browser = dialog->findChild<QTextBrowser *>(u"tb_Manual"_qs);
        auto *path = dialog->findChild<QLabel *>(u"lbl_Path"_qs);
        ASSERT_TRUE(browser && path);
        shown = browser->toPlainText();
        where = path->text();
        dialog->reject();
    });
    child<QAction>("actUserManual")->trigger();
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'\n').toStdString();
    EXPECT_TRUE(where.endsWith(msg::manualTextFile())) << where.toStdString();
    // Rendered from Markdown: headings and tables as text, no markup left.
    EXPECT_TRUE(shown.startsWith(u"Vorlix User Manual"_qs)) << shown.left(80).toStdString();
    for (const char *part : {"Step 1: Apex to BACnet mapping", "Step 10: Devices", "Converting a whole job",
                             "The command line", "Where files go", "Troubleshooting"})
        EXPECT_TRUE(shown.contains(QLatin1String(part))) << part;
    EXPECT_FALSE(shown.contains(u"## "_qs));
}

TEST_F(HelpManualTest, AnUnreadableManualIsReportedByName)
{
    HelpDialog dialog;
    QString error;
    const QString missing = QDir(appDir).filePath(msg::manualTextFile());
    EXPECT_FALSE(dialog.showManual(missing, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(missing)) || error.contains(missing)) << error.toStdString();
}

} // namespace
} // namespace vorlix::test
