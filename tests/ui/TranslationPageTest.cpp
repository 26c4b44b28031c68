// Step 7 driven through the real page: load, override through the dialog,
// skip, reset, create — and the file is the one the CLI writes after the
// same overrides.
#include "inventory/InventoryTreeModel.h"
#include "translation/OverrideDialog.h"
#include "shell/StepTabWidget.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationModel.h"
#include "translation/TranslationPage.h"
#include "translation/DisplayPreview.h"
#include "translation/PreviewDialog.h"
#include "inventory/DisplayScanPage.h"
#include "common/ColumnFitter.h"
#include "shell/VisualStyle.h"
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
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QScrollBar>

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

// A left click (press and release) at `at` on `w`.
void click(QWidget *w, QPoint at)
{
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
}

class StepSevenLayoutTest : public TranslationPageTest {
protected:
    void SetUp() override
    {
        TranslationPageTest::SetUp();
        window->tabs()->setCurrentIndex(window->tabs()->indexOf(page));
        QApplication::processEvents();
    }
};

TEST_F(StepSevenLayoutTest, RebuildingTheDisplayListClearsTheGridAndDisablesCreate)
{
    const auto load = [this] {
        ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
        QApplication::processEvents(); // the preview draws
        ASSERT_GT(page->transGrid()->verticalHeader()->count(), 1);
        ASSERT_TRUE(page->createButton()->isEnabled());
        ASSERT_TRUE(page->preview()->hasPicture());
    };
    const auto expectCleared = [this] {
        // The view has let go of the rows, not only the model.
        EXPECT_EQ(page->transGrid()->verticalHeader()->count(), 0);
        EXPECT_FALSE(page->createButton()->isEnabled());
        EXPECT_FALSE(page->preview()->hasPicture());
        EXPECT_EQ(page->sortColumn(), -1);
        EXPECT_EQ(page->transGrid()->horizontalHeader()->sortIndicatorSection(), -1);
        EXPECT_FALSE(page->createDisplay(false));
    };
    load();
    window->displayScanPage()->buildFileList(); // step 5's "Build File List"
    expectCleared();
    load();
    emit page->refreshDisplayListRequested(); // the tree's "Refresh the Display List"
    expectCleared();
}

TEST_F(StepSevenLayoutTest, TheSortIndicatorFollowsTheRowsAndTheColumnsFitTheirTexts)
{
    window->resize(2200, 900); // room for every text, whatever the font
    QApplication::processEvents();
    TranslationGrid *grid = page->transGrid();
    QHeaderView *header = grid->horizontalHeader();
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    QApplication::processEvents();
    EXPECT_EQ(header->sortIndicatorSection(), int(Translation::colObj));
    emit header->sectionClicked(Translation::colIbexText); // as a title click delivers it
    EXPECT_EQ(header->sortIndicatorSection(), int(Translation::colIbexText));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    auto *summary = page->findChild<QLabel *>(u"gridSummary"_qs);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->text(), u"20 rows"_qs);

    // Every text in sight fits its column, up to the limit; "Conversion
    // Notes" takes the rest of the width.
    const auto [first, last] = rowsInSight(*grid);
    for (int c = 0; c < Translation::colNotes; ++c)
        for (int r = first; r <= last; ++r)
            EXPECT_GE(grid->columnWidth(c), qMin(kFitMaxWidth, grid->sizeHintForIndex(page->model()->index(r, c)).width()))
                << "row " << r << " column " << c;
    const int notes = Translation::colNotes;
    EXPECT_EQ(header->sectionViewportPosition(notes) + header->sectionSize(notes), header->viewport()->width());
    // In a narrower window the columns give up width so that all of them,
    // "Conversion Notes" too, still show. The narrowest window where every
    // title still has room depends on the font: from 1024 pixels on, the
    // first width where nothing needs scrolling must be narrower than what
    // the texts asked for.
    int wanted = header->sectionSizeHint(notes);
    for (int c = 0; c < notes; ++c)
        wanted += grid->columnWidth(c);
    for (int width = 1024; width < 2200; width += 64) {
        window->resize(width, 700);
        QApplication::processEvents();
        if (!grid->horizontalScrollBar()->isVisible())
            break;
    }
    EXPECT_LT(header->viewport()->width(), wanted) << "the window never got narrower than the texts";
    EXPECT_EQ(header->sectionViewportPosition(notes) + header->sectionSize(notes), header->viewport()->width());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_GE(header->sectionSize(notes), header->sectionSizeHint(notes));

    // A width the user set stays at the next load.
    header->resizeSection(Translation::colIbexText, 333);
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
    EXPECT_EQ(grid->columnWidth(Translation::colIbexText), 333);
    EXPECT_EQ(header->sortIndicatorSection(), int(Translation::colObj));
    ASSERT_TRUE(page->createDisplay(false)); // creation sorts by object
    EXPECT_EQ(header->sortIndicatorSection(), int(Translation::colObj));
}

