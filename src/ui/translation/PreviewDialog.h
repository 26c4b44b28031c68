#pragma once
// Step 7's preview shown large: the Ibex display and its BACtalk display
// side by side, drawn as large as the dialog allows (up to three times
// their size), with the same marks and the same row selection as the
// small preview.
#include <QDialog>
#include <memory>

namespace Ui {
class PreviewDialog;
}

namespace vorlix {

class DisplayPreview;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    // Shows what `small` shows; a click on an object selects its row there.
    explicit PreviewDialog(DisplayPreview &small, QWidget *parent = nullptr);
    ~PreviewDialog() override;

    DisplayPreview *preview() const;

private:
    std::unique_ptr<Ui::PreviewDialog> m_ui;
};

} // namespace vorlix
