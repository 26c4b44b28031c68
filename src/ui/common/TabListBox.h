#pragma once
// A list box whose items are tab-separated columns that line up at tab stops
// (pixel positions from the left edge), like the project override list.
#include <QList>
#include <QListWidget>

namespace vorlix {

class TabListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TabListBox(QWidget *parent = nullptr);
    // Column i starts at tabStops[i - 1]; the first column starts at 0.
    void setTabStops(const QList<int> &pixels);
    // Where each column of `text` starts, given the tab stops (a column whose
    // stop is taken by longer text starts after it, one space further).
    QList<int> columnStarts(const QString &text) const;

private:
    QList<int> m_stops;
};

} // namespace vorlix
