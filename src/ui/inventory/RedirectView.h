#pragma once
// A step 6 redirect list on screen: Enter asks to edit the selected entry
// (the key is consumed), as a double-click does.
#include "common/TextGrid.h"

namespace vorlix {

class RedirectView : public TextGrid {
    Q_OBJECT
public:
    explicit RedirectView(QWidget *parent = nullptr);
    // The selected row; -1 without one.
    int selectedRow() const;

signals:
    void editRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace vorlix
