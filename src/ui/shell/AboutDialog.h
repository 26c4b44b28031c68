#pragma once
// "About Vorlix": the program's version and build.
#include <QDialog>

namespace vorlix {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};

} // namespace vorlix
