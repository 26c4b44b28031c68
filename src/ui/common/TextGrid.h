#pragma once
// A grid of texts over a table model (the translation grid, the redirect
// lists): whole rows selected one at a time, nothing edited in place, no
// row numbers, no word wrap, rows as high as a line of text. Its column
// widths are kept in the settings as "40,90,90," lists.
#include <QTableView>

namespace vorlix {

class TextGrid : public QTableView {
    Q_OBJECT
public:
    explicit TextGrid(QWidget *parent = nullptr);
    // Applies a stored width list, one width per column of the model; an
    // empty list leaves the widths as they are.
    void applyWidthList(const QString &list);
    QString widthList() const;
};

} // namespace vorlix
