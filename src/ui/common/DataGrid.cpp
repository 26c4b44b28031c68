#include "common/DataGrid.h"

#include "common/ColumnFitter.h"
#include "common/ProjectTableModel.h"
#include "devices/DevModels.h"
#include "project/Messages.h"
#include "util/Prompter.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSqlError>
#include <QSqlRecord>
#include <QStandardItemModel>

namespace vorlix {

// --- delegate ------------------------------------------------------------------

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    if (index.column() == devModelColumn && devModelColumn >= 0) {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true); // any other text may be typed
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMaxVisibleItems(20);
        combo->addItems(devModels());
        if (auto *items = qobject_cast<QStandardItemModel *>(combo->model())) {
            for (int i = 0; i < items->rowCount(); ++i) {
                if (isDevModelHeading(items->item(i)->text())) {
                    QFont bold = items->item(i)->font();
                    bold.setBold(true);
                    items->item(i)->setFont(bold);
                }
            }
        }
        editor = combo;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    m_editor = editor;
    return editor;
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && index.column() == devModelColumn) {
        combo->setEditText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && index.column() == devModelColumn) {
        const QString text = combo->currentText();
        if (text != index.data(Qt::EditRole).toString())
            model->setData(index, text.isEmpty() ? QVariant() : QVariant(text));
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event)
{
    // When the page with the grid is hidden (a change of tab) the editor
    // loses the focus; its edit is discarded by the tab change, not posted.
    if (event->type() == QEvent::FocusOut) {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && !editor->isVisible())
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// --- grid ----------------------------------------------------------------------

DataGrid::DataGrid(GridTable which, Prompter &prompter, QWidget *parent)
    : QTableView(parent), m_which(which), m_prompter(prompter), m_delegate(new GridDelegate(this))
{
    setItemDelegate(m_delegate);
    setAlternatingRowColors(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultSectionSize(80);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(18);
    setWordWrap(false);
    // Grids keep the selection visible without the focus: the visual
    // styles give inactive selections the active colours.
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int logical) {
        if (m_model)
            titleClick(m_model->viewColumn(logical));
        showState(); // the header flipped its indicator itself
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int) {
        if (!m_sizing && model())
            m_userSized.insert(model()->headerData(logical, Qt::Horizontal).toString());
    });
    // A grid without a table shows its titles all the same.
    TableView view(which);
    auto *empty = new QStandardItemModel(0, view.columns().size(), this);
    for (int i = 0; i < view.columns().size(); ++i)
        empty->setHeaderData(i, Qt::Horizontal, view.columns()[i].title);
    setModel(empty);
}

void DataGrid::rememberColumns()
{
    if (!m_model)
        return; // the empty stand-in model has nothing worth keeping
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (m_model->viewColumn(c) < 0)
            continue; // not shown by this database's generation
        const QString title = model()->headerData(c, Qt::Horizontal).toString();
        ColumnState &s = m_columns[title];
        s.visible = !isColumnHidden(c);
        if (s.visible)
            s.width = columnWidth(c);
    }
}

void DataGrid::restoreColumns()
{
    if (!model())
        return;
    for (int c = 0; c < model()->columnCount(); ++c) {
        const QString title = model()->headerData(c, Qt::Horizontal).toString();
        const auto it = m_columns.constFind(title);
        if (it == m_columns.constEnd())
            continue;
        if (it->width > 0)
            setWidthQuietly(c, it->width);
        setColumnHidden(c, !it->visible);
    }
    // Columns the grid does not show (ExpandedMode of an older database).
    if (m_model)
        for (int c = 0; c < m_model->columnCount(); ++c)
            if (m_model->viewColumn(c) < 0)
                setColumnHidden(c, true);
}

void DataGrid::detach()
{
    cancelPendingEdit();
    rememberColumns();
    if (m_model) {
        QAbstractItemModel *old = m_model;
        m_model = nullptr;
        TableView view(m_which, m_expandedMode);
        auto *empty = new QStandardItemModel(0, view.columns().size(), this);
        for (int i = 0; i < view.columns().size(); ++i)
            empty->setHeaderData(i, Qt::Horizontal, view.columns()[i].title);
        QAbstractItemModel *previous = model();
        setModel(empty);
        if (previous && previous != old)
            previous->deleteLater();
        delete old;
    }
    showState();
}

