#pragma once
// The page control of the main window: tabs that wrap onto several lines
// when the window is too narrow for one, above the pages.
#include <QAbstractButton>
#include <QList>
#include <QWidget>

class QButtonGroup;
class QStackedWidget;

namespace vorlix {

// One tab, drawn by the style as a tab-bar tab.
class StepTab : public QAbstractButton {
    Q_OBJECT
public:
    using QAbstractButton::QAbstractButton;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

class StepTabWidget : public QWidget {
    Q_OBJECT
public:
    explicit StepTabWidget(QWidget *parent = nullptr);

    int addTab(QWidget *page, const QString &caption);
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QWidget *widget(int index) const;
    int indexOf(QWidget *page) const;
    QString tabText(int index) const;
    StepTab *tab(int index) const { return m_tabs.value(index); }
    // How many lines the tabs take at the current width.
    int tabLines() const;

signals:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutTabs();
    QWidget *m_bar;
    QStackedWidget *m_stack;
    QButtonGroup *m_group;
    QList<StepTab *> m_tabs;
    int m_lines = 1;
};

} // namespace vorlix
