#pragma once
// The column chooser of the step 10 grid: a tick per column, and "Reset
// field sizes".
#include "devices/DeviceColumns.h"

#include <QDialog>
#include <QStringList>
#include <memory>

class QListWidget;

namespace Ui {
class FieldSelectDialog;
}

namespace vorlix {

class FieldSelectDialog : public QDialog {
    Q_OBJECT
public:
    FieldSelectDialog(const QStringList &fields, const DeviceColumnFlags &visible, QWidget *parent = nullptr);
    ~FieldSelectDialog() override;

    DeviceColumnFlags ticked() const;
    bool resetSizes() const;
    // A tick or "Reset field sizes" was clicked.
    bool changed() const { return m_changed; }
    QListWidget *fieldList() const;
    void setResetSizes(bool on);

private:
    std::unique_ptr<Ui::FieldSelectDialog> m_ui;
    bool m_changed = false;
};

} // namespace vorlix
