#include "shell/ProjectLogPage.h"

#include "common/PageParts.h"
#include "project/Workbench.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vorlix {

ProjectLogPage::ProjectLogPage(Workbench &wb, CommandRunner &runner, QWidget *parent) : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u"User session log"_qs, this));
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(u"LogMemo"_qs);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setTabStopDistance(m_memo->fontMetrics().horizontalAdvance(u' ') * 4);
    layout->addWidget(m_memo, 1);
    auto *row = new QHBoxLayout;
    m_clear = makeButton(u"Clear Log"_qs, "btn_Clear", this);
    row->addWidget(m_clear);
    row->addStretch();
    layout->addLayout(row);

    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_userEdited = false;
        m_wb.log.clear();
    });
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_updating)
            m_userEdited = true;
    });
    connect(&wb.log, &SessionLog::lineAppended, this, [this](const QString &line) {
        m_updating = true;
        m_memo->appendPlainText(line);
        m_updating = false;
    });
    connect(&wb.log, &SessionLog::linesReset, this, &ProjectLogPage::showAll);
    showAll();
}

void ProjectLogPage::showAll()
{
    m_updating = true;
    m_memo->setPlainText(m_wb.log.lines().join(u'\n'));
    scrollToNewest();
    m_updating = false;
    m_userEdited = false;
}

void ProjectLogPage::scrollToNewest()
{
    m_memo->moveCursor(QTextCursor::End);
    m_memo->ensureCursorVisible();
    m_memo->verticalScrollBar()->setValue(m_memo->verticalScrollBar()->maximum());
}

void ProjectLogPage::showEvent(QShowEvent *event)
{
    StepPage::showEvent(event);
    // The page opens at the newest entry, the one the last command wrote.
    scrollToNewest();
}

void ProjectLogPage::syncToLog()
{
    if (!m_userEdited)
        return;
    const QString text = m_memo->toPlainText();
    m_wb.log.setLines(text.isEmpty() ? QStringList() : text.split(u'\n'));
    m_userEdited = false;
}

} // namespace vorlix
