#pragma once
// "User Override": the text or the point of one translation grid row typed
// by hand, or the object skipped, or its overrides reset. It closes with the
// user's choice (Cancel also for Esc).
#include "ibex/IbexObject.h"
#include "translate/Translation.h"

#include <QDialog>
#include <memory>

namespace Ui {
class OverrideDialog;
}

namespace vorlix {

class OverrideDialog : public QDialog {
    Q_OBJECT
public:
    // `editText`: the text column is edited, else the point column.
    OverrideDialog(const QString &text, const QString &point, ObjOverride state, bool editText, IbexObject kind,
                   QWidget *parent = nullptr);
    ~OverrideDialog() override;

    // After OK: the new text or point.
    QString text() const { return m_text; }
    QString point() const { return m_point; }
    OverrideResult choice() const { return m_choice; }

private:
    void checkPoint();
    void acceptValues();
    void finish(OverrideResult choice);

    std::unique_ptr<Ui::OverrideDialog> m_ui;
    IbexObject m_kind;
    bool m_editText;
    QString m_text;
    QString m_point;
    OverrideResult m_choice = OverrideResult::Cancel;
};

} // namespace vorlix