TEST_F(StepSevenLayoutTest, CellColoursAreTheDocumentedOnesAndReadableInTheDarkStyles)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
    const QModelIndex translated = page->model()->index(1, Translation::colBtText); // Obj.1, a text
    const auto colour = [&] { return translated.data(Qt::ForegroundRole).value<QBrush>().color(); };
    EXPECT_EQ(colour(), QColor(0, 0x80, 0)); // 0x008000
    for (int style = 0; style < 15; ++style) {
        SCOPED_TRACE(style);
        wb->settings.visualStyle = style;
        applyVisualStyle(style);
        QApplication::processEvents();
        const QColor base = page->transGrid()->palette().color(QPalette::Base);
        // 4.5: the guidelines' least for text of normal size.
        EXPECT_GE(contrastRatio(colour(), base), 4.5) << colour().name().toStdString() << " on "
                                                      << base.name().toStdString();
    }
    wb->settings.visualStyle = 13;
    applyVisualStyle(13);
    EXPECT_EQ(colour(), QColor(0, 0x80, 0));
}

TEST_F(StepSevenLayoutTest, TheGridTakesMostOfTheHeightAndTheDividerIsKept)
{
    QSplitter *split = page->gridSplitter();
    const QList<int> sizes = split->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_GT(sizes[0], 2 * sizes[1]);
    // The divider dragged 80 pixels up.
    QSplitterHandle *handle = split->handle(1);
    const QPoint at = handle->rect().center();
    const auto send = [handle](QEvent::Type type, QPoint p, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(p), handle->mapToGlobal(QPointF(p)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(QEvent::MouseMove, at - QPoint(0, 80), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at - QPoint(0, 80), Qt::NoButton);
    const QList<int> moved = split->sizes();
    ASSERT_LT(moved[0], sizes[0]);
    EXPECT_EQ(wb->settings.splitTransGrid, QStringLiteral("%1,%2,").arg(moved[0]).arg(moved[1]));

    restart();
    page = window->translationPage();
    window->tabs()->setCurrentIndex(window->tabs()->indexOf(page));
    QApplication::processEvents();
    const QList<int> restored = page->gridSplitter()->sizes();
    EXPECT_NEAR(restored[0], moved[0], 2);
    EXPECT_NEAR(restored[1], moved[1], 2);
}

TEST_F(StepSevenLayoutTest, AClickBesideThePreviewsObjectsShowsThemLarge)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0001.ibw"_qs, false)));
    ASSERT_TRUE(page->createDisplay(false));
    DisplayPreview *small = page->preview();
    ASSERT_FALSE(small->bactalk().picture.objects.empty());
    // The title line above the pictures holds no object.
    const QPoint beside(small->width() - 2, 2);
    ASSERT_EQ(small->rowAt(beside), -1);
    bool seen = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<PreviewDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        seen = true;
        DisplayPreview *large = dialog->preview();
        EXPECT_EQ(large->ibex().picture.objects.size(), small->ibex().picture.objects.size());
        EXPECT_EQ(large->bactalk().picture.objects.size(), small->bactalk().picture.objects.size());
        EXPECT_GT(large->objectRect(0, 0).width(), small->objectRect(0, 0).width());
        // A click on an object there selects its row in the grid.
        int object = 0;
        while (object < int(large->ibex().rows.size()) && large->ibex().rows[size_t(object)] < 1)
            ++object;
        ASSERT_LT(object, int(large->ibex().rows.size()));
        const int row = large->ibex().rows[size_t(object)];
        click(large, large->objectRect(0, object).center());
        EXPECT_EQ(page->transGrid()->currentIndex().row(), row);
        dialog->reject();
    });
    click(small, beside);
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace vorlix::test
