#include "translation/DisplayPreview.h"

#include "render/TranslationPictures.h"
#include "translate/Translation.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace vorlix {

namespace {
constexpr int kGap = 12;
constexpr int kTitle = 18;
} // namespace

DisplayPreview::DisplayPreview(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumHeight(120);
}

void DisplayPreview::setSides(Side ibex, Side bactalk, std::vector<Mark> marks)
{
    m_sides[0] = std::move(ibex);
    m_sides[1] = std::move(bactalk);
    m_marks = std::move(marks);
    update();
}

void DisplayPreview::showTranslation(const Workbench &wb, const Translation *t)
{
    if (!t) {
        clear();
        return;
    }
    const auto &rows = t->rows();
    Side ibex{render::drawTranslation(wb, *t), {}, u"Ibex: "_qs + t->displayName()};
    // Ibex objects by their record; BACtalk objects by the place creation
    // copied from the Ibex object (the first row not yet matched there).
    std::vector<Mark> marks(rows.size(), Mark::None);
    std::vector<bool> matched(rows.size(), false);
    for (const render::PictureObject &o : ibex.picture.objects) {
        int row = -1;
        for (size_t i = 0; i < rows.size() && row < 0; ++i)
            if (!rows[i].isHeader() && rows[i].position == o.offset + 1)
                row = int(i);
        ibex.rows.push_back(row);
    }
    for (size_t i = 0; i < rows.size(); ++i)
        marks[i] = rows[i].ovr == ObjOverride::Skip ? Mark::Skipped : rows[i].note.isEmpty() ? Mark::None : Mark::Noted;
    Side bt;
    const QString path = render::writtenDisplayPath(wb, *t);
    QString why;
    if (!path.isEmpty() && QFileInfo(path).isFile() && render::drawDisplayFile(path, bt.picture, &why)) {
        bt.title = u"BACtalk: "_qs + QFileInfo(path).fileName();
        for (const render::PictureObject &o : bt.picture.objects) {
            int row = -1;
            for (size_t k = 0; k < ibex.picture.objects.size() && row < 0; ++k) {
                const int r = ibex.rows[k];
                if (r >= 0 && !matched[size_t(r)] && ibex.picture.objects[k].rect.topLeft() == o.rect.topLeft()) {
                    row = r;
                    matched[size_t(r)] = true;
                }
            }
            bt.rows.push_back(row);
        }
    } else {
        bt.title = path.isEmpty() ? u"BACtalk: no BACtalk job folder set"_qs
                   : why.isEmpty() ? u"BACtalk: not created yet ("_qs + QFileInfo(path).fileName() + u')'
                                   : u"BACtalk: "_qs + why;
    }
    setSides(std::move(ibex), std::move(bt), std::move(marks));
}

void DisplayPreview::clear() { setSides({}, {}, {}); }

bool DisplayPreview::hasPicture() const
{
    return !m_sides[0].picture.image.isNull() || !m_sides[1].picture.image.isNull();
}

void DisplayPreview::setMaxScale(double scale)
{
    m_maxScale = qMax(0.1, scale);
    update();
}

void DisplayPreview::selectRow(int row)
{
    m_selected = row;
    update();
}

double DisplayPreview::scale() const
{
    int w = 1, h = 1;
    for (const Side &s : m_sides) {
        w = qMax(w, s.picture.image.width());
        h = qMax(h, s.picture.image.height());
    }
    const double sx = double(qMax(1, (width() - kGap) / 2)) / w;
    const double sy = double(qMax(1, height() - kTitle)) / h;
    return qMin(m_maxScale, qMin(sx, sy));
}

QPoint DisplayPreview::origin(int side) const { return QPoint(side == 0 ? 0 : (width() + kGap) / 2, kTitle); }

QRect DisplayPreview::objectRect(int side, int object) const
{
    const auto &objs = m_sides[side].picture.objects;
    if (object < 0 || object >= int(objs.size()))
        return {};
    const double s = scale();
    const QRect r = objs[size_t(object)].rect;
    return QRect(origin(side) + QPoint(int(r.x() * s), int(r.y() * s)),
                 QSize(qMax(1, int(r.width() * s)), qMax(1, int(r.height() * s))));
}

int DisplayPreview::rowAt(QPoint p) const
{
    for (int side = 0; side < 2; ++side) {
        const double s = scale();
        const QPoint local = p - origin(side);
        const int i = m_sides[side].picture.objectAt(QPoint(int(local.x() / s), int(local.y() / s)));
        if (local.x() >= 0 && local.y() >= 0 && i >= 0 && i < int(m_sides[side].rows.size()) &&
            m_sides[side].rows[size_t(i)] >= 0)
            return m_sides[side].rows[size_t(i)];
    }
    return -1;
}

void DisplayPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const double s = scale();
    for (int side = 0; side < 2; ++side) {
        const Side &sd = m_sides[side];
        const QPoint o = origin(side);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(o.x(), 0, width() / 2, kTitle), Qt::AlignLeft | Qt::AlignVCenter, sd.title);
        if (sd.picture.image.isNull())
            continue;
        const QSize size(int(sd.picture.image.width() * s), int(sd.picture.image.height() * s));
        p.drawImage(QRect(o, size), sd.picture.image);
        for (int i = 0; i < int(sd.picture.objects.size()) && i < int(sd.rows.size()); ++i) {
            const int row = sd.rows[size_t(i)];
            QColor c;
            if (row >= 0 && row == m_selected)
                c = QColor(0, 120, 215);
            else if (row >= 0 && row < int(m_marks.size()) && m_marks[size_t(row)] == Mark::Skipped)
                c = QColor(128, 128, 128);
            else if (row >= 0 && row < int(m_marks.size()) && m_marks[size_t(row)] == Mark::Noted)
                c = QColor(255, 140, 0);
            if (!c.isValid())
                continue;
            p.setPen(QPen(c, 2, row == m_selected ? Qt::SolidLine : Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(objectRect(side, i).adjusted(-1, -1, 1, 1));
        }
    }
}

void DisplayPreview::mouseMoveEvent(QMouseEvent *e)
{
    const int row = rowAt(e->position().toPoint());
    if (row >= 0)
        QToolTip::showText(e->globalPosition().toPoint(), QStringLiteral("Grid row %1").arg(row + 1), this);
    else if (m_maxScale <= 1.0 && hasPicture())
        QToolTip::showText(e->globalPosition().toPoint(), u"Click to see the displays large"_qs, this);
    else
        QToolTip::hideText();
}

void DisplayPreview::mousePressEvent(QMouseEvent *e)
{
    const int row = rowAt(e->position().toPoint());
    if (row >= 0)
        emit rowClicked(row);
    else if (e->button() == Qt::LeftButton && hasPicture())
        emit enlargeRequested();
}

void DisplayPreview::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && hasPicture())
        emit enlargeRequested();
}

} // namespace vorlix
