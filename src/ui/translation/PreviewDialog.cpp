#include "translation/PreviewDialog.h"

#include "translation/DisplayPreview.h"
#include "ui_PreviewDialog.h"

#include <QGuiApplication>
#include <QScreen>

namespace vorlix {

PreviewDialog::PreviewDialog(DisplayPreview &small, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PreviewDialog>())
{
    m_ui->setupUi(this);
    DisplayPreview *large = preview();
    large->setMaxScale(3.0);
    large->setSides(small.ibex(), small.bactalk(), small.marks());
    large->selectRow(small.selectedRow());
    setWindowTitle(u"Display Preview - "_qs + small.ibex().title);
    connect(large, &DisplayPreview::rowClicked, &small, [large, &small](int row) {
        large->selectRow(row);
        emit small.rowClicked(row);
    });
    // Nearly the whole screen: the point is to see the displays large.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 9 / 10);
}

PreviewDialog::~PreviewDialog() = default;

DisplayPreview *PreviewDialog::preview() const { return m_ui->LargePreview; }

} // namespace vorlix
