// The step tabs: wrapped lines that stay put when a tab is clicked, and
// moving between steps by keyboard.
#include "shell/StepTabWidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QApplication>
#include <gtest/gtest.h>

namespace vorlix::test {
namespace {

void press(QWidget *w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
}

struct Tabs {
    Tabs()
    {
        for (int i = 1; i <= 10; ++i)
            tabs.addTab(new QLabel(QString::number(i)), QStringLiteral("Step %1: a long caption").arg(i));
        tabs.resize(420, 300); // narrow: the captions need several lines
        tabs.show();
    }
    QList<QRect> geometries() const
    {
        QList<QRect> out;
        for (int i = 0; i < tabs.count(); ++i)
            out << tabs.tab(i)->geometry();
        return out;
    }
    StepTabWidget tabs;
};

TEST(StepTabs, LinesStayWhereTheyAreWhenATabIsClicked)
{
    Tabs t;
    ASSERT_GT(t.tabs.tabLines(), 1);
    const QList<QRect> before = t.geometries();
    // A tab of the first line (not the current one's line)...
    const int last = t.tabs.count() - 1;
    t.tabs.tab(last)->click();
    EXPECT_EQ(t.tabs.currentIndex(), last);
    // ...and every tab is still under the pointer where it was.
    EXPECT_EQ(t.geometries(), before);
    t.tabs.tab(0)->click();
    EXPECT_EQ(t.tabs.currentIndex(), 0);
    EXPECT_EQ(t.geometries(), before);
}

TEST(StepTabs, KeyboardMovesBetweenSteps)
{
    Tabs t;
    t.tabs.tab(0)->setFocus();
    press(t.tabs.tab(0), Qt::Key_Right);
    EXPECT_EQ(t.tabs.currentIndex(), 1);
    press(t.tabs.tab(1), Qt::Key_End);
    EXPECT_EQ(t.tabs.currentIndex(), t.tabs.count() - 1);
    press(t.tabs.tab(t.tabs.count() - 1), Qt::Key_Left);
    EXPECT_EQ(t.tabs.currentIndex(), t.tabs.count() - 2);
    press(t.tabs.tab(t.tabs.count() - 2), Qt::Key_Home);
    EXPECT_EQ(t.tabs.currentIndex(), 0);
}

} // namespace
} // namespace vorlix::test
