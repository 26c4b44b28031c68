// Step 7 driven through the real page: load, override through the dialog,
// skip, reset, create — and the file is the one the CLI writes after the
// same overrides.
#include "inventory/InventoryTreeModel.h"
#include "translation/OverrideDialog.h"
#include "shell/StepTabWidget.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationModel.h"
#include "translation/TranslationPage.h"
#include "WindowFixture.h"
#include "sample/SampleJob.h"
#include "support/CliRunner.h"

#include <QApplication>
#include <QMouseEvent>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeView>

namespace vorlix::test {
namespace {

// A widget of the dialog by its name.
template <typename T>
T *in(QWidget *dialog, const char *name)
{
    T *w = dialog->findChild<T *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TranslationPageTest : public SampleTranslationFixture {
protected:
    void SetUp() override
    {
        SampleTranslationFixture::SetUp();
        prompter.asked.clear();
    }

    // Opens the override editing of a cell and lets `answer` fill and close
    // the dialog.
    void overrideCell(int row, int column, std::function<void(OverrideDialog *)> answer)
    {
        bool seen = false;
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<OverrideDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            seen = true;
            answer(dialog);
        });
        page->editOverride(row, column);
        EXPECT_TRUE(seen);
    }
    QString cell(int row, int column) const
    {
        return page->model()->index(row, column).data().toString();
    }
};

TEST_F(TranslationPageTest, OverridesAndCreationMatchTheCommandLine)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    EXPECT_TRUE(page->createButton()->isEnabled());
    EXPECT_EQ(page->model()->rowCount(), 20);
    EXPECT_EQ(cell(3, 6), u"1203:AI-5"_qs);

    // A text through the dialog's text panel.
    overrideCell(1, Translation::colBtText, [](OverrideDialog *d) {
        EXPECT_TRUE(in<QWidget>(d, "TextPanel")->isVisibleTo(d));
        EXPECT_FALSE(in<QWidget>(d, "PointPanel")->isVisibleTo(d));
        EXPECT_FALSE(in<QPushButton>(d, "btn_OK")->isEnabled());
        in<QLineEdit>(d, "eb_text")->setText(u"Supply fan"_qs);
        EXPECT_TRUE(in<QPushButton>(d, "btn_OK")->isEnabled());
        in<QPushButton>(d, "btn_OK")->click();
    });
    EXPECT_EQ(cell(1, 5), u"Supply fan"_qs);
    EXPECT_TRUE(wb->gridEdited);

    // A point: the device split off, an invalid text keeps OK off.
    overrideCell(3, Translation::colBtPoint, [](OverrideDialog *d) {
        EXPECT_TRUE(in<QWidget>(d, "PointPanel")->isVisibleTo(d));
        EXPECT_FALSE(in<QCheckBox>(d, "cb_Currdev")->isChecked());
        EXPECT_EQ(in<QSpinBox>(d, "se_devid")->value(), 1203);
        EXPECT_EQ(in<QComboBox>(d, "eb_point")->currentText(), u"AI-5"_qs);
        EXPECT_FALSE(in<QPushButton>(d, "btn_OK")->isEnabled());
        EXPECT_EQ(in<QComboBox>(d, "eb_point")->count(), 17);
        in<QComboBox>(d, "eb_point")->setEditText(u"XV-3"_qs);
        EXPECT_FALSE(in<QPushButton>(d, "btn_OK")->isEnabled());
        in<QSpinBox>(d, "se_devid")->setValue(1200);
        in<QComboBox>(d, "eb_point")->setEditText(u"AI-9"_qs);
        EXPECT_TRUE(in<QPushButton>(d, "btn_OK")->isEnabled());
        in<QPushButton>(d, "btn_OK")->click();
    });
    EXPECT_EQ(cell(3, 6), u"1200:AI-9"_qs);

    // Skip, and a skip that is reset again.
    overrideCell(4, Translation::colBtPoint, [](OverrideDialog *d) { in<QPushButton>(d, "btn_Skip")->click(); });
    overrideCell(5, Translation::colBtPoint, [](OverrideDialog *d) { in<QPushButton>(d, "btn_Skip")->click(); });
    overrideCell(5, Translation::colBtPoint, [](OverrideDialog *d) { in<QPushButton>(d, "btn_Reset")->click(); });
    // Cancel changes nothing.
    overrideCell(6, Translation::colBtPoint, [](OverrideDialog *d) { in<QPushButton>(d, "btn_Cancel")->click(); });
    EXPECT_EQ(cell(6, 6), u"1203:AI-16"_qs);
    // A text object has no point to override: no dialog at all.
    page->editOverride(1, Translation::colBtPoint);
    // Each override is logged as the command line logs it; Cancel is not.
    const QStringList logged = wb->log.lines().filter(u"Override of disp0002.ibw object"_qs);
    ASSERT_EQ(logged.size(), 5);
    EXPECT_TRUE(logged[0].endsWith(u"Override of disp0002.ibw object 1: text overridden: Supply fan"_qs));
    EXPECT_TRUE(logged[1].endsWith(u"object 3: point overridden: 1200:AI-9"_qs));
    EXPECT_TRUE(logged[2].endsWith(u"object 4: skipped"_qs));
    EXPECT_TRUE(logged[4].endsWith(u"object 5: point override reset"_qs));

