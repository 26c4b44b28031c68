#pragma once
// A step 6 redirect list on screen: whole rows selected, nothing edited in
// place; Enter asks to edit the selected entry (the key is consumed), as a
// double-click does. Column widths are kept in the settings.
#include <QTableView>

namespace vorlix {

class RedirectView : public QTableView {
    Q_OBJECT
public:
    explicit RedirectView(QWidget *parent = nullptr);
    // The stored width list; an empty list leaves the widths as they are.
    void applyWidthList(const QString &list);
    QString widthList() const;
    // The selected row; -1 without one.
    int selectedRow() const;

signals:
    void editRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace vorlix
