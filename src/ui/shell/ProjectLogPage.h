#pragma once
// "Project Log": the session log memo, editable, and "Clear Log".
#include "common/StepPage.h"

class QPlainTextEdit;
class QPushButton;

namespace vorlix {

class ProjectLogPage : public StepPage {
    Q_OBJECT
public:
    ProjectLogPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    QPlainTextEdit *memo() const { return m_memo; }
    // Hands the user's edits of the memo back to the session log before it
    // is saved.
    void syncToLog();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showAll();
    void scrollToNewest();
    QPlainTextEdit *m_memo;
    QPushButton *m_clear;
    bool m_updating = false;
    bool m_userEdited = false;
};

} // namespace vorlix