    // Loading another display asks first; No keeps everything.
    prompter.pushYesNo(false);
    EXPECT_FALSE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
    EXPECT_EQ(prompter.asked.value(0), unsavedGridEditsQuestion());
    EXPECT_EQ(cell(1, 5), u"Supply fan"_qs);
    EXPECT_TRUE(wb->gridEdited);

    // Sorting by a title keeps the overrides with their rows.
    page->sortBy(Translation::colBtPoint);
    page->sortBy(Translation::colObj);
    EXPECT_EQ(cell(3, 6), u"1200:AI-9"_qs);

    page->copyToClipboard();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(u"Obj#\tType\tApex#"_qs));

    ASSERT_TRUE(page->createDisplay(false));
    EXPECT_FALSE(wb->gridEdited);
    const QByteArray fromPage = bytesOf(paths.bactalkJob + u"/displays/00000002.dsp"_qs);
    ASSERT_FALSE(fromPage.isEmpty());

    // The same overrides through the command line on a second copy of the job.
    const QString cliRoot = m_root.filePath(u"cli"_qs);
    const QString appCli = m_root.filePath(u"cliapp"_qs);
    auto cli = [&](QStringList args) {
        const CliResult r = runCli(QStringList{u"--app-dir"_qs, appCli} + args);
        EXPECT_EQ(r.exitCode, 0) << args.join(u' ').toStdString() << r.err.toStdString();
    };
    cli({u"sample-job"_qs, cliRoot});
    const QString job = cliRoot + u"/job"_qs;
    cli({u"override"_qs, job, u"disp0002.ibw"_qs, u"1"_qs, u"--text"_qs, u"Supply fan"_qs});
    cli({u"override"_qs, job, u"disp0002.ibw"_qs, u"3"_qs, u"--point"_qs, u"1200:AI-9"_qs});
    cli({u"override"_qs, job, u"disp0002.ibw"_qs, u"4"_qs, u"--skip"_qs});
    cli({u"override"_qs, job, u"disp0002.ibw"_qs, u"5"_qs, u"--skip"_qs});
    cli({u"override"_qs, job, u"disp0002.ibw"_qs, u"5"_qs, u"--reset"_qs});
    cli({u"--yes"_qs, u"create-display"_qs, job, u"disp0002.ibw"_qs});
    const QByteArray fromCli = bytesOf(cliRoot + u"/bactalk/acme/plaza/displays/00000002.dsp"_qs);
    ASSERT_FALSE(fromCli.isEmpty());
    EXPECT_EQ(fromPage, fromCli);
}

TEST_F(TranslationPageTest, ARefusedOverrideIsShownAsAnErrorAndTheCellKeepsItsState)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    QSqlQuery(wb->pdb.db())
        .exec(u"CREATE TRIGGER Refuse BEFORE INSERT ON Overrides BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    overrideCell(1, Translation::colBtText, [](OverrideDialog *d) {
        in<QLineEdit>(d, "eb_text")->setText(u"Supply fan"_qs);
        in<QPushButton>(d, "btn_OK")->click();
    });
    EXPECT_EQ(prompter.errors, QStringList{u"Could not set value in database!"_qs});
    EXPECT_NE(cell(1, 5), u"Supply fan"_qs);
    const QBrush look = page->model()->index(1, 5).data(Qt::ForegroundRole).value<QBrush>();
    EXPECT_EQ(look.color(), QColor(0x00, 0x80, 0x00)); // green: no override
    EXPECT_FALSE(wb->gridEdited);
    EXPECT_TRUE(wb->log.lines().filter(u"Override of"_qs).isEmpty());
}

TEST_F(TranslationPageTest, DateTimeShowsTheObjectOnlyPanelAndSingleRowCreation)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
    // Object 3 of the sample's main display is its date and time.
    ASSERT_EQ(cell(3, 1), u"DateTime"_qs);
    overrideCell(3, Translation::colBtText, [](OverrideDialog *d) {
        EXPECT_TRUE(in<QWidget>(d, "SkipPanel")->isVisibleTo(d));
        EXPECT_FALSE(in<QWidget>(d, "TextPanel")->isVisibleTo(d));
        EXPECT_FALSE(in<QWidget>(d, "PointPanel")->isVisibleTo(d));
        in<QPushButton>(d, "btn_Cancel")->click();
    });
    // Single-row mode: the header and the selected row's object only.
    page->transGrid()->setCurrentIndex(page->model()->index(1, 0));
    ASSERT_TRUE(page->createDisplay(true));
    const QByteArray one = bytesOf(paths.bactalkJob + u"/displays/00000001.dsp"_qs);
    prompter.pushYesNo(true); // overwrite
    ASSERT_TRUE(page->createDisplay(false));
    const QByteArray all = bytesOf(paths.bactalkJob + u"/displays/00000001.dsp"_qs);
    EXPECT_LT(one.size(), all.size());
    // "Clear grid after display is created."
    page->clearGridBox()->setChecked(true);
    prompter.pushYesNo(true);
    ASSERT_TRUE(page->createDisplay(false));
    EXPECT_EQ(page->model()->rowCount(), 0);
    EXPECT_FALSE(page->createButton()->isEnabled());
}

} // namespace
} // namespace vorlix::test

