// Step 7's preview on the sample: the Ibex display drawn when it loads, its
// BACtalk display once created, objects tied to their grid rows both ways
// (a click selects the row, the selected row is framed; a click beside the
// objects shows the preview large), skipped rows
// marked, and the preview following overrides and creation.
#include "translation/DisplayPreview.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationModel.h"
#include "translation/TranslationPage.h"
#include "WindowFixture.h"
#include "sample/SampleJob.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <QTemporaryDir>

namespace vorlix::test {
namespace {

void press(QWidget *w, QPoint at)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class DisplayPreviewTest : public SampleTranslationFixture {
protected:
    void SetUp() override
    {
        SampleTranslationFixture::SetUp();
        window->resize(1200, 900);
    }
    // The row an object of a side is tied to, clicked in the middle.
    int click(int side, int object)
    {
        DisplayPreview *p = page->preview();
        const QPoint at = p->objectRect(side, object).center();
        press(p, at);
        return p->rowAt(at);
    }
    int currentRow() const { return page->transGrid()->currentIndex().row(); }
};

TEST_F(DisplayPreviewTest, ObjectsAndRowsTiedBothWaysAndFollowingCreation)
{
    ASSERT_TRUE(page->loadDisplay(findDisplayFile(*wb, u"disp0002.ibw"_qs, false)));
    QApplication::processEvents(); // drawn once the grid shows
    DisplayPreview *p = page->preview();
    p->resize(1000, 400); // the page is not the shown step: give the pane its room
    ASSERT_GT(p->ibex().picture.objects.size(), 10u);
    EXPECT_EQ(p->ibex().picture.image.size(), QSize(800, 600));
    EXPECT_TRUE(p->bactalk().picture.objects.empty());
    EXPECT_TRUE(p->bactalk().title.contains(u"not created yet"_qs));
    // Every Ibex object of the grid has its row: object n is row n.
    for (size_t i = 0; i < p->ibex().rows.size(); ++i)
        EXPECT_EQ(p->ibex().rows[i], int(i) + 1) << i;

    EXPECT_EQ(click(0, 2), 3);
    EXPECT_EQ(currentRow(), 3);

    // A skipped row is marked and the written display leaves it out.
    loadedTranslation(*wb)->rows()[4].ovr = ObjOverride::Skip;
    page->refreshPreview();
    ASSERT_TRUE(page->createDisplay(false));
    ASSERT_FALSE(p->bactalk().picture.objects.empty());
    EXPECT_EQ(p->bactalk().picture.image.size(), QSize(800, 600));
    EXPECT_TRUE(p->bactalk().title.contains(u".dsp"_qs));
    const auto &btRows = p->bactalk().rows;
    EXPECT_EQ(std::count(btRows.begin(), btRows.end(), 4), 0) << "the skipped object has no BACtalk object";
    // A BACtalk object selects the row of the Ibex object it came from.
    const int btIndex = int(std::find(btRows.begin(), btRows.end(), 3) - btRows.begin());
    ASSERT_LT(btIndex, int(btRows.size()));
    page->transGrid()->setCurrentIndex(page->model()->index(0, 0));
    EXPECT_EQ(click(1, btIndex), 3);
    EXPECT_EQ(currentRow(), 3);
    // Nothing under the pointer: no row, the selection stays, and the
    // preview opens large.
    bool large = false;
    onNextModal([&](QWidget *modal) {
        large = qobject_cast<QDialog *>(modal) != nullptr;
        if (large)
            static_cast<QDialog *>(modal)->reject();
    });
    press(p, QPoint(p->width() / 2, 5));
    EXPECT_TRUE(large);
    EXPECT_EQ(currentRow(), 3);

    page->clearGrid();
    EXPECT_TRUE(p->ibex().picture.objects.empty());
}

} // namespace
} // namespace vorlix::test
