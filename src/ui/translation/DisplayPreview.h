#pragma once
// Step 7's preview: the loaded Ibex display and the BACtalk display written
// from it, side by side at one scale. Each drawn object knows its grid row:
// hovering shows the row, clicking selects it, and the selected row's
// objects are framed on both sides. Skipped objects are framed grey,
// objects whose row has a note orange. A click beside the objects, or a
// double-click anywhere, asks to see the preview large.
#include "render/DisplayPicture.h"

#include <QWidget>
#include <vector>

namespace vorlix {

class Translation;
class Workbench;

class DisplayPreview : public QWidget {
    Q_OBJECT
public:
    enum class Mark { None, Skipped, Noted };
    struct Side {
        render::Picture picture;
        std::vector<int> rows; // grid row of each object, -1 for none
        QString title;
    };

    explicit DisplayPreview(QWidget *parent = nullptr);

    // Draws the translation's Ibex display and the BACtalk display file
    // written for it (a note instead when there is none yet); null clears.
    void showTranslation(const Workbench &wb, const Translation *t);
    // `marks` by grid row.
    void setSides(Side ibex, Side bactalk, std::vector<Mark> marks);
    void clear();
    void selectRow(int row);
    int selectedRow() const { return m_selected; }
    const std::vector<Mark> &marks() const { return m_marks; }
    // The largest scale the displays are drawn at (1: never enlarged).
    void setMaxScale(double scale);
    bool hasPicture() const;

    const Side &ibex() const { return m_sides[0]; }
    const Side &bactalk() const { return m_sides[1]; }
    // The grid row of the object under a widget point, or -1.
    int rowAt(QPoint p) const;
    // Where an object of a side lies on the widget (for tests and hovering).
    QRect objectRect(int side, int object) const;

signals:
    void rowClicked(int row);
    void enlargeRequested();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    double scale() const;
    QPoint origin(int side) const;
    Side m_sides[2];
    std::vector<Mark> m_marks;
    int m_selected = -1;
    double m_maxScale = 1.0;
};

} // namespace vorlix
