#pragma once
// A plain grid of texts with fixed column titles (the redirection lists and
// the translation grid), whose column widths are kept in the settings.
#include <QStringList>
#include <QTableWidget>

namespace vorlix {

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(const QStringList &titles, QWidget *parent = nullptr);
    // The stored width list; an empty list leaves the widths as they are.
    void applyWidthList(const QString &list);
    QString widthList() const;
};

} // namespace vorlix