void DataGrid::attach(const QSqlDatabase &db, bool expandedMode)
{
    detach();
    m_expandedMode = expandedMode;
    if (!db.isOpen())
        return;
    auto *m = new ProjectTableModel(db, this);
    m->isDark = [this] { return isDark && isDark(); };
    m->bactalkJobPath = [this] { return bactalkJobPath ? bactalkJobPath() : QString(); };
    m->onError = [this](const QString &message) { reportError(message); };
    if (!m->bind(TableView(m_which, expandedMode))) {
        delete m;
        return;
    }
    QAbstractItemModel *previous = model();
    m_model = m;
    setModel(m);
    if (previous)
        previous->deleteLater();
    m_delegate->devModelColumn = m_which == GridTable::RepJob ? m->record().indexOf(u"devmodel"_qs) : -1;
    // Columns start wide enough for their titles; never sized to the
    // contents, which would read every row of a large table.
    const QFontMetrics titleFont(horizontalHeader()->font());
    for (int c = 0; c < m->columnCount(); ++c) {
        const QString title = m->headerData(c, Qt::Horizontal).toString();
        const bool text = m->isTextColumn(c);
        const int wanted = qMax(text ? 150 : 56, titleFont.horizontalAdvance(title) + 16);
        if (!m_columns.contains(title) || m_columns[title].width <= 0)
            setWidthQuietly(c, wanted);
    }
    m_sizing = true;
    restoreColumns();
    m_sizing = false;
    connect(m, &QAbstractItemModel::rowsInserted, this, &DataGrid::showState);
    connect(m, &QAbstractItemModel::rowsRemoved, this, &DataGrid::showState);
    setMultiSelection(m_multi);
    setContinuousEdit(m_continuous);
    firstRow();
    fitColumns();
    showState();
}

void DataGrid::setWidthQuietly(int column, int width)
{
    const bool sizing = m_sizing;
    m_sizing = true;
    setColumnWidth(column, width);
    m_sizing = sizing;
}

void DataGrid::fitColumns()
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    // The last shown column is stretched; number columns keep their widths.
    int last = m_model->columnCount() - 1;
    while (last > 0 && isColumnHidden(last))
        --last;
    for (int c = 0; c < last; ++c) {
        if (isColumnHidden(c) || !m_model->isTextColumn(c) ||
            m_userSized.contains(m_model->headerData(c, Qt::Horizontal).toString()))
            continue;
        setWidthQuietly(c, fittedWidth(*this, c));
    }
}

QString DataGrid::summary() const
{
    if (!m_model)
        return rowCountText(0);
    const QString state = m_model->view().stateText();
    return rowCountText(m_model->rowCount()) + (state.isEmpty() ? QString() : u"; "_qs + state);
}

void DataGrid::showState()
{
    int indicator = -1;
    if (m_model) {
        const QString first = m_model->view().order().section(u';', 0, 0).trimmed();
        indicator = m_model->modelColumn(m_model->view().columnOfField(first));
    }
    horizontalHeader()->setSortIndicator(indicator, Qt::AscendingOrder);
    emit summaryChanged(summary());
}

void DataGrid::reportError(const QString &message) { m_prompter.error(message); }

void DataGrid::titleClick(int column)
{
    if (!m_model || column < 0)
        return;
    cancelPendingEdit();
    if (m_model->view().titleClick(column)) {
        m_model->reload();
        firstRow();
        fitColumns();
    }
    showState();
}

void DataGrid::setFilterOnCurrentField(bool on)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    if (on) {
        const QModelIndex current = currentIndex();
        if (!current.isValid())
            return;
        const QString value = m_model->data(current, Qt::DisplayRole).toString();
        if (!m_model->view().filterOn(m_model->viewColumn(current.column()), value))
            return;
    } else {
        m_model->view().filterOff();
    }
    cancelPendingEdit();
    m_model->reload();
    firstRow();
    fitColumns();
    showState();
}

