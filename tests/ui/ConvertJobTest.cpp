// "Convert whole job..." from the File menu: the dialog's options reach the
// run, Cancel in the status bar stops a run after the current display (what
// was written is whole, the rest is left out and the report says so) while
// other input is held back, and a second run completes.
#include "shell/ConvertDialog.h"
#include "shell/JobConverter.h"
#include "shell/StepTabWidget.h"
#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>

namespace vorlix::test {
namespace {

class ConvertJobTest : public WindowFixture {
protected:
    // Triggers the menu item; the dialog gets `bactalk` and `replace`.
    void convert(const QString &bactalk, bool replace, bool scannedOnly = false)
    {
        onNextModal([this, bactalk, replace, scannedOnly](QWidget *modal) {
            auto *dialog = qobject_cast<ConvertDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            // Shown with the platform's separators, whichever the stored path has.
            EXPECT_EQ(dialog->bactalkEdit()->text(), QDir::toNativeSeparators(wb->bactalkJobPath()));
            dialog->bactalkEdit()->setText(bactalk);
            dialog->replaceBox()->setChecked(replace);
            dialog->scannedOnlyBox()->setChecked(scannedOnly);
            dialog->okButton()->click();
        });
        prompter.pushYesNo(false); // do not open the report
        child<QAction>("actConvertJob")->trigger();
    }
    static void click(QWidget *w, QPoint at)
    {
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(w, new QMouseEvent(t, at, w->mapToGlobal(at), Qt::LeftButton,
                                                           t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                           Qt::NoModifier));
    }
    // The display files below `folder`, and any file left half-made.
    static QStringList filesIn(const QString &folder)
    {
        QStringList out;
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(folder).relativeFilePath(it.next());
        out.sort();
        return out;
    }
    QTemporaryDir m_root;
};

TEST_F(ConvertJobTest, CancelStopsAfterTheCurrentDisplayAndASecondRunCompletes)
{
    ASSERT_TRUE(m_root.isValid());
    openSampleJob(m_root.path());
    ASSERT_TRUE(wb->projectOpen);
    const QString bactalk = m_root.filePath(u"bt/acme/plaza"_qs);
    JobConverter *converter = window->converter();
    QPushButton *cancel = converter->cancelButton();
    EXPECT_FALSE(cancel->isVisible());

    // After the first display file is made: a click on another tab (held
    // back) and one on Cancel.
    const int tabBefore = window->tabs()->currentIndex();
    const QList<StepTab *> tabButtons = window->tabs()->findChildren<StepTab *>();
    ASSERT_GE(tabButtons.size(), 2);
    StepTab *otherTab = tabButtons[tabBefore == 0 ? 1 : 0];
    bool clicked = false, cancelShown = false;
    QStringList stages;
    converter->stageStarted = [&](const QString &stage) { stages << stage; };
    const QMetaObject::Connection watch = QObject::connect(&wb->log, &SessionLog::lineAppended, [&](const QString &line) {
        if (!clicked && line.contains(u"Create display file: "_qs)) {
            clicked = true;
            cancelShown = cancel->isVisible() && cancel->isEnabled();
            click(otherTab, otherTab->rect().center());
            click(cancel, cancel->rect().center());
        }
    });
    convert(bactalk, true);
    QObject::disconnect(watch);

    ASSERT_TRUE(clicked);
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(window->tabs()->currentIndex(), tabBefore);
    ASSERT_TRUE(converter->lastReport());
    const ConversionReport &cut = *converter->lastReport();
    EXPECT_TRUE(cut.cancelled);
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The stages after the displays were skipped; the report was written.
    EXPECT_TRUE(stages.contains(u"write report"_qs));
    int written = 0, cancelled = 0;
    QStringList writtenFiles;
    for (const DisplayResult &d : cut.displays) {
        if (d.status == DisplayResult::Status::Written) {
            ++written;
            writtenFiles << d.bactalk;
        } else if (d.reason == u"the conversion was cancelled"_qs) {
            ++cancelled;
        }
    }
    EXPECT_GE(written, 1);
    EXPECT_GE(cancelled, 1);
    for (const StageResult &s : cut.stages) {
        if (s.name == u"write DDC scripts"_qs || s.name == u"build Tux devices"_qs) {
            EXPECT_EQ(s.status, StageResult::Status::Skipped) << s.name.toStdString();
        }
    }
    // Only the written displays are there, each whole (no file left half-made).
    const QStringList made = filesIn(QDir(bactalk).filePath(u"displays"_qs));
    EXPECT_EQ(made.size(), written) << made.join(u' ').toStdString();
    for (const QString &f : made)
        EXPECT_GT(QFileInfo(QDir(bactalk).filePath(u"displays/"_qs + f)).size(), 0);
    EXPECT_TRUE(QFile::exists(QDir(bactalk).filePath(u"conversion-report.json"_qs)));
    EXPECT_TRUE(prompter.asked.last().contains(u"The conversion was cancelled"_qs));
    EXPECT_TRUE(prompter.asked.last().contains(QDir::toNativeSeparators(QDir(bactalk).filePath(u"conversion-report.html"_qs))));

    // Again, to the end: every listed display accounted for, the scripts.
    convert(bactalk, true);
    ASSERT_TRUE(converter->lastReport());
    const ConversionReport &full = *converter->lastReport();
    EXPECT_FALSE(full.cancelled);
    EXPECT_EQ(full.displays.size(), size_t(wb->masterList.size()));
    for (const DisplayResult &d : full.displays)
        EXPECT_NE(d.reason, u"the conversion was cancelled"_qs) << d.ibex.toStdString();
    EXPECT_FALSE(full.scripts.isEmpty());
    for (const QString &s : full.scripts)
        EXPECT_TRUE(QFile::exists(QDir(bactalk).filePath(u"ddc/"_qs + s))) << s.toStdString();
    EXPECT_TRUE(prompter.asked.last().startsWith(u"The conversion ended"_qs)) << prompter.asked.last().toStdString();
    EXPECT_EQ(wb->bactalkJobPath(), QFileInfo(bactalk).absoluteFilePath());
}

TEST_F(ConvertJobTest, KeepsExistingFilesWithoutReplaceAndNeedsAProject)
{
    seedDefaultProject();
    start();
    child<QAction>("actConvertJob")->trigger();
    EXPECT_EQ(prompter.errors, QStringList{u"Open the Ibex job as a project first."_qs});
    stop();

    ASSERT_TRUE(m_root.isValid());
    openSampleJob(m_root.path());
    const QString bactalk = m_root.filePath(u"bt/acme/plaza"_qs);
    convert(bactalk, true);
    ASSERT_TRUE(window->converter()->lastReport());
    convert(bactalk, false);
    const ConversionReport &again = *window->converter()->lastReport();
    int kept = 0;
    for (const DisplayResult &d : again.displays) {
        EXPECT_NE(d.status, DisplayResult::Status::Written) << d.ibex.toStdString();
        kept += d.status == DisplayResult::Status::Kept ? 1 : 0;
    }
    EXPECT_GT(kept, 0);

    // A cancelled dialog runs nothing.
    onNextModal([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
    const QString before = prompter.asked.last();
    child<QAction>("actConvertJob")->trigger();
    EXPECT_EQ(prompter.asked.last(), before);
}

} // namespace
} // namespace vorlix::test
