#pragma once
// The translation grid's view: a double-click or Enter on a BACtalk text or
// point cell asks for the override editing, a title click asks for a sort.
#include "common/TextGrid.h"

namespace vorlix {

class TranslationGrid : public TextGrid {
    Q_OBJECT
public:
    explicit TranslationGrid(QWidget *parent = nullptr);

signals:
    void overrideRequested(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace vorlix
