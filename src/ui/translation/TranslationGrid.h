#pragma once
// The translation grid's view: rows selected whole, a double-click or Enter
// on a BACtalk text or point cell asks for the override editing, a title
// click asks for a sort; column widths kept in the settings.
#include <QTableView>

namespace vorlix {

class TranslationGrid : public QTableView {
    Q_OBJECT
public:
    explicit TranslationGrid(QWidget *parent = nullptr);
    void applyWidthList(const QString &list);
    QString widthList() const;

signals:
    void overrideRequested(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace vorlix