void DataGrid::setContinuousEdit(bool on)
{
    m_continuous = on;
    if (on)
        setEditTriggers(QAbstractItemView::AllEditTriggers);
    else
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
    if (on && currentIndex().isValid() && hasFocus())
        edit(currentIndex());
}

void DataGrid::setMultiSelection(bool on)
{
    m_multi = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    if (!on && selectionModel()) {
        const QModelIndex current = currentIndex();
        selectionModel()->clearSelection();
        if (current.isValid())
            selectionModel()->select(current, QItemSelectionModel::Select);
    }
}

void DataGrid::cancelPendingEdit()
{
    QWidget *editor = m_delegate->openEditor();
    if (editor && state() == QAbstractItemView::EditingState)
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    if (m_model && m_model->isDirty())
        m_model->revertAll();
}

void DataGrid::firstRow()
{
    if (!model() || model()->rowCount() == 0)
        return;
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column < model()->columnCount() - 1 && isColumnHidden(column))
        ++column;
    setCurrentIndex(model()->index(0, column));
    scrollToTop();
}

void DataGrid::reload()
{
    if (!m_model)
        return;
    cancelPendingEdit();
    m_model->reload();
    fitColumns();
    showState();
}

void DataGrid::deleteCurrentRow()
{
    if (!m_model || !m_model->view().rowsEditable())
        return; // ApexMap rows are never deleted, and no one is asked
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    if (!m_prompter.confirm(msg::confirmDeleteRecord()))
        return;
    cancelPendingEdit();
    const int row = current.row();
    const int column = current.column();
    if (!m_model->removeRow(row)) {
        reportError(QStringLiteral("The row was not deleted from %1: %2")
                        .arg(m_model->view().tableName(), m_model->lastError().text()));
        m_model->revertAll();
        return;
    }
    m_model->reload();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(qMin(row, m_model->rowCount() - 1), column));
}

void DataGrid::insertRow()
{
    if (!m_model || !m_model->view().rowsEditable())
        return;
    cancelPendingEdit();
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (m_model->insertRow(row)) {
        int column = 0;
        while (column < m_model->columnCount() - 1 && isColumnHidden(column))
            ++column;
        setCurrentIndex(m_model->index(row, column));
        edit(currentIndex());
    }
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if (state() != QAbstractItemView::EditingState) {
        if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
            deleteCurrentRow();
            return;
        }
        if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
            insertRow();
            return;
        }
        if (event->key() == Qt::Key_Escape && m_model && m_model->isDirty()) {
            m_model->revertAll();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

int DataGrid::columnWidthOf(int viewColumn) const
{
    if (m_model) {
        const int c = m_model->modelColumn(viewColumn);
        if (c >= 0 && !isColumnHidden(c))
            return columnWidth(c);
    }
    const TableView view(m_which, m_expandedMode);
    if (viewColumn >= 0 && viewColumn < view.columns().size())
        return m_columns.value(view.columns()[viewColumn].title).width;
    return 0;
}

bool DataGrid::columnVisibleOf(int viewColumn) const
{
    if (m_model) {
        const int c = m_model->modelColumn(viewColumn);
        if (c >= 0)
            return !isColumnHidden(c);
    }
    const TableView view(m_which, m_expandedMode);
    if (viewColumn >= 0 && viewColumn < view.columns().size())
        return m_columns.value(view.columns()[viewColumn].title).visible;
    return true;
}

void DataGrid::setColumnState(int viewColumn, int width, bool visible)
{
    const TableView view(m_which, m_expandedMode);
    if (viewColumn < 0 || viewColumn >= view.columns().size())
        return;
    ColumnState &s = m_columns[view.columns()[viewColumn].title];
    s.width = width;
    s.visible = visible;
    m_userSized.insert(view.columns()[viewColumn].title);
    const int c = m_model ? m_model->modelColumn(viewColumn) : viewColumn;
    if (c >= 0 && model() && c < model()->columnCount()) {
        setWidthQuietly(c, width);
        setColumnHidden(c, !visible);
    }
}

} // namespace vorlix
