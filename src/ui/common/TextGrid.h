#pragma once
// A grid of texts over a table model (the translation grid, the redirect
// lists): whole rows selected one at a time, nothing edited in place, no
// row numbers, no word wrap, rows as high as a line of text. Its column
// widths are kept in the settings as "40,90,90," lists. When rows arrive,
// the columns the user has not sized by hand fit their contents (the rows
// in sight only), narrowed where needed so that every column shows, and
// the last column takes the rest of the width.
#include <QSet>
#include <QTableView>

namespace vorlix {

class TextGrid : public QTableView {
    Q_OBJECT
public:
    explicit TextGrid(QWidget *parent = nullptr);
    void setModel(QAbstractItemModel *model) override;

    // Applies a stored width list, one width per column of the model; an
    // empty list leaves the widths as they are.
    void applyWidthList(const QString &list);
    QString widthList() const;
    // The widths a grid starts with (not the user's: a fit may change them).
    void setStartWidths(const QList<int> &widths);

    // Fits the columns to the rows in sight, except the last (stretched)
    // and those sized by hand. Nothing changes while the grid is empty.
    void fitColumns();
    // The line shown under the grid: its row count.
    QString summary() const;

signals:
    void summaryChanged(const QString &text);

protected:
    // A change of width fits the columns again.
    void resizeEvent(QResizeEvent *event) override;

private:
    void rowsChanged();

    QSet<int> m_userSized; // columns the user has dragged
    bool m_sizing = false; // the grid sets widths itself
};

} // namespace vorlix