namespace vorlix::test {
namespace {

// The model index of the display tree's node with that text, or invalid.
QModelIndex findNode(const QAbstractItemModel *model, const QString &text, const QModelIndex &parent = {})
{
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex at = model->index(r, 0, parent);
        if (at.data().toString() == text)
            return at;
        const QModelIndex below = findNode(model, text, at);
        if (below.isValid())
            return below;
    }
    return {};
}

TEST_F(TranslationPageTest, LoadsFromTheTreeWithTheListsAdviceAndMarksTheNodeMade)
{
    QTreeView *tree = page->displayTree();
    EXPECT_FALSE(page->loadButton()->isEnabled());
    // A group node cannot be loaded.
    tree->setCurrentIndex(findNode(tree->model(), u"Displays"_qs));
    EXPECT_FALSE(page->loadButton()->isEnabled());

    const QModelIndex node = findNode(tree->model(), u"disp0002.ibw"_qs);
    ASSERT_TRUE(node.isValid());
    EXPECT_EQ(node.data(InventoryTreeModel::StateRole).toInt(), stNotMade);
    tree->setCurrentIndex(node);
    ASSERT_TRUE(page->loadButton()->isEnabled());
    page->loadButton()->click();
    ASSERT_NE(loadedTranslation(*wb), nullptr);
    EXPECT_EQ(loadedTranslation(*wb)->displayName(), u"disp0002.ibw"_qs);
    // The project was opened before the sample had a starting display: no
    // button reached the display, and the user is told so.
    const int entry = wb->masterList.indexOf(u"disp0002.ibw"_qs, false);
    ASSERT_FALSE(wb->masterList.isScanned(entry));
    EXPECT_EQ(prompter.informed, QStringList{unreferencedDisplayNote()});
    // A redirected display says so instead; loading goes on all the same.
    wb->masterList.setFlag(entry, flRedirected);
    prompter.informed.clear();
    page->loadButton()->click();
    EXPECT_EQ(prompter.informed, QStringList{redirectedDisplayNote()});
    EXPECT_EQ(loadedTranslation(*wb)->displayName(), u"disp0002.ibw"_qs);

    ASSERT_TRUE(page->createDisplay(false));
    EXPECT_EQ(findNode(tree->model(), u"disp0002.ibw"_qs).data(InventoryTreeModel::StateRole).toInt(), stMade);
}

TEST_F(TranslationPageTest, DoubleClicksToggleOnlyTheLocalJobGroups)
{
    StepTabWidget *tabs = window->tabs();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(page) || tabs->widget(i) == page)
            tabs->setCurrentIndex(i);
    QCoreApplication::processEvents();
    QTreeView *tree = page->displayTree();
    ASSERT_TRUE(tree->isVisible());
    const QModelIndex local = findNode(tree->model(), u"LocalJob Folder"_qs);
    const QModelIndex job = findNode(tree->model(), u"Job Folder"_qs);
    ASSERT_TRUE(local.isValid() && job.isValid());
    const auto doubleClick = [&](const QModelIndex &i) {
        tree->scrollTo(i);
        const QPointF at = tree->visualRect(i).center();
        const QPointF global = tree->viewport()->mapToGlobal(at);
        // As a mouse makes it: press, release, double-click, release.
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(tree->viewport(), &event);
        }
        QCoreApplication::processEvents();
    };
    const QModelIndex localGroup = tree->model()->index(0, 0, local);
    const QModelIndex jobGroup = tree->model()->index(0, 0, job);
    ASSERT_EQ(localGroup.data(InventoryTreeModel::NodeDataRole).toInt(), ndLocalGroup);
    ASSERT_EQ(jobGroup.data(InventoryTreeModel::NodeDataRole).toInt(), ndJobGroup);
    doubleClick(localGroup);
    EXPECT_EQ(localGroup.data(InventoryTreeModel::StateRole).toInt(), stNotMade);
    doubleClick(localGroup);
    EXPECT_EQ(localGroup.data(InventoryTreeModel::StateRole).toInt(), stMade);
    doubleClick(localGroup);
    EXPECT_EQ(localGroup.data(InventoryTreeModel::StateRole).toInt(), stNotMade);
    doubleClick(jobGroup);
    EXPECT_EQ(jobGroup.data(InventoryTreeModel::StateRole).toInt(), stNone);
    const QModelIndex file = findNode(tree->model(), u"disp0002.ibw"_qs);
    const int before = file.data(InventoryTreeModel::StateRole).toInt();
    doubleClick(local); // a heading does not change either
    EXPECT_EQ(local.data(InventoryTreeModel::StateRole).toInt(), stNone);
    EXPECT_EQ(file.data(InventoryTreeModel::StateRole).toInt(), before);
}

} // namespace
} // namespace vorlix::test
