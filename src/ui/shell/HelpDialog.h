#pragma once
// The user manual shown in the window: the Markdown manual that ships beside
// the program, with the file's place under it.
#include <QDialog>
#include <memory>

namespace Ui {
class HelpDialog;
}

namespace vorlix {

class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget *parent = nullptr);
    ~HelpDialog() override;

    // Shows the manual at `path`; false, with `error` naming the file, when
    // it cannot be read.
    bool showManual(const QString &path, QString *error);

    Ui::HelpDialog &ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::HelpDialog> m_ui;
};

} // namespace vorlix
